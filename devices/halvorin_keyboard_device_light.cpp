// The keyboard's lighting preview: the light thread that steps the current
// light mode into the light records (one per logical key), the keys' colours
// on the page, and the frames the keyboard takes from the program in its two
// host-driven modes.
#include "controls/device_key_button_ui.h"
#include "devices/custom_effect_modes.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/preview_passes.h"

#include <algorithm>

using namespace q31::devices;

void CHalvorinKeyboardDevice::StartLightThread()
{
    m_lightTicker.Start({
        .linkOpen = [this] { return m_commandLink.IsOpen(); },
        .paused = [this] { return m_commandLink.IsBusy() || m_commandLink.EffectPause(); },
        .threshold =
            [this] {
                return PreviewStepThreshold(kKindKeyboard, GetLightSettingsBytes());
            },
        .step = [this] { StepMode(); },
        .afterPass = [this] { StepPerLightList(); },
    });
}

void CHalvorinKeyboardDevice::StepMode()
{
    const LightSettings light = GetLightSettingsBytes();
    if (IsCustomMode(kKindKeyboard, light[kSettingEffect])) {
        StepCustomLightingList();
        return;
    }
    StepKeyboardMode(light, m_effect, m_lightRecords, TickCountMs(),
                     {m_audioLevels[0].load(), m_audioLevels[1].load(), m_audioLevels[2].load()});
}

void CHalvorinKeyboardDevice::OnAudioLevels(const int* values)
{
    if (!values)
        return;
    for (std::size_t i = 0; i < m_audioLevels.size(); ++i)
        m_audioLevels[i] = values[i];
}

void CHalvorinKeyboardDevice::PaintLedPreview()
{
    if (!IsLiveLightingEnabled())
        return;
    const int keys = std::min<int>(kKeyboardKeys, int(m_lightRecords.Size()));
    for (int key = 0; key < keys; ++key) {
        CDeviceKeyButtonUI* button = GetKeyButton(key);
        // A key without a light on this keyboard stays dark.
        if (m_layout.lightOfKey[key] >= kMaxKeyPositions || !button || !button->isVisible())
            continue;
        const DWORD record = m_lightRecords.Load(key);
        button->SetLightOverlay(OverlayColour(record), UnpackLightRecord(record).a, true);
    }
    // In its other modes the keyboard runs its lights itself and takes no frames.
    const bool streamed = IsStreamedKeyboardMode(GetLightSettingsBytes()[kSettingEffect]);
    if (streamed && !m_streaming)
        ForgetLiveFrame();
    m_streaming = streamed;
    if (streamed)
        OfferLiveFrame(KeyboardLiveFrame(m_layout, m_lightRecords), kKeyboardStreamLength);
}
