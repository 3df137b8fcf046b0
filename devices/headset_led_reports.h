#pragma once
// The headset's LED colours travel as raw HID output reports, not as command
// reports: for each channel (red, green, blue) and each of its two targets, a
// report for LEDs 0-6 and one for LEDs 7-12. Twelve reports make one frame.
#include "devices/light_records.h"
#include "devices/live_frame.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace q31::devices {

inline constexpr std::size_t kHeadsetLedReportLength = 17;
inline constexpr int kHeadsetLedReportCount = 12;
inline constexpr int kHeadsetLedCount = 13;
// The firmware takes no channel value above this.
inline constexpr std::uint8_t kHeadsetTopChannel = 247;

using HeadsetLedReport = std::array<std::uint8_t, kHeadsetLedReportLength>;
using HeadsetLedReports = std::array<HeadsetLedReport, kHeadsetLedReportCount>;

// The reports of one frame, in the order they are sent. scaled: three bytes
// per LED as the live frame holds them (each channel already scaled by its
// LED's brightness); LEDs the length does not cover are 0.
HeadsetLedReports BuildHeadsetLedReports(const std::uint8_t* scaled, std::size_t length);

// The live frame of the LED records, as the page paints them.
LiveFrame HeadsetLedFrame(const CLightRecords& records);

}  // namespace q31::devices
