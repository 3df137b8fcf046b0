#include "devices/keyboard_light_modes.h"

#include "devices/effect_steps.h"
#include "devices/light_tables.h"

#include <algorithm>
#include <bitset>

namespace q31::devices {
namespace {

constexpr int kEdgeWavesThreshold = 5;
// The audio pictures follow the sound: a step every other tick whatever the speed.
constexpr int kAudioThreshold = 2;

// Light index that shows the colour of a logical key besides the key's own.
struct SharedLight {
    int light;
    int key;
};
constexpr std::array<SharedLight, 3> kSharedLights = {{{35, 45}, {72, 91}, {57, 72}}};

}  // namespace

int KeyboardStepThreshold(int mode, int speed)
{
    if (mode == kKeyboardModeEdgeWaves)
        return kEdgeWavesThreshold;
    if (mode == kKeyboardModeAudio)
        return kAudioThreshold;
    return SpectrumSpeedLevel(std::uint8_t(std::clamp(speed, 0, kLevelCount - 1)));
}

int StepLevelColour(const LightSettings& settings, const std::array<int, 3>& levels, CLightRecords& records)
{
    records.Fill(PackLightRecord({std::uint8_t(levels[0]), std::uint8_t(levels[1]), std::uint8_t(levels[2]),
                                  BrightnessLevel(settings[kSettingBrightness])}));
    return int(records.Size());
}

bool StepKeyboardMode(const LightSettings& settings, EffectState& effect, CLightRecords& records, DWORD now,
                      const std::array<int, 3>& levels)
{
    switch (settings[kSettingEffect]) {
    case kKeyboardModeSpectrum:
        StepSpectrum(effect, settings, records);
        return true;
    case kKeyboardModeBlinkSpectrum:
        StepBlinkSpectrum(effect, settings, records, now);
        return true;
    case kKeyboardModeBreathingColours:
        StepBreathingColours(effect, settings, records);
        return true;
    case kKeyboardModeBlinkColours:
        StepBlinkColours(effect, settings, records, now);
        return true;
    case kKeyboardModeOff:
        StepOff(records);
        return true;
    case kKeyboardModeLevelColour:
        StepLevelColour(settings, levels, records);
        return true;
    default:
        return false;
    }
}

LiveFrame KeyboardLiveFrame(const KeyboardLayout& layout, const CLightRecords& records)
{
    LiveFrame frame{};
    std::bitset<kMaxKeyPositions> filled;
    const int keys = std::min<int>(kKeyboardKeys, int(records.Size()));
    for (int key = 0; key < keys; ++key) {
        const int light = layout.lightOfKey[key];
        if (light >= kMaxKeyPositions || filled[light])
            continue;
        PutFrameLight(frame, light, records.Load(key));
        filled[light] = true;
    }
    for (const SharedLight& shared : kSharedLights) {
        if (shared.key < keys)
            PutFrameLight(frame, shared.light, records.Load(shared.key));
    }
    return frame;
}

}  // namespace q31::devices
