// What the keyboard page shows of the keyboard: key captions in the current
// language, the key-set badges and the system settings.
#include "controls/device_key_button_ui.h"
#include "devices/halvorin_keyboard_device.h"
#include "keys/function_naming.h"
#include "ui/option_ui.h"
#include "ui/resource_manager.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <optional>

using namespace q31::devices;

namespace {

// The caption of a code, or none when the caption stays as it is.
std::optional<QString> CaptionOf(const q31::keys::CodeName& name, const QStringList& macroNames)
{
    using Kind = q31::keys::CodeName::Kind;
    switch (name.kind) {
    case Kind::NameKeys: {
        const CResourceManager& texts = CResourceManager::GetInstance();
        QStringList parts;
        for (const std::string& key : name.nameKeys)
            parts.push_back(texts.GetText(QString::fromStdString(key)));
        return parts.join(QLatin1Char('+'));
    }
    case Kind::Macro:
        if (name.macro >= 0 && name.macro < macroNames.size())
            return macroNames[name.macro];
        return std::nullopt;
    case Kind::Closed:
        return QStringLiteral("关闭");
    case Kind::Unchanged:
        break;
    }
    return std::nullopt;
}

// The largest text of the caption that fits the key at its own font or at a
// smaller one down to three quarters of it: the caption, or the last word of
// a name of several words ("Num 7", "Page Up"), as keycaps print them; else
// elided. The keys are drawn small and the tip carries the whole caption.
void ShowCaption(CDeviceKeyButtonUI& button, const QString& caption)
{
    static const char* const kSkinFont = "q31SkinFont";
    if (!button.property(kSkinFont).isValid())
        button.setProperty(kSkinFont, button.font());
    const QFont skinFont = button.property(kSkinFont).value<QFont>();
    const int room = button.maximumWidth();
    const int smallest = std::max(1, skinFont.pixelSize() * 3 / 4);
    QFont font = skinFont;
    const auto fits = [&](const QString& text) {
        for (font = skinFont;; font.setPixelSize(font.pixelSize() - 1)) {
            if (QFontMetrics(font).horizontalAdvance(text) < room)
                return true;
            if (font.pixelSize() <= smallest)
                return false;
        }
    };
    const QString lastWord = caption.section(QLatin1Char(' '), -1);
    if (fits(caption))
        button.setText(caption);
    else if (fits(lastWord))
        button.setText(lastWord);
    else
        button.setText(QFontMetrics(font).elidedText(caption, Qt::ElideRight, room));
    button.setFont(font);
}

// Shows a setting without the option reporting a change the user made.
void ShowSelected(COptionUI* option, bool selected)
{
    if (!option)
        return;
    const QSignalBlocker quiet(option);
    option->Selected(selected);
}

}  // namespace

void CHalvorinKeyboardDevice::RefreshPage()
{
    LoadNameLists();
    ShowKeyCaptions();
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
    if (auto* slider = findChild<QSlider*>(QStringLiteral("repeat_rate_slider"))) {
        const QSignalBlocker quiet(slider);
        slider->setValue(LowHalf(m_systemWords[0]));
    }
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
