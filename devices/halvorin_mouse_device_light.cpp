// The mouse's lighting preview: the thread that steps the current light mode
// into the LED records, and the ripple a key press starts.
#include "devices/halvorin_mouse_device.h"
#include "devices/preview_passes.h"

#include <QRandomGenerator>

using namespace q31::devices;

void CHalvorinMouseDevice::StartPreviewThread()
{
    m_lightTicker.Start({
        .linkOpen = [this] { return m_commandLink.IsOpen(); },
        .paused = [this] { return m_commandLink.EffectPause(); },
        .threshold = [this] { return PreviewStepThreshold(kKindMouse, GetLightSettingsBytes()); },
        .step = [this] { StepPreview(); },
    });
}

void CHalvorinMouseDevice::StepPreview()
{
    const LightSettings light = GetLightSettingsBytes();
    std::lock_guard lock(m_mouseEffectLock);
    // Modes past the mouse's own ten play the custom effect list.
    if (!StepMousePreview(light[kSettingEffect], m_effect, m_mouseEffect, light, m_lightRecords, TickCountMs()))
        StepCustomLightingList();
}

void CHalvorinMouseDevice::StartRipple()
{
    if (GetLightSettingsBytes()[kSettingEffect] != kMouseModeRipple)
        return;
    std::lock_guard lock(m_mouseEffectLock);
    StartMouseRipple(m_mouseEffect, [] { return QRandomGenerator::global()->generate(); });
}
