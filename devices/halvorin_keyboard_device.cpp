#include "devices/halvorin_keyboard_device.h"

#include "devices/keyboard_key_table.h"
#include "devices/keyboard_layout_read.h"
#include "devices/keyboard_profile_write.h"
#include "macros/macro_download.h"
#include "macros/macro_files.h"
#include "macros/macro_rebinding.h"
#include "platform/debug_log.h"

using namespace q31::devices;

CHalvorinKeyboardDevice::CHalvorinKeyboardDevice(QWidget* parent)
    : CHalvorinUSBDevice(parent), m_layout(BuildKeyboardLayout(0, {}, {}))
{
}

CHalvorinKeyboardDevice::~CHalvorinKeyboardDevice()
{
    StopDeviceThreads();
}

void CHalvorinKeyboardDevice::OnActivated()
{
    ReadDeviceLayout();
    ReloadProfile();
    ReadSettings();
    StartLightThread();
}

void CHalvorinKeyboardDevice::SyncFromDevice()
{
    ReadSettings();
}

void CHalvorinKeyboardDevice::ReadDeviceLayout()
{
    ReadForPage<std::optional<KeyboardLayoutRead>>(
        [this](const CStopEvent&) -> std::optional<KeyboardLayoutRead> {
            if (!m_commandLink.IsOpen())
                return std::nullopt;
            return ReadKeyboardLayout(m_commandLink);
        },
        [this](std::optional<KeyboardLayoutRead> read) {
            if (!read)
                return;
            if (read->result != q31::kResultSuccess) {
                OutputDebugText(QStringLiteral("keyboard: the key layout could not be read (%1)").arg(read->result));
                return;
            }
            m_keyMap = read->keyMap;
            m_layout = read->layout;
        },
        "layout");
}

int CHalvorinKeyboardDevice::ReloadProfile()
{
    SetKindIndex(0);
    LoadSelectedProfile(m_profile);
    TakeProfile();
    return 1;
}

void CHalvorinKeyboardDevice::ResetFromProfile()
{
    // The shipped default's settings replace those of the profile in use.
    m_profile.LoadDeviceSection(m_profile.GetDefaultDocumentPath());
    TakeProfile();
    SaveProfile();
    RefreshPage();
}

void CHalvorinKeyboardDevice::TakeProfile()
{
    m_keys = m_profile.ReadKeyList();
    ApplyProfile();
    m_systemWords = m_profile.ReadKeyboardSystem();
}

int CHalvorinKeyboardDevice::ApplyProfile()
{
    TakeLightSettings(m_profile.ReadLightInfo());
    LoadProfileLighting(m_profile, kKindKeyboard);
    return 1;
}

void CHalvorinKeyboardDevice::SaveProfile()
{
    SaveProfileDocument(m_profile);
}

void CHalvorinKeyboardDevice::SelectCustomGroup(int group)
{
    if (group < 0 || group > 0xFF)
        return;
    m_profile.WriteCustomLightGroup(group);
    LightSettings light = GetLightSettingsBytes();
    light[kKeyboardCustomGroup] = std::uint8_t(group);
    TakeLightSettings(light);
    SaveProfile();
}

void CHalvorinKeyboardDevice::FillCustomGroup(bool lit)
{
    const LightSettings light = GetLightSettingsBytes();
    const CustomColour colour =
        lit ? CustomColour{light[kSettingRed], light[kSettingGreen], light[kSettingBlue], 0xFF} : CustomColour{};
    const KeyboardCustomColours group{light[kKeyboardCustomGroup], std::vector<CustomColour>(kKeyboardKeys, colour)};
    m_profile.WriteCustomLightColors(group.group, group.colours);
    SaveProfile();
    if (light[kSettingEffect] != kCustomColourMode)
        return;
    PostWrite("custom colours", [layout = m_layout, group](CDeviceLink& link) {
        return link.IsOpen() ? WriteCustomColours(link, layout, group) : q31::kResultNoReply;
    });
}

void CHalvorinKeyboardDevice::LoadNameLists()
{
    m_macroNames = MacroNames();
    if (CKeySetControlUI* editor = KeyEditor())
        editor->SetMacroNames(m_macroNames);
    m_modeCodes = LightModeCodes(kKindKeyboard);
}

void CHalvorinKeyboardDevice::SetKeyList(const std::vector<KeyListEntry>& keys)
{
    m_keys = keys;
    m_profile.WriteKeyAssignments(m_keys);
}

void CHalvorinKeyboardDevice::DropDanglingMacroKeys()
{
    LoadNameLists();
    std::vector<KeyListEntry> keys = m_keys;
    if (!q31::macros::DropDanglingMacroBindings(keys, int(m_macroNames.size())))
        return;
    SetKeyList(keys);
    ShowKeyCaptions();
}

std::vector<int> CHalvorinKeyboardDevice::CollectKeyMacros()
{
    return BuildKeyboardKeyTable(m_keyMap, m_layout, m_keys, MacroCount()).macroSlots;
}

int CHalvorinKeyboardDevice::WriteKeyTable(int bank, const std::vector<KeyListEntry>& keys)
{
    const KeyboardKeyTable table = BuildKeyboardKeyTable(m_keyMap, m_layout, keys, MacroCount());
    PostWrite("key table", [bank, block = table.block](CDeviceLink& link) {
        return link.IsOpen() ? WriteKeyboardKeyTable(link, block, bank) : q31::kResultNoReply;
    });
    return 1;
}

int CHalvorinKeyboardDevice::WriteKeyTableCurrent(int bank)
{
    return WriteKeyTable(bank, m_keys);
}

void CHalvorinKeyboardDevice::ApplyProfileToDevice()
{
    LoadNameLists();
    AskDevice<KeyboardProfileWriteResult>(
        [this, image = KeyboardProfileImageOf(m_profile, m_modeCodes), keyMap = m_keyMap, layout = m_layout,
         folder = UserDataFolder()](const CStopEvent&) {
            return WriteKeyboardProfile(m_commandLink, keyMap, layout, image, q31::macros::MacroFolder(folder));
        },
        [this](const KeyboardProfileWriteResult& written) {
            if (written.result != q31::kResultSuccess)
                OutputDebugText(QStringLiteral("keyboard: the profile stopped on its way (%1)").arg(written.result));
            ShowWriteResult(written.result == q31::kResultSuccess);
            ShowMacroWriteMessage(written.macros);
        },
        "profile");
}
