#pragma once
// The passes of a device kind's light thread: how many ticks each step of the
// current mode waits, and - for q31ctl and the benchmarks, which have no
// device - the passes themselves on a clock the caller moves, with the step
// routines, the custom effect and the per-light effects the devices run.
#include "devices/custom_effect_player.h"
#include "devices/effect_steps.h"
#include "devices/headset_effect_steps.h"
#include "devices/key_lights.h"
#include "devices/keyboard_effects.h"
#include "devices/mouse_effect_steps.h"
#include "devices/pad_effect_steps.h"
#include "devices/per_light_effects.h"
#include "profiles/profile_records.h"

#include <memory>
#include <mutex>
#include <vector>

namespace q31::devices {

// Light thread ticks per step of the mode and speed of the settings. A custom
// effect on the mouse, the mouse pad or the headset counts its own ticks and
// is stepped on every pass; the keyboard paces it like its other modes.
int PreviewStepThreshold(int kindIndex, const LightSettings& settings);

// The lights a kind's preview draws: the keyboard's logical keys, the LEDs of the others.
int PreviewLightCount(int kindIndex);

class CPreviewPasses {
public:
    // custom: the steps the settings' mode plays when it is a custom mode;
    // perLight: the profile's "LightList" (ignored for the mouse).
    CPreviewPasses(int kindIndex, const LightSettings& settings, std::vector<CustomEffectStep> custom,
                   std::vector<LightSettings> perLight);

    // One pass at now (milliseconds): a tick, the mode's step when the tick
    // count reaches its threshold, then the per-light effects.
    void Pass(DWORD now);
    const CLightRecords& Records() const { return m_records; }
    // The keyboard's effects, to seed them and feed them key presses and
    // audio between passes; none for the other kinds.
    CKeyboardEffects* KeyboardEffects() { return m_keyboard.get(); }

private:
    void StepMode(DWORD now);

    int m_kindIndex;
    LightSettings m_settings;
    CLightRecords m_records;
    int m_ticks = 0;
    EffectState m_effect;
    std::unique_ptr<CKeyboardEffects> m_keyboard;
    MouseEffectState m_mouseEffect;
    PadWaveState m_padWave;
    CKeyLights m_keyLights;
    std::recursive_mutex m_customLock;
    std::vector<CustomEffectStep> m_custom;
    int m_customPosition = 0;
    int m_customLength = 0;
    CustomEffectPlayer m_customPlayer;
    std::vector<LightSettings> m_perLight;
    std::vector<PerLightState> m_perLightStates;
};

}  // namespace q31::devices
