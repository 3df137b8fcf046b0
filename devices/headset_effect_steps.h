#pragma once
// The headset's light preview: its flow effect, and the choice of step
// routine by light mode (the ring and column waves, the shared routines).
#include "devices/effect_steps.h"
#include "devices/key_lights.h"
#include "devices/ring_wave_steps.h"

namespace q31::devices {

enum HeadsetLightMode {
    kHeadsetModeFlow = 0,
    kHeadsetModeRingWave = 6,
    kHeadsetModeColumnWave = 7,
};

// What the headset's effects keep besides the shared effect state.
struct HeadsetEffectState {
    CKeyLights keys;
    RingWaveState wave;
};

int StepHeadsetFlow(EffectState& effect, const LightSettings& settings, CLightRecords& records);

// One step of the light mode; false for a mode that plays the custom effect list.
// now: the tick count in milliseconds.
bool StepHeadsetPreview(int mode, EffectState& effect, HeadsetEffectState& headset, const LightSettings& settings,
                        CLightRecords& records, DWORD now);

}  // namespace q31::devices
