// The pad's lighting preview: the thread that steps the current light mode
// into the LED records, then the per-light effects over them.
#include "devices/halvorin_mouse_pad_device.h"
#include "devices/preview_passes.h"

using namespace q31::devices;

void CHalvorinMousePadDevice::StartPreviewThread()
{
    m_lightTicker.Start({
        .linkOpen = [this] { return m_commandLink.IsOpen(); },
        .paused = [this] { return m_commandLink.EffectPause(); },
        .threshold = [this] { return PreviewStepThreshold(kKindMousePad, GetLightSettingsBytes()); },
        .step = [this] { StepPreview(); },
        .afterPass = [this] { StepPerLightList(); },
    });
}

void CHalvorinMousePadDevice::StepPreview()
{
    const LightSettings light = GetLightSettingsBytes();
    // The modes the pad does not step itself (5, 9 and on) play the custom effect list.
    if (!StepPadPreview(light[kSettingEffect], m_effect, m_wave, m_keyLights, light, m_lightRecords, TickCountMs()))
        StepCustomLightingList();
}
