#pragma once
// A keyboard's light effects with records to draw into, stepped by hand.
#include "devices/keyboard_effects.h"
#include "devices/light_records.h"

#include <vector>

namespace q31::devices {

struct KeyboardEffectRig {
    explicit KeyboardEffectRig(int mode, std::uint32_t seed = 1, int multi = 1, int direction = 1) : effects(seed)
    {
        records.Resize(kEffectLights);
        settings[kSettingBrightness] = 4;
        settings[kSettingMultiColour] = std::uint8_t(multi);
        settings[kSettingDirection] = std::uint8_t(direction);
        settings[kSettingRed] = 200;
        settings[kSettingGreen] = 100;
        settings[kSettingBlue] = 50;
        Mode(mode);
    }
    void Mode(int mode)
    {
        settings[kSettingEffect] = std::uint8_t(mode);
        effects.StartMode(mode);
    }
    void Step(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            effects.Step(settings, records, 0);
    }
    void Key(int light, int kind) { effects.ReactToKey(settings, light, kind); }
    LightColour At(int light) const { return UnpackLightRecord(records.Load(std::size_t(light))); }
    std::vector<std::uint32_t> Frame() const
    {
        std::vector<std::uint32_t> frame(records.Size());
        for (std::size_t i = 0; i < frame.size(); ++i)
            frame[i] = records.Load(i);
        return frame;
    }
    KeyboardEffectState State() const { return effects.State(); }

    CKeyboardEffects effects;
    CLightRecords records;
    LightSettings settings{};
};

inline LightColour Full(Rgb colour, std::uint8_t a = 255)
{
    return {colour.r, colour.g, colour.b, a};
}

}  // namespace q31::devices
