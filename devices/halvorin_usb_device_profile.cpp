// What every device page does with its profile document and its lists:
// loading the profile its profile list selects, taking its lighting, saving
// it, the macro list and its download, the light mode codes and the lighting
// editor's effect list.
#include "devices/halvorin_usb_device.h"
#include "controls/light_control_ui.h"
#include "devices/light_mode_codes.h"
#include "devices/macro_write_message.h"
#include "macros/macro_download.h"
#include "macros/macro_files.h"
#include "platform/debug_log.h"
#include "profiles/basic_profile_data.h"
#include "profiles/profile_list_file.h"
#include "ui/msg_wnd.h"
#include "ui/paint_manager.h"

namespace {

// Brightness and speed both run from 0 to 4 on every device.
constexpr int kLightLevels = 4;

}  // namespace

void CHalvorinUSBDevice::LoadSelectedProfile(CBasicProfiledata& profile)
{
    profile.SetDefaultDocumentPath(DefaultProfilePath());
    const q31::ProfileListFile files(UserDataFolder(), DefaultProfilePath());
    const Json::Value list = files.LoadOrCreate();
    const auto entries = q31::ProfileListFile::Entries(list);
    const int selected = q31::ProfileListFile::SelectedIndex(list);
    if (selected < 0 || std::size_t(selected) >= entries.size())
        return;
    const QString path = files.DocumentPath(entries[selected].id);
    profile.SetDocumentPath(path);
    profile.LoadDeviceSection(path);
}

void CHalvorinUSBDevice::TakeLightSettings(const LightSettings& light)
{
    const LightWords words = PackLightWords(light);
    SetLightSettings(words[0], words[1], words[2], words[3]);
}

void CHalvorinUSBDevice::ShowMacroWriteMessage(int result)
{
    const QString text = q31::devices::MacroWriteMessage(result);
    if (text.isEmpty())
        return;
    emit MacroMessageShown(text);
    const CPaintManagerUI* manager = CPaintManagerUI::ForControl(this);
    // The text is already in the user's language, with the count filled in.
    ShowMessageBox(this, QString(), text, manager ? manager->GetDPI() : CPaintManagerUI::kDefaultDpi, false, 0);
}

QStringList CHalvorinUSBDevice::MacroNames() const
{
    QStringList names;
    for (const q31::macros::MacroEntry& entry : q31::macros::MacroFolder(UserDataFolder()).ReadList())
        names.push_back(entry.name);
    return names;
}

std::vector<std::uint8_t> CHalvorinUSBDevice::LightModeCodes(int kindIndex) const
{
    return q31::devices::ReadLightModeCodes(DefaultDataFolder() + QStringLiteral("default_light.json"), kindIndex);
}

void CHalvorinUSBDevice::SetUpLightEditor(int deviceKind, int kindIndex)
{
    if (!m_lightControl)
        return;
    m_lightControl->SetDeviceKind(deviceKind);
    LoadNameLists();
    QStringList names;
    std::vector<bool> visible;
    for (const q31::devices::EffectListEntry& effect :
         q31::devices::ReadEffectList(DefaultDataFolder() + QStringLiteral("default_light.json"), kindIndex)) {
        names.push_back(effect.name);
        visible.push_back(effect.visible);
    }
    m_lightControl->SetEffectList(names, visible, kLightLevels, kLightLevels);
}

void CHalvorinUSBDevice::ShowLightEditor()
{
    if (!m_lightControl)
        return;
    const LightWords words = PackLightWords(GetLightSettingsBytes());
    m_lightControl->ShowLightSettings(words[0], words[1], words[2], words[3]);
}

void CHalvorinUSBDevice::SaveProfileDocument(CBasicProfiledata& profile)
{
    if (!profile.Save())
        OutputDebugText(QStringLiteral("%1: the profile could not be saved").arg(m_kindName));
}

int CHalvorinUSBDevice::WriteMacros(const std::vector<int>& macros)
{
    AskDevice<int>(
        [this, folder = UserDataFolder(), macros](const CStopEvent&) {
            return DownloadMacros(q31::macros::MacroFolder(folder), macros);
        },
        [this](int result) {
            ShowWriteResult(q31::macros::OutcomeOfMacroWrite(result) != q31::macros::MacroWriteOutcome::Failed);
            ShowMacroWriteMessage(result);
        },
        "macros");
    return 0;
}

int CHalvorinUSBDevice::DownloadMacros(const q31::macros::MacroFolder& folder, const std::vector<int>& macros)
{
    return q31::macros::WriteMacros(m_commandLink, folder, macros);
}
