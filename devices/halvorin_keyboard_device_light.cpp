// The keyboard's lighting preview: the light thread that steps the current
// light mode into the light records (one per logical key), the keys' colours
// on the page, and the frames the keyboard takes from the program in its two
// host-driven modes.
#include "controls/device_key_button_ui.h"
#include "devices/custom_effect_modes.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/keyboard_profile_write.h"
#include "devices/keyboard_settings_record.h"
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
    m_keyboardEffects.Step(light, m_lightRecords, TickCountMs());
}

void CHalvorinKeyboardDevice::OnAudioBands(const int* values, int count)
{
    const int mode = GetLightSettingsBytes()[kSettingEffect];
    m_keyboardEffects.OnAudioBands(values, count, IsRippleAudio(mode, m_keyboardEffects.AudioSettings()));
}

void CHalvorinKeyboardDevice::OnAudioLevels(const int* values)
{
    m_keyboardEffects.OnAudioLevels(values);
}

void CHalvorinKeyboardDevice::SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3)
{
    const int before = GetLightSettingsBytes()[kSettingEffect];
    CHalvorinUSBDevice::SetLightSettings(word0, word1, word2, word3);
    const LightSettings light = GetLightSettingsBytes();
    m_profile.WriteLightInfo(light);
    if (light[kSettingEffect] == before)
        return;
    m_keyboardEffects.StartMode(light[kSettingEffect]);
    if (light[kSettingEffect] == kCustomColourMode)
        ShowCustomColours(light);
}

void CHalvorinKeyboardDevice::SetLightInfo(DWORD word0, DWORD word1, DWORD word2)
{
    CHalvorinUSBDevice::SetLightInfo(word0, word1, word2);
    const std::array<DWORD, 3> words = {word0, word1, word2};
    AudioLightSettings audio{};
    for (std::size_t i = 0; i < audio.size(); ++i)
        audio[i] = std::uint8_t(words[i / 4] >> (8 * (i % 4)));
    m_keyboardEffects.SetAudioSettings(audio);
}

void CHalvorinKeyboardDevice::ShowCustomColours(const LightSettings& light)
{
    KeyboardCustomColours custom{light[kKeyboardCustomGroup],
                                 m_profile.ReadCustomLightColors(light[kKeyboardCustomGroup], kKeyboardKeys)};
    const std::size_t keys = std::min(custom.colours.size(), m_lightRecords.Size());
    for (std::size_t key = 0; key < keys; ++key) {
        const CustomColour& c = custom.colours[key];
        m_lightRecords.Store(key, PackLightRecord({c.red, c.green, c.blue, c.alpha}));
    }
    PostWrite("custom colours", [custom = std::move(custom), layout = m_layout](CDeviceLink& link) {
        return link.IsOpen() ? WriteCustomColours(link, layout, custom) : q31::kResultNoReply;
    });
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
