// What every device page does with its profile document: loading the one
// its profile list selects, and taking its lighting.
#include "devices/halvorin_usb_device.h"
#include "devices/macro_write_message.h"
#include "profiles/basic_profile_data.h"
#include "profiles/profile_list_file.h"
#include "ui/msg_wnd.h"
#include "ui/paint_manager.h"

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
    std::array<DWORD, 4> words{};
    for (std::size_t i = 0; i < light.size(); ++i)
        words[i / 4] |= DWORD(light[i]) << (8 * (i % 4));
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
