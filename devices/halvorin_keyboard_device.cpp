#include "devices/halvorin_keyboard_device.h"

#include "devices/config_bracket.h"
#include "devices/keyboard_key_table.h"
#include "devices/keyboard_layout_read.h"
#include "macros/macro_download.h"
#include "macros/macro_files.h"
#include "platform/debug_log.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/profile_list_file.h"

using namespace q31::devices;

namespace {

// The keyboard's lists in the shared effect list file.
constexpr Json::ArrayIndex kKeyboardEffectList = 0;

}  // namespace

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
    m_profile.SetDefaultDocumentPath(DefaultProfilePath());
    const q31::ProfileListFile files(UserDataFolder(), DefaultProfilePath());
    const Json::Value list = files.LoadOrCreate();
    const auto entries = q31::ProfileListFile::Entries(list);
    const int selected = q31::ProfileListFile::SelectedIndex(list);
    if (selected >= 0 && std::size_t(selected) < entries.size()) {
        const QString path = files.DocumentPath(entries[selected].id);
        m_profile.SetDocumentPath(path);
        m_profile.LoadDeviceSection(path);
    }
    m_keys = m_profile.ReadKeyList();
    ApplyProfile();
    m_systemWords = m_profile.ReadKeyboardSystem();
    return 1;
}

int CHalvorinKeyboardDevice::ApplyProfile()
{
    const LightSettings light = m_profile.ReadLightInfo();
    std::array<DWORD, 4> words{};
    for (std::size_t i = 0; i < light.size(); ++i)
        words[i / 4] |= DWORD(light[i]) << (8 * (i % 4));
    SetLightSettings(words[0], words[1], words[2], words[3]);
    return 1;
}

void CHalvorinKeyboardDevice::SaveProfile()
{
    if (!m_profile.Save())
        OutputDebugText(QStringLiteral("keyboard: the profile could not be saved"));
}

void CHalvorinKeyboardDevice::LoadNameLists()
{
    m_macroNames.clear();
    for (const q31::macros::MacroEntry& entry : q31::macros::MacroFolder(UserDataFolder()).ReadList())
        m_macroNames.push_back(entry.name);
    m_modeCodes.clear();
    const Json::Value effects = ParseJsonFile(DefaultDataFolder() + QStringLiteral("default_light.json"));
    const Json::Value& list = q31::json::Element(q31::json::Member(effects, "DefaultLightName"), kKeyboardEffectList);
    for (Json::ArrayIndex i = 0; list.isArray() && i < list.size(); ++i) {
        const Json::Value& value = q31::json::Member(list[i], "value");
        // The record carries a mode code in one byte.
        m_modeCodes.push_back(value.isIntegral() ? std::uint8_t(value.asLargestInt() & 0xFF) : 0);
    }
}

void CHalvorinKeyboardDevice::SetKeyList(const std::vector<KeyListEntry>& keys)
{
    m_keys = keys;
    m_profile.WriteKeyAssignments(m_keys);
}

int CHalvorinKeyboardDevice::MacroCount() const
{
    return int(q31::macros::MacroFolder(UserDataFolder()).ReadList().size());
}

std::vector<int> CHalvorinKeyboardDevice::CollectKeyMacros()
{
    return BuildKeyboardKeyTable(m_keyMap, m_layout, m_keys, MacroCount()).macroSlots;
}

int CHalvorinKeyboardDevice::WriteKeyTable(int bank, const std::vector<KeyListEntry>& keys)
{
    const KeyboardKeyTable table = BuildKeyboardKeyTable(m_keyMap, m_layout, keys, MacroCount());
    PostWrite("key table", [bank, block = table.block](CDeviceLink& link) {
        if (!link.IsOpen())
            return q31::kResultNoReply;
        return InConfigBracket(link, [&] {
            std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength> info{};
            if (const int read = link.ReadDeviceInfo(info); read != q31::kResultSuccess)
                return read;
            const std::optional<int> positions = KeyPositionCount(info);
            if (!positions || link.SetBlockLength(std::uint16_t(3 * *positions)) != q31::kResultSuccess)
                return q31::kResultNoReply;
            return link.WriteKeyMap(block.data(), bank);
        });
    });
    return 1;
}

int CHalvorinKeyboardDevice::WriteKeyTableCurrent(int bank)
{
    return WriteKeyTable(bank, m_keys);
}

int CHalvorinKeyboardDevice::WriteMacros(const std::vector<int>& macros)
{
    PostWrite("macros", [folder = UserDataFolder(), macros](CDeviceLink& link) {
        const int result = q31::macros::WriteMacros(link, q31::macros::MacroFolder(folder), macros);
        if (q31::macros::OutcomeOfMacroWrite(result) == q31::macros::MacroWriteOutcome::Written)
            return q31::kResultSuccess;
        OutputDebugText(QStringLiteral("keyboard: the macros were not written (%1)").arg(result));
        return result < q31::kResultNoReply ? result : q31::kResultNoReply;
    });
    return 0;
}
