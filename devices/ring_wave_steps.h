#pragma once
// The wave effects of the devices whose LEDs follow the trigger ring: the ring
// wave, where a lit entry runs round all the lights, and the column wave,
// where it runs across seven columns of two LEDs each. The light count is the
// records'; LEDs past it are skipped.
#include "devices/effect_steps.h"
#include "devices/key_lights.h"

#include <cstdint>

namespace q31::devices {

// The phase step moving by size, in 8-bit arithmetic: forwards back to 0 once
// the limit is reached, backwards to limit - size once it would leave the range.
constexpr std::uint8_t SizedPhaseStep(int direction, int limit, std::uint8_t phase, int size)
{
    if (direction != 0) {
        const auto next = std::uint8_t(phase + size);
        return next < limit ? next : 0;
    }
    const auto next = std::uint8_t(phase - size);
    return next < limit ? next : std::uint8_t(limit - size);
}

// What the waves keep between steps besides the shared phase and key lights.
struct RingWaveState {
    std::uint8_t counter = 0;  // steps since the ring last moved
};

// Cleared key lights and ring, with one lit ring entry to start the waves from.
void StartRingWaves(CKeyLights& keys);

// Each returns the number of records written.
int StepRingWave(EffectState& effect, RingWaveState& wave, CKeyLights& keys, const LightSettings& settings,
                 CLightRecords& records);
int StepColumnWave(EffectState& effect, RingWaveState& wave, CKeyLights& keys, const LightSettings& settings,
                   CLightRecords& records);

}  // namespace q31::devices
