#pragma once
// The per-light effects: one effect per light from the default document's
// "LightList", stepped after every preview pass over whatever the current
// effect drew. Entry i belongs to light i; entries past the last light are
// left out, and an entry not in use leaves its light to the current effect.
#include "devices/light_records.h"
#include "platform/win_types.h"
#include "profiles/profile_records.h"

#include <cstdint>
#include <vector>

namespace q31::devices {

enum PerLightMode : std::uint8_t {
    kPerLightBreathing = 0,
    kPerLightStatic = 1,
    kPerLightBlink = 2,
    kPerLightSpectrum = 3,
    kPerLightOff = 4,
};

// Byte 10 of an entry: 1 for a zone the document defines.
inline constexpr int kEntryInUse = 10;

struct PerLightState {
    std::uint8_t breathingColourIndex = 0;
    std::uint8_t breathingPhase = 0;
    bool blinkOn = false;
    DWORD lastBlinkToggle = 0;
    DWORD blinkPeriodMs = 0;
    std::uint8_t blinkColourIndex = 0;
    std::uint8_t spectrumColourIndex = 0;
    std::uint8_t spectrumTicks = 0;
    std::uint8_t spectrumThreshold = 0;
};

// One state per entry, rebuilt whenever the list is loaded again.
void ResetPerLightEffects(std::vector<PerLightState>& states, const std::vector<LightSettings>& entries);
// now: the tick count in milliseconds.
void StepPerLightEffects(std::vector<PerLightState>& states, const std::vector<LightSettings>& entries,
                         CLightRecords& records, DWORD now);

}  // namespace q31::devices
