#include "devices/preview_passes.h"

#include "devices/custom_effect_modes.h"
#include "devices/headset_effect_steps.h"
#include "devices/keyboard_layout.h"
#include "devices/keyboard_light_modes.h"
#include "devices/pad_effect_steps.h"
#include "hid/hid_catalogue.h"

#include <algorithm>

namespace q31::devices {

int PreviewStepThreshold(int kindIndex, const LightSettings& settings)
{
    const int mode = settings[kSettingEffect];
    if (kindIndex == kKindKeyboard)
        return KeyboardStepThreshold(mode, settings[kSettingSpeed]);
    if (IsCustomMode(kindIndex, mode))
        return 1;
    return SpeedLevel(settings[kSettingSpeed]);
}

int PreviewLightCount(int kindIndex)
{
    if (kindIndex == kKindKeyboard)
        return kEffectLights;
    for (std::size_t row = 0; row < kDeviceOptionTable.size(); ++row) {
        if (kDeviceOptionTable[row].kindIndex == kindIndex)
            return kDevicePageTable[row].lightCount;
    }
    return 0;
}

CPreviewPasses::CPreviewPasses(int kindIndex, const LightSettings& settings, std::vector<CustomEffectStep> custom,
                               std::vector<LightSettings> perLight)
    : m_kindIndex(kindIndex), m_settings(settings), m_custom(std::move(custom))
{
    const int lights = PreviewLightCount(kindIndex);
    m_records.Resize(std::size_t(lights));
    m_customLength = int(m_custom.size());
    if (kindIndex == kKindKeyboard) {
        // The mode is new to the preview, as on a change of mode.
        m_keyboard = std::make_unique<CKeyboardEffects>();
        m_keyboard->StartMode(settings[kSettingEffect]);
    }
    if (PlaysPerLightEffects(kindIndex)) {
        m_perLight = std::move(perLight);
        m_perLight.resize(std::size_t(lights), LightSettings{});
        ResetPerLightEffects(m_perLightStates, m_perLight);
    }
    RestartWaves(m_keyLights);
}

void CPreviewPasses::Pass(DWORD now)
{
    if (++m_ticks >= std::max(PreviewStepThreshold(m_kindIndex, m_settings), 1)) {
        m_ticks = 0;
        StepMode(now);
    }
    StepPerLightEffects(m_perLightStates, m_perLight, m_records, now);
}

void CPreviewPasses::StepMode(DWORD now)
{
    if (IsCustomMode(m_kindIndex, m_settings[kSettingEffect])) {
        StepCustomLighting(m_customPlayer, {m_customLock, m_custom, m_customPosition, m_customLength}, m_records, now);
        return;
    }
    switch (m_kindIndex) {
    case kKindKeyboard:
        m_keyboard->Step(m_settings, m_records, now);
        break;
    case kKindMouse:
        StepMousePreview(m_settings[kSettingEffect], m_effect, m_mouseEffect, m_settings, m_records, now);
        break;
    case kKindHeadset:
        StepHeadsetPreview(m_settings[kSettingEffect], m_effect, m_padWave, m_keyLights, m_settings, m_records, now);
        break;
    default:
        StepPadPreview(m_settings[kSettingEffect], m_effect, m_padWave, m_keyLights, m_settings, m_records, now);
        break;
    }
}

}  // namespace q31::devices
