// The battery and charging state a keyboard or mouse reports in its status record.
#include "devices/device_views.h"
#include "devices/halvorin_usb_device.h"
#include "devices/power_status_read.h"
#include "platform/ui_message.h"
#include "protocol/result_codes.h"

#include <optional>

void CHalvorinUSBDevice::ReadPowerStatus()
{
    if (!m_commandLink.IsOpen() || GetStatusPollingOff())
        return;
    AskDevice<std::optional<PowerStatus>>(
        [this](const CStopEvent&) -> std::optional<PowerStatus> {
            const q31::devices::PowerStatusRead read = q31::devices::ReadPowerStatusRecord(m_commandLink);
            if (read.result != q31::kResultSuccess)
                return std::nullopt;
            return read.status;
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
