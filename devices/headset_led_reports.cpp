#include "devices/headset_led_reports.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr std::uint8_t kReportId = 0xFF;
constexpr std::array<std::uint8_t, 2> kTargets = {0x22, 0x44};
// The part code of a channel's first half; its second half is 3 further on.
constexpr std::array<std::uint8_t, 3> kFirstHalfCodes = {0xAA, 0xAB, 0xAC};
constexpr std::uint8_t kSecondHalfOffset = 3;
constexpr int kFirstHalfLeds = 7;
constexpr std::size_t kValuesByte = 4;

}  // namespace

HeadsetLedReports BuildHeadsetLedReports(const std::uint8_t* scaled, std::size_t length)
{
    auto value = [&](int led, int channel) {
        const std::size_t at = std::size_t(led) * 3 + std::size_t(channel);
        return at < length ? std::min(scaled[at], kHeadsetTopChannel) : std::uint8_t(0);
    };
    HeadsetLedReports reports{};
    std::size_t next = 0;
    for (int channel = 0; channel < 3; ++channel) {
        for (std::uint8_t target : kTargets) {
            // One buffer per target: the second half has one LED fewer, so its
            // last value byte still holds LED 6 from the first half.
            HeadsetLedReport report{kReportId, target, kFirstHalfCodes[channel], 0};
            for (int led = 0; led < kFirstHalfLeds; ++led)
                report[kValuesByte + led] = value(led, channel);
            reports[next++] = report;
            report[2] = std::uint8_t(kFirstHalfCodes[channel] + kSecondHalfOffset);
            for (int led = kFirstHalfLeds; led < kHeadsetLedCount; ++led)
                report[kValuesByte + led - kFirstHalfLeds] = value(led, channel);
            reports[next++] = report;
        }
    }
    return reports;
}

LiveFrame HeadsetLedFrame(const CLightRecords& records)
{
    LiveFrame frame{};
    for (std::size_t i = 0; i < records.Size(); ++i)
        PutFrameLight(frame, int(i), records.Load(i));
    return frame;
}

}  // namespace q31::devices
