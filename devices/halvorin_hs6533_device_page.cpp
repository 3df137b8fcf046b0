// What the headset page shows: its LEDs, the lighting editor and the sound
// panel, and the audio library's start-up.
#include "controls/device_key_button_ui.h"
#include "controls/magic_control_ui.h"
#include "controls/select_panel_ui.h"
#include "controls/voice6533_control_ui.h"
#include "devices/halvorin_hs6533_device.h"
#include "devices/indexed_name.h"
#include "ui/msg_wnd.h"
#include "ui/paint_manager.h"

#include <QLabel>

using namespace q31::devices;

namespace {

const QString kLightPanel = QStringLiteral("hs6533_device_key_light");
const QString kSoundMissingLine = QStringLiteral("sound_missing_label");
constexpr DWORD kWhiteOverlay = 0xFFFFFF;
constexpr int kFullLevel = 255;

}  // namespace

int CHalvorinHS6533Device::CreatePage()
{
    const int created = CHalvorinUSBDevice::CreatePage();
    BindPageControls();
    SetUpLightEditor(kKindNumber, kKindHeadset);
    InitAudio();
    return created;
}

void CHalvorinHS6533Device::BindPageControls()
{
    auto* panel = findChild<CSelectPanelUI*>(kLightPanel);
    if (GetKindName().isEmpty() || !panel)
        return;
    for (CDeviceKeyButtonUI* button : panel->findChildren<CDeviceKeyButtonUI*>()) {
        const std::optional<IndexedName> split = SplitIndexedName(button->objectName());
        if (!split || split->number < 0)
            continue;
        const auto index = std::size_t(split->number);
        if (split->prefix == QLatin1String("light_") && index < m_lightButtons.size()) {
            m_lightButtons[index] = button;
            button->SetLightOverlay(kWhiteOverlay, kFullLevel, true);
        } else if (split->prefix == QLatin1String("key_") && index < m_keyButtons.size()) {
            m_keyButtons[index] = button;
        }
    }
    BindSoundPanel();
}

void CHalvorinHS6533Device::BindSoundPanel()
{
    m_soundSettings.BindControls(findChild<CVoice6533ControlUI*>(QStringLiteral("Voice6533ControlItem")),
                                 findChild<CMagicControlUI*>(QStringLiteral("MagicControlItem")));
    ShowSoundPanel();
}

void CHalvorinHS6533Device::RefreshPage()
{
    LoadNameLists();
    ShowLightEditor();
    m_soundSettings.ShowInControls();
    ShowSoundPanel();
    emit PageRefreshed();
}

void CHalvorinHS6533Device::ShowSoundPanel()
{
    if (auto* line = findChild<QLabel*>(kSoundMissingLine))
        line->setVisible(!AudioWorks());
}

bool CHalvorinHS6533Device::AudioWorks() const
{
    return m_audio && m_audio->IsLoaded();
}

void CHalvorinHS6533Device::SetAudio(IHeadsetAudio* audio)
{
    m_audio = audio;
    ShowSoundPanel();
}

void CHalvorinHS6533Device::InitAudio()
{
    if (!m_audio || m_audioStarted)
        return;
    m_audioStarted = true;
    const std::vector<std::string> texts = m_audio->Start();
    // Without the library every write counts as rejected and the editors show the profile.
    m_soundSettings.SetAudio(AudioWorks() ? m_audio : nullptr);
    ShowSoundPanel();
    const CPaintManagerUI* manager = CPaintManagerUI::ForControl(this);
    for (const std::string& text : texts) {
        const QString shown = QString::fromStdString(text);
        emit AudioMessageShown(shown);
        ShowMessageBox(this, QString(), shown, manager ? manager->GetDPI() : CPaintManagerUI::kDefaultDpi, false, 0);
    }
}

void CHalvorinHS6533Device::ReadAudioState()
{
    if (AudioWorks())
        m_soundSettings.ReadAudioState();
}
