#pragma once
// The software light effects every device shares. Each step computes one frame
// into all light records from the device's light settings and its effect state.
#include "devices/light_records.h"
#include "devices/light_tables.h"
#include "platform/win_types.h"
#include "profiles/profile_records.h"

#include <cstdint>

namespace q31::devices {

// Bytes of the light settings the effects read.
enum LightSettingsByte {
    kSettingEffect = 0,
    kSettingBrightness = 1,
    kSettingSpeed = 2,
    kSettingDirection = 3,
    kSettingMultiColour = 4,
    kSettingRed = 5,
    kSettingGreen = 6,
    kSettingBlue = 7,
};

// The colour the user set, and whether the effect runs through the spectrum instead.
inline Rgb SetColour(const LightSettings& settings)
{
    return {settings[kSettingRed], settings[kSettingGreen], settings[kSettingBlue]};
}

inline bool MultiColour(const LightSettings& settings)
{
    return settings[kSettingMultiColour] != 0;
}

// Where the running effect stands; owned by the device's effect worker.
struct EffectState {
    std::uint8_t phase = 0;        // position in the effect's curve
    std::uint8_t colourIndex = 0;  // position in the effect's colour list
    std::uint8_t blinkOn = 0;
    DWORD lastBlinkTime = 0;       // tick count of the last blink toggle
};

// The next phase: forwards (direction nonzero) wrapping from limit - 1 to 0,
// backwards wrapping from 0 to limit - 1. The phase is shared by all effects,
// so one left beyond this effect's limit by another effect restarts inside it.
constexpr std::uint8_t PhaseStep(int direction, int limit, std::uint8_t phase)
{
    if (direction != 0)
        return phase + 1 >= limit ? 0 : std::uint8_t(phase + 1);
    return phase == 0 || phase > limit ? std::uint8_t(limit - 1) : std::uint8_t(phase - 1);
}

// Each returns the number of records written.
int StepBreathingSpectrum(EffectState& state, const LightSettings& settings, CLightRecords& records);
int StepBreathingColours(EffectState& state, const LightSettings& settings, CLightRecords& records);
int StepStatic(const LightSettings& settings, CLightRecords& records);
int StepSpectrum(EffectState& state, const LightSettings& settings, CLightRecords& records);
// now: the tick count in milliseconds.
int StepBlinkSpectrum(EffectState& state, const LightSettings& settings, CLightRecords& records, DWORD now);
int StepBlinkColours(EffectState& state, const LightSettings& settings, CLightRecords& records, DWORD now);
int StepOff(CLightRecords& records);

// Milliseconds of a steady clock, wrapping like a 32-bit tick count.
DWORD TickCountMs();

}  // namespace q31::devices
