#pragma once
// What a device object needs from two controls of other subsystems: the
// lighting editor of its page and its power control. They implement these.
#include "controls/device_light_editor.h"
#include "platform/win_types.h"

#include <array>
#include <cstddef>
#include <cstdint>

// A device's status record as read from address 0 of its status memory:
// byte 3 is set to whether the device is reached through its receiver,
// byte 4 goes to the main window with kDeviceStatusMessage.
inline constexpr std::size_t kPowerStatusLength = 6;
inline constexpr std::size_t kPowerStatusReceiverByte = 3;
inline constexpr std::size_t kPowerStatusWindowByte = 4;
using PowerStatus = std::array<std::uint8_t, kPowerStatusLength>;
inline constexpr UINT kDeviceStatusMessage = 0x0D01;
// The device's current profile number, after a read of its settings.
inline constexpr UINT kDeviceProfileMessage = 0x0D00;

class IDevicePowerControl {
public:
    virtual ~IDevicePowerControl() = default;
    // Shows or hides the battery and charging display.
    virtual void ShowPowerLayout(int show) = 0;
    // The battery and charging state of a status record just read.
    virtual void ShowPowerStatus(const PowerStatus& status) = 0;
};
