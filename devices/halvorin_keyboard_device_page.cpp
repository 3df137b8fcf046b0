// What the keyboard page shows of the keyboard: key captions in the current
// language, the key-set badges, the lighting editor and the system settings.
#include "controls/device_key_button_ui.h"
#include "controls/light_control_ui.h"
#include "devices/key_caption.h"
#include "devices/quiet_controls.h"
#include "devices/halvorin_keyboard_device.h"
#include "keys/function_naming.h"
#include "ui/option_ui.h"
#include "ui/resource_manager.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <optional>

using namespace q31::devices;

int CHalvorinKeyboardDevice::CreatePage()
{
    const int created = CHalvorinUSBDevice::CreatePage();
    SetUpLightEditor(kKindNumber, kKindKeyboard);
    SetUpKeyEditor(q31::keys::Page::Keyboard, MacroNames());
    return created;
}

void CHalvorinKeyboardDevice::RefreshPage()
{
    LoadNameLists();
    ShowKeyCaptions();
    ShowLightEditor();
    if (CLightControlUI* editor = LightEditor())
        editor->SelectCustomGroup(m_profile.ReadCustomLightGroup());
    ShowSystemSettings();
    ClearRepeatTest();
    if (auto* test = findChild<QLineEdit*>(QStringLiteral("repeat_input_richedit")))
        test->setToolTip(CResourceManager::GetInstance().GetText(QStringLiteral("Repeat_input_text")));
    emit PageRefreshed();
}

void CHalvorinKeyboardDevice::ShowKeyCaptions()
{
    const q31::keys::NamingContext context{q31::keys::Page::Keyboard, int(m_macroNames.size())};
    const QString keySet = CResourceManager::GetInstance().GetText(QStringLiteral("Key_Set"));
    const int count = std::min<int>(int(m_keys.size()), kKeyboardKeys);
    for (int i = 0; i < count; ++i) {
        CDeviceKeyButtonUI* button = GetKeyButton(i);
        const std::optional<QString> caption =
            CaptionOf(q31::keys::NameOfCode(m_keys[i].current, context), m_macroNames);
        if (!button || !caption)
            continue;
        const QString ownName =
            CaptionOf(q31::keys::NameOfCode(FactoryKeyCodes()[i], context), m_macroNames).value_or(QString());
        ShowCaption(*button, *caption);
        button->setToolTip(ownName + keySet + *caption);
        button->SetKeySetBadgeHidden(m_keys[i].current == m_keys[i].factory);
        button->update();
    }
}

void CHalvorinKeyboardDevice::ShowSystemSettings()
{
    const KeyboardFlags flags = KeyboardFlagsOf(m_systemWords);
    ShowSelected(findChild<COptionUI*>(QStringLiteral("6flag_option")), flags.key6Flag != 0);
    ShowSelected(findChild<COptionUI*>(QStringLiteral("wflag_option")), flags.wFlag != 0);
    ShowSelected(findChild<COptionUI*>(QStringLiteral("winlockflag_option")), flags.winFlag != 0);
    const int rate = flags.pollingRate < kPollingRateOptions ? flags.pollingRate : 0;
    for (int option = 0; option < kPollingRateOptions; ++option)
        ShowSelected(findChild<COptionUI*>(QStringLiteral("polling_rate_option_%1").arg(option)), option == rate);
    ShowRepeatSettings();
}

void CHalvorinKeyboardDevice::ShowRepeatSettings()
{
    ShowValue(findChild<QSlider*>(QStringLiteral("repeat_rate_slider")), LowHalf(m_systemWords[0]));
    const int stored = HighHalf(m_systemWords[0]);
    const int delay = stored < kRepeatDelayOptions ? stored : 0;
    for (int option = 0; option < kRepeatDelayOptions; ++option)
        ShowSelected(findChild<COptionUI*>(QStringLiteral("repeat_delay_check_%1").arg(option)), option == delay);
    if (auto* label = findChild<QLabel*>(QStringLiteral("repeat_delay_time_label1")))
        label->setText(CResourceManager::GetInstance().GetText(QStringLiteral("Repeat_Delay_Time")) +
                       QString::number(delay * 250 + 250) + QStringLiteral("ms"));
}

void CHalvorinKeyboardDevice::ClearRepeatTest()
{
    if (auto* test = findChild<QLineEdit*>(QStringLiteral("repeat_input_richedit")))
        test->clear();
}
