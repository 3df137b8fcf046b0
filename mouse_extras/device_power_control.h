#pragma once
// What a device object hands its power control: the status record it read.
#include "platform/win_types.h"

#include <array>
#include <cstddef>
#include <cstdint>

// A device's status record as read from address 0 of its status memory:
// byte 3 is set to whether the device is reached through its receiver,
// byte 4 goes to the main window with kDeviceStatusMessage.
inline constexpr std::size_t kPowerStatusLength = 6;
inline constexpr std::size_t kPowerStatusLevelByte = 0;
inline constexpr std::size_t kPowerStatusChargingByte = 1;
inline constexpr std::size_t kPowerStatusReceiverByte = 3;
inline constexpr std::size_t kPowerStatusWindowByte = 4;
inline constexpr std::size_t kPowerStatusPhoneByte = 5;
using PowerStatus = std::array<std::uint8_t, kPowerStatusLength>;
inline constexpr UINT kDeviceStatusMessage = 0x0D01;

class IDevicePowerControl {
public:
    virtual ~IDevicePowerControl() = default;
    // Shows or hides the battery and charging display.
    virtual void ShowPowerLayout(int show) = 0;
    // The battery and charging state of a status record just read.
    virtual void ShowPowerStatus(const PowerStatus& status) = 0;
};
