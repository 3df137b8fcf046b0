#pragma once
// What a device object needs from the lighting editor of its page: the audio
// light info it keeps for the device and hands back.
#include "platform/win_types.h"

#include <array>

class IDeviceLightEditor {
public:
    virtual ~IDeviceLightEditor() = default;
    virtual void SetLightInfo(DWORD word0, DWORD word1, DWORD word2) = 0;
    virtual std::array<DWORD, 3> GetLightInfo(int index) = 0;
};
