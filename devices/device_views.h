#pragma once
// What a device object needs from two controls of other subsystems: the
// lighting editor of its page and its power control. They implement these.
#include "platform/win_types.h"

#include <array>

class IDeviceLightEditor {
public:
    virtual ~IDeviceLightEditor() = default;
    virtual void SetLightInfo(DWORD word0, DWORD word1, DWORD word2) = 0;
    virtual std::array<DWORD, 3> GetLightInfo(int index) = 0;
};

class IDevicePowerControl {
public:
    virtual ~IDevicePowerControl() = default;
    // Shows or hides the battery and charging display.
    virtual void ShowPowerLayout(int show) = 0;
};
