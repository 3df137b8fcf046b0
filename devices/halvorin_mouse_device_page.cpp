// What the mouse page shows and what its controls change: button captions,
// the polling rate, the pointer settings, the tabs and the live LED colours.
#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "devices/halvorin_mouse_device.h"
#include "devices/indexed_name.h"
#include "devices/key_caption.h"
#include "devices/live_frame.h"
#include "devices/quiet_controls.h"
#include "keys/function_naming.h"
#include "keys/function_types.h"
#include "platform/debug_log.h"
#include "platform/registry_settings.h"
#include "ui/resource_manager.h"
#include "ui/container_ui.h"

#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QStandardPaths>

#include <algorithm>

using namespace q31::devices;

namespace {

const QString kPollingRatePrefix = QStringLiteral("polling_rate_option_");
const QString kDesktopSettingsPrefix = QStringLiteral("windowdeviceset_");
const QString kSettingsTabPrefix = QStringLiteral("mouse_device_seting_option_");
const QString kStageEnablePrefix = QStringLiteral("DPI_enable_check_");
const QString kStageSelectPrefix = QStringLiteral("DPI_select_check_");
const QString kStageSliderPrefix = QStringLiteral("DPI_slider_");
const QString kStageEditPrefix = QStringLiteral("DPI_edit_");
const QString kStageColourPrefix = QStringLiteral("DPI_color_option_");

// The button names of the naming rule's language texts, in button order.
constexpr const char* kButtonNameKeys[kMouseButtons] = {
    "mouse_key_left",    "mouse_key_right",    "mouse_key_middle", "mouse_key_forward",
    "mouse_key_back",    "mouse_key_DPI_add",  "mouse_key_DPI_sub", "mouse_key_DPI_loop",
    "keyboard_key_GM",   "mouse_key_M8_key",   "mouse_key_fire_key",
};

// The command's program and arguments; empty when it names no program this system has.
QStringList RunnableCommand(q31::DesktopSettingsPage page)
{
    QStringList command = QProcess::splitCommand(q31::DesktopSettingsCommand(page));
    if (command.isEmpty() || QStandardPaths::findExecutable(command.front()).isEmpty())
        return {};
    return command;
}

q31::DesktopSettingsPage DesktopPageOf(int option)
{
    return option == 0 ? q31::DesktopSettingsPage::Keyboard : q31::DesktopSettingsPage::Mouse;
}

}  // namespace

void CHalvorinMouseDevice::NotifyPump(TNotifyUI& msg)
{
    if (!msg.pSender)
        return;
    const QString name = msg.pSender->objectName();
    const std::optional<IndexedName> split = SplitIndexedName(name);
    const QString prefix = split ? split->prefix : QString();
    const int number = split ? split->number : -1;
    const bool on = msg.wParam != 0;
    if (msg.sType == QLatin1String("valuechanged")) {
        const int value = int(msg.wParam);
        if (name == QLatin1String("pointer_speed_slider"))
            SetPointerSpeed(value);
        else if (name == QLatin1String("double_click_slider"))
            SetDoubleClickTime(value);
        else if (name == QLatin1String("scroll_speed_slider"))
            SetScrollLines(value);
        else if (prefix == kStageSliderPrefix)
            SetStageIndex(number, value);
    } else if (msg.sType == QLatin1String("movevaluechanged") && prefix == kStageSliderPrefix) {
        if (auto* edit = findChild<QLineEdit*>(kStageEditPrefix + QString::number(number)))
            edit->setText(QString::number(DpiOfIndex(m_layout.dpi, int(msg.wParam))));
    } else if ((msg.sType == QLatin1String("return") || msg.sType == QLatin1String("killfocus")) &&
               prefix == kStageEditPrefix) {
        if (auto* edit = qobject_cast<QLineEdit*>(msg.pSender))
            SetStageText(number, edit->text());
    } else if (msg.sType == QLatin1String("click")) {
        if (prefix == kStageColourPrefix)
            PickStageColour(number);
        else if (prefix == kDesktopSettingsPrefix && (number == 0 || number == 1))
            OpenDesktopSettings(number);
    } else if (msg.sType == QLatin1String("selectchanged")) {
        if (name == QLatin1String("scrolls_page_check"))
            SetScrollPage(on);
        else if (name == QLatin1String("pointer_precision_check"))
            SetPointerPrecision(on);
        else if (prefix == kStageEnablePrefix)
            SetStageEnabled(number, on);
        else if (on && prefix == kStageSelectPrefix)
            SelectStage(number);
        else if (on && prefix == kPollingRatePrefix)
            SetPollingRate(number);
        else if (on && prefix == kSettingsTabPrefix)
            ShowSettingsTab(number);
    }
}

void CHalvorinMouseDevice::RefreshPage()
{
    LoadNameLists();
    ShowKeyCaptions();
    ShowLightEditor();
    ShowStages();
    ShowSystemSettings();
    ShowDesktopSettingsLinks();
    emit PageRefreshed();
}

void CHalvorinMouseDevice::ShowKeyCaptions()
{
    const q31::keys::NamingContext context{q31::keys::Page::Mouse, int(m_macroNames.size())};
    const CResourceManager& texts = CResourceManager::GetInstance();
    const QString keySet = texts.GetText(QStringLiteral("Key_Set"));
    const int count = std::min<int>(int(m_keys.size()), kMouseButtons);
    for (int i = 0; i < count; ++i) {
        CDeviceKeyButtonUI* button = GetKeyButton(i);
        const std::optional<QString> caption =
            CaptionOf(q31::keys::NameOfCode(m_keys[i].current, context), m_macroNames);
        if (!button || !caption)
            continue;
        const bool ownFunction = m_keys[i].current == m_keys[i].factory;
        // The drawing carries the short name of a button that does its own job.
        if (!button->property("q31OwnCaption").isValid())
            button->setProperty("q31OwnCaption", button->text());
        if (ownFunction)
            button->setText(button->property("q31OwnCaption").toString());
        else
            ShowCaption(*button, *caption);
        button->setToolTip(texts.GetText(QString::fromLatin1(kButtonNameKeys[i])) + keySet + *caption);
        button->SetKeySetBadgeHidden(ownFunction);
        button->update();
    }
}

void CHalvorinMouseDevice::BindNestedButtons()
{
    CSelectPanelUI* panel = GetSelectPanel();
    if (!panel)
        return;
    for (CDeviceKeyButtonUI* button : panel->findChildren<CDeviceKeyButtonUI*>()) {
        const std::optional<IndexedName> split = SplitIndexedName(button->objectName());
        if (split && split->prefix == QLatin1String("key_") && split->number >= 0 &&
            split->number < int(m_keyButtons.size()))
            m_keyButtons[std::size_t(split->number)] = button;
    }
}

void CHalvorinMouseDevice::SelectKey(int index)
{
    constexpr FunctionCode kLeftClick{q31::keys::kMouseButton, 0x01, 0};
    if (index >= 0 && index < int(m_keys.size()) && m_keys[std::size_t(index)].current == kLeftClick) {
        const auto leftClicks = std::ranges::count(m_keys, kLeftClick, &KeyListEntry::current);
        if (leftClicks < 2) {
            ShowPageMessage(QStringLiteral("message_text_6"));
            return;
        }
    }
    CHalvorinUSBDevice::SelectKey(index);
}

void CHalvorinMouseDevice::ShowSystemSettings()
{
    const int stored = HighHalf(m_systemWords[2]);
    const int rate = stored < kPollingRateOptions ? stored : 0;
    for (int option = 0; option < kPollingRateOptions; ++option)
        ShowSelected(findChild<COptionUI*>(kPollingRatePrefix + QString::number(option)), option == rate);
    ShowValue(findChild<QSlider*>(QStringLiteral("pointer_speed_slider")), HighHalf(m_systemWords[0]));
    ShowValue(findChild<QSlider*>(QStringLiteral("double_click_slider")), LowHalf(m_systemWords[0]));
    ShowValue(findChild<QSlider*>(QStringLiteral("scroll_speed_slider")), LowHalf(m_systemWords[2]));
    ShowSelected(findChild<COptionUI*>(QStringLiteral("pointer_precision_check")), LowHalf(m_systemWords[1]) != 0);
    ShowSelected(findChild<COptionUI*>(QStringLiteral("scrolls_page_check")), HighHalf(m_systemWords[1]) != 0);
}

void CHalvorinMouseDevice::ShowDesktopSettingsLinks()
{
    for (int option = 0; option < 2; ++option)
        if (auto* link = findChild<QWidget*>(kDesktopSettingsPrefix + QString::number(option)))
            link->setVisible(!RunnableCommand(DesktopPageOf(option)).isEmpty());
}

void CHalvorinMouseDevice::OpenDesktopSettings(int option)
{
    QStringList command = RunnableCommand(DesktopPageOf(option));
    if (command.isEmpty())
        return;
    const QString program = command.takeFirst();
    // Detached: the settings program lives on its own and the page never waits for it.
    if (!QProcess::startDetached(program, command))
        OutputDebugText(QStringLiteral("mouse: %1 could not be started").arg(program));
}

void CHalvorinMouseDevice::ShowSettingsTab(int index)
{
    auto* tabs = findChild<CTabLayoutUI*>(QStringLiteral("mouse_device_seting_layout"));
    if (!tabs)
        return;
    const int shown = index >= 0 && index < tabs->count() ? index : 0;
    tabs->SelectItem(shown);
    ShowSelected(findChild<COptionUI*>(kSettingsTabPrefix + QString::number(shown)), true);
}

void CHalvorinMouseDevice::SetPollingRate(int option)
{
    if (option < 0 || option >= kPollingRateOptions)
        return;
    m_systemWords[2] = PackWord(LowHalf(m_systemWords[2]), option);
    StoreSystemSettings(true);
}

void CHalvorinMouseDevice::SetPointerSpeed(int value)
{
    m_systemWords[0] = PackWord(LowHalf(m_systemWords[0]), std::clamp(value, 0, 0xFFFF));
    StoreSystemSettings(false);
}

void CHalvorinMouseDevice::SetDoubleClickTime(int value)
{
    m_systemWords[0] = PackWord(std::clamp(value, 0, 0xFFFF), HighHalf(m_systemWords[0]));
    StoreSystemSettings(false);
}

void CHalvorinMouseDevice::SetScrollLines(int value)
{
    m_systemWords[2] = PackWord(std::clamp(value, 0, 0xFFFF), HighHalf(m_systemWords[2]));
    m_systemWords[1] = PackWord(LowHalf(m_systemWords[1]), 0);
    StoreSystemSettings(false);
}

void CHalvorinMouseDevice::SetScrollPage(bool on)
{
    m_systemWords[1] = PackWord(LowHalf(m_systemWords[1]), on ? 1 : 0);
    if (auto* slider = findChild<QSlider*>(QStringLiteral("scroll_speed_slider")))
        m_systemWords[2] = PackWord(slider->value(), HighHalf(m_systemWords[2]));
    StoreSystemSettings(false);
}

void CHalvorinMouseDevice::SetPointerPrecision(bool on)
{
    m_systemWords[1] = PackWord(on ? 1 : 0, HighHalf(m_systemWords[1]));
    StoreSystemSettings(false);
}

void CHalvorinMouseDevice::StoreSystemSettings(bool send)
{
    m_profile.WriteMouseSystem(m_systemWords);
    SaveProfile();
    ShowSystemSettings();
    if (!send)
        return;
    SendSettings();
}

int CHalvorinMouseDevice::CreatePage()
{
    const int created = CHalvorinUSBDevice::CreatePage();
    SetUpLightEditor(kKindNumber, kKindMouse);
    SetUpKeyEditor(q31::keys::Page::Mouse, MacroNames());
    BindNestedButtons();
    ShowSettingsTab(0);
    return created;
}
