#include "devices/notification_reader.h"

#include "hid/hid_device.h"
#include "platform/debug_log.h"
#include "protocol/notification_code.h"

#include <QString>

#include <vector>

namespace q31::devices {

namespace {

// A read that fails at once (interface gone, not yet open) must not spin.
constexpr int kRetryAfterFailedReadMs = 100;
constexpr int kStopPollMs = 1;

}  // namespace

void CNotificationReader::Start(CHidDevice& hid, Handler handler)
{
    const std::size_t reportLength = hid.Caps().inputReportByteLength;
    m_thread.Start([&hid, handler = std::move(handler), reportLength](const CStopEvent& stop) {
        std::vector<std::uint8_t> report(reportLength);
        while (!stop.Wait(kStopPollMs)) {
            DWORD length = 0;
            if (!hid.ReadReport(report.data(), DWORD(report.size()), &length, INFINITE)) {
                stop.Wait(kRetryAfterFailedReadMs);
                continue;
            }
            OutputDebugText(QStringLiteral("接收到自动添加设备的同步信息要求  TEST"));
            if (const auto code = NotificationCode(hid, report.data(), length))
                handler(*code);
        }
        OutputDebugText(QStringLiteral("MS设备同步线程设定退出"));
    });
}

void CNotificationReader::Stop(CHidDevice& hid, int waitMs)
{
    // The event first, so the woken reader does not start another read.
    m_thread.RequestStop();
    hid.Close();
    m_thread.Stop(waitMs);
}

}  // namespace q31::devices
