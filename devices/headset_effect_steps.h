#pragma once
// The headset's light preview: its own flow, and the mouse pad's ring and
// column waves and shared routines for its other modes.
#include "devices/effect_steps.h"
#include "devices/key_lights.h"
#include "devices/pad_effect_steps.h"

namespace q31::devices {

enum HeadsetLightMode {
    kHeadsetModeFlow = 0,
    kHeadsetModeRingWave = 6,
    kHeadsetModeColumnWave = 7,
};

int StepHeadsetFlow(EffectState& effect, const LightSettings& settings, CLightRecords& records);

// One step of the light mode; false for a mode that plays the custom effect list.
// now: the tick count in milliseconds.
bool StepHeadsetPreview(int mode, EffectState& effect, PadWaveState& wave, CKeyLights& lights,
                        const LightSettings& settings, CLightRecords& records, DWORD now);

}  // namespace q31::devices
