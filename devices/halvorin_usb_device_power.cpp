// The battery and charging state a keyboard or mouse reports in its status record.
#include "devices/device_views.h"
#include "devices/halvorin_usb_device.h"
#include "platform/ui_message.h"
#include "protocol/result_codes.h"

#include <optional>

void CHalvorinUSBDevice::ReadPowerStatus()
{
    if (!m_commandLink.IsOpen() || GetStatusPollingOff())
        return;
    AskDevice<std::optional<PowerStatus>>(
        [this](const CStopEvent&) -> std::optional<PowerStatus> {
            PowerStatus status{};
            if (!m_commandLink.QueryReceiverLink() ||
                m_commandLink.ReadStatus(status.data(), status.size(), 0) != q31::kResultSuccess)
                return std::nullopt;
            status[kPowerStatusReceiverByte] = m_commandLink.IsReceiverMode() ? 1 : 0;
            return status;
        },
        [this](std::optional<PowerStatus> status) {
            if (!status)
                return;
            if (m_powerControl)
                m_powerControl->ShowPowerStatus(*status);
            if (m_mainWindow)
                PostMessageTo(*m_mainWindow, kDeviceStatusMessage, WPARAM((*status)[kPowerStatusWindowByte]), 0);
        },
        "power");
}
