#include "devices/halvorin_mouse_device.h"

#include "devices/custom_effect_files.h"
#include "devices/custom_effect_modes.h"

#include "devices/mouse_key_table.h"
#include "devices/mouse_link_gate.h"
#include "devices/mouse_profile_write.h"
#include "macros/macro_download.h"
#include "macros/macro_files.h"
#include "macros/macro_rebinding.h"
#include "platform/debug_log.h"
#include "ui/control_text.h"

#include <QGuiApplication>
#include <QScreen>

using namespace q31::devices;

namespace {

// The mouse answers its own request to be read again quickly.
constexpr UINT kMouseSyncDelayMs = 50;

}  // namespace

CHalvorinMouseDevice::CHalvorinMouseDevice(QWidget* parent) : CHalvorinUSBDevice(parent)
{
    SetSyncDelay(kMouseSyncDelayMs);
}

CHalvorinMouseDevice::~CHalvorinMouseDevice()
{
    StopDeviceThreads();
}

ScreenSize CHalvorinMouseDevice::PrimaryScreenSize()
{
    // Taken once: the mouse is told the screen the program started on.
    static const ScreenSize size = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return ScreenSize{};
        const QSize pixels = screen->size() * screen->devicePixelRatio();
        return ScreenSize{pixels.width(), pixels.height()};
    }();
    return size;
}

void CHalvorinMouseDevice::OnActivated()
{
    ReadDeviceLayout();
    ReloadProfile();
    RefreshPage();
    StartPreviewThread();
}

void CHalvorinMouseDevice::ReadDeviceLayout()
{
    ReadForPage<MouseLayoutRead>(
        [this](const CStopEvent&) { return ReadMouseLayout(m_commandLink); },
        [this](const MouseLayoutRead& read) {
            if (read.result != q31::kResultSuccess) {
                // The slots and DPI limits the page knows stay as they were.
                OutputDebugText(QStringLiteral("mouse: the layout could not be read (%1)").arg(read.result));
                return;
            }
            m_layout = read;
            ShowStages();
        },
        "layout");
}

int CHalvorinMouseDevice::ReloadProfile()
{
    SetKindIndex(0);
    LoadSelectedProfile(m_profile);
    TakeProfile();
    return 1;
}

void CHalvorinMouseDevice::TakeProfile()
{
    m_keys = m_profile.ReadKeyList();
    ApplyProfile();
    m_profile.ReadDpiStages(m_stages, m_currentStage);
    m_systemWords = m_profile.ReadMouseSystem();
}

void CHalvorinMouseDevice::ResetFromProfile()
{
    // The shipped default's settings replace those of the profile in use: a
    // reload alone would restore nothing.
    ReloadProfile();
    m_profile.LoadDeviceSection(m_profile.GetDefaultDocumentPath());
    TakeProfile();
    SaveProfile();
    RefreshPage();
}

int CHalvorinMouseDevice::ApplyProfile()
{
    TakeLightSettings(m_profile.ReadLightInfo());
    LoadProfileLighting(m_profile, kKindMouse);
    ShowCustomEffectName();
    return 1;
}

void CHalvorinMouseDevice::ShowCustomEffectName()
{
    auto* combo = findChild<QWidget*>(QStringLiteral("light_combo_modeSelect"));
    if (!combo)
        return;
    const std::optional<int> entry = CustomEntryOfMode(kKindMouse, GetLightSettingsBytes()[kSettingEffect]);
    const std::vector<CustomEffectEntry> list =
        entry ? ReadCustomEffectList(UserDataFolder(), kKindMouse) : std::vector<CustomEffectEntry>{};
    if (entry && std::size_t(*entry) < list.size() && !list[*entry].name.isEmpty())
        combo->setToolTip(list[*entry].name);
    else
        q31::ui::SetTextId(combo, QStringLiteral("light_effect_tip"), "toolTip");
}

void CHalvorinMouseDevice::SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3)
{
    CHalvorinUSBDevice::SetLightSettings(word0, word1, word2, word3);
    m_profile.WriteLightInfo(GetLightSettingsBytes());
}

void CHalvorinMouseDevice::SetKindIndex(int index)
{
    CHalvorinUSBDevice::SetKindIndex(index);
    m_profile.SetDeviceIndex(0);
}

void CHalvorinMouseDevice::SaveProfile()
{
    SaveProfileDocument(m_profile);
}

void CHalvorinMouseDevice::LoadNameLists()
{
    m_macroNames = MacroNames();
    if (CKeySetControlUI* editor = KeyEditor())
        editor->SetMacroNames(m_macroNames);
    m_modeCodes = LightModeCodes(kKindMouse);
}

void CHalvorinMouseDevice::SetKeyList(const std::vector<KeyListEntry>& keys)
{
    m_keys = keys;
    m_profile.WriteKeyAssignments(m_keys);
}

void CHalvorinMouseDevice::DropDanglingMacroKeys()
{
    LoadNameLists();
    std::vector<KeyListEntry> keys = m_keys;
    if (!q31::macros::DropDanglingMacroBindings(keys, int(m_macroNames.size())))
        return;
    SetKeyList(keys);
    ShowKeyCaptions();
}

std::vector<int> CHalvorinMouseDevice::CollectKeyMacros()
{
    return CollectMouseKeyMacros(m_layout.buttonSlots, m_keys, MacroCount());
}

int CHalvorinMouseDevice::WriteKeyTable(int profile, const std::vector<KeyListEntry>& keys)
{
    const MouseKeyTable table = BuildMouseKeyTable(m_layout.keyMap, m_layout.buttonSlots, keys, MacroCount());
    PostWrite("key table", [profile, block = table.block](CDeviceLink& link) {
        return WriteMouseKeyTable(link, block, profile);
    });
    return 1;
}

int CHalvorinMouseDevice::WriteKeyTableCurrent(int profile)
{
    return WriteKeyTable(profile, m_keys);
}

int CHalvorinMouseDevice::DownloadMacros(const q31::macros::MacroFolder& folder, const std::vector<int>& macros)
{
    MouseLinkGate gate(m_commandLink);
    return q31::macros::WriteMacros(m_commandLink, folder, macros, gate.Gate());
}

int CHalvorinMouseDevice::WriteSettings(int profile, int value, int value3, int value4, int value5)
{
    const MouseSettings settings{GetLightSettingsBytes(), m_systemWords, m_currentStage, m_stages,
                                 m_profile.ReadCorrections()};
    const MouseSettingsRecord record = PackMouseSettings(settings, m_modeCodes, std::uint8_t(value),
                                                         std::uint8_t(value3), ScreenSize{value4, value5});
    PostWrite("settings", [record, profile](CDeviceLink& link) { return WriteMouseSettings(link, record, profile); });
    return 1;
}

void CHalvorinMouseDevice::SendSettings()
{
    const ScreenSize screen = PrimaryScreenSize();
    WriteSettings(0, 0, 1, screen.width, screen.height);
}

void CHalvorinMouseDevice::ApplyProfileToDevice()
{
    LoadNameLists();
    AskDevice<MouseProfileWriteResult>(
        [this, image = MouseProfileImageOf(m_profile, m_modeCodes, PrimaryScreenSize()), layout = m_layout,
         folder = UserDataFolder()](const CStopEvent&) {
            return WriteMouseProfile(m_commandLink, layout, image, q31::macros::MacroFolder(folder));
        },
        [this](const MouseProfileWriteResult& written) {
            if (written.result != q31::kResultSuccess)
                OutputDebugText(QStringLiteral("mouse: the profile stopped on its way (%1)").arg(written.result));
            ShowWriteResult(written.result == q31::kResultSuccess);
            ShowMacroWriteMessage(written.macros);
        },
        "profile");
}
