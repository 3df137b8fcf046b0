// The mouse's lighting preview: the thread that steps the current light mode
// into the LED records, and the ripple a key press starts.
#include "devices/halvorin_mouse_device.h"

#include <QRandomGenerator>

using namespace q31::devices;

void CHalvorinMouseDevice::StartPreviewThread()
{
    m_lightTicker.Start({
        .linkOpen = [this] { return m_commandLink.IsOpen(); },
        .paused = [this] { return m_commandLink.EffectPause(); },
        .threshold = [this] { return MouseStepThreshold(GetLightSettingsBytes()[kSettingSpeed]); },
        .step = [this] { StepPreview(); },
    });
}

void CHalvorinMouseDevice::StepPreview()
{
    const LightSettings light = GetLightSettingsBytes();
    std::lock_guard lock(m_mouseEffectLock);
    // Modes past the mouse's own ten play the custom effect list, which has no player yet.
    StepMousePreview(light[kSettingEffect], m_effect, m_mouseEffect, light, m_lightRecords, TickCountMs());
}

void CHalvorinMouseDevice::StartRipple()
{
    if (GetLightSettingsBytes()[kSettingEffect] != kMouseModeRipple)
        return;
    std::lock_guard lock(m_mouseEffectLock);
    StartMouseRipple(m_mouseEffect, [] { return QRandomGenerator::global()->generate(); });
}
