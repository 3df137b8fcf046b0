#pragma once
// The mouse pad's light preview: its flow and its ring and column waves, and
// the choice of step routine by light mode. The waves follow the trigger ring
// and the key intensities of CKeyLights, and light the LEDs of a strip laid
// round the pad: LED 0 at its entry, columns of LED pairs (1, 14) ... (7, 8).
#include "devices/effect_steps.h"
#include "devices/key_lights.h"

#include <cstdint>

namespace q31::devices {

// The light modes the pad steps itself; any other value plays the custom effect list.
enum PadLightMode {
    kPadModeFlow = 0,
    kPadModeSpectrum = 1,
    kPadModeBreathingSpectrum = 2,
    kPadModeStatic = 3,
    kPadModeBlinkSpectrum = 4,
    kPadModeRingWave = 6,
    kPadModeColumnWave = 7,
    kPadModeOff = 8,
};

// The waves' own count of steps between two moves of the ring; owned by the preview worker.
struct PadWaveState {
    int counter = 0;
};

// The waves start again from one lit entry: every intensity and ring byte 0, ring byte 0 set.
void RestartWaves(CKeyLights& lights);

// Each returns the number of records written; LEDs past the records are skipped.
int StepPadFlow(EffectState& effect, const LightSettings& settings, CLightRecords& records);
int StepRingWave(EffectState& effect, PadWaveState& wave, CKeyLights& lights, const LightSettings& settings,
                 CLightRecords& records);
int StepColumnWave(EffectState& effect, PadWaveState& wave, CKeyLights& lights, const LightSettings& settings,
                   CLightRecords& records);

// One step of the light mode; false for a mode the pad does not step itself.
// now: the tick count in milliseconds.
bool StepPadPreview(int mode, EffectState& effect, PadWaveState& wave, CKeyLights& lights,
                    const LightSettings& settings, CLightRecords& records, DWORD now);

}  // namespace q31::devices
