#pragma once
// The mouse's light preview: its own flow, column wave and ripple effects and
// the choice of step routine by light mode. Each step computes one frame into
// the light records of the mouse's LEDs; records beyond its LEDs stay as they are.
#include "devices/effect_steps.h"
#include "devices/light_tables.h"

#include <array>
#include <cstdint>
#include <functional>

namespace q31::devices {

// The light modes the preview steps; any other value plays the custom effect list.
enum MouseLightMode {
    kMouseModeFlow = 0,
    kMouseModeSpectrum = 1,
    kMouseModeBreathingSpectrum = 2,
    kMouseModeStatic = 3,
    kMouseModeBlinkSpectrum = 4,
    kMouseModeColumnWave = 5,
    kMouseModeRipple = 6,
    kMouseModeBreathingColours = 7,
    kMouseModeBlinkColours = 8,
    kMouseModeOff = 9,
};

struct MouseRipple {
    std::uint8_t level = 0;
    bool rising = false;
    std::uint8_t wheelEntry = 0;  // spectrum colour with the multi-colour flag
};

// Where the mouse's own effects stand; owned by the preview worker.
struct MouseEffectState {
    std::uint8_t phase = 0;
    std::array<MouseRipple, kMouseLedCount> ripples{};
    // Brightness of each column in the column wave. Nothing dims a column
    // yet, so every column stays at full level.
    std::array<std::uint8_t, kMouseColumnCount> columnLevels = {255, 255, 255, 255, 255, 255, 255};
};

// Each returns the number of records written.
int StepMouseFlow(MouseEffectState& state, const LightSettings& settings, CLightRecords& records);
int StepMouseColumnWave(MouseEffectState& state, const LightSettings& settings, CLightRecords& records);
int StepMouseRipple(MouseEffectState& state, const LightSettings& settings, CLightRecords& records);

// A key press while the ripple runs restarts every LED's ripple at full
// level, each with a wheel entry from random() % 192. The caller keeps it
// apart from the steps.
void StartMouseRipple(MouseEffectState& state, const std::function<std::uint32_t()>& random);

// One step of the light mode; false for a mode beyond MouseLightMode.
// now: the tick count in milliseconds.
bool StepMousePreview(int mode, EffectState& common, MouseEffectState& mouse, const LightSettings& settings,
                      CLightRecords& records, DWORD now);

// Preview ticks between two steps at a speed setting.
constexpr int MouseStepThreshold(std::uint8_t speed)
{
    return SpeedLevel(speed);
}

}  // namespace q31::devices
