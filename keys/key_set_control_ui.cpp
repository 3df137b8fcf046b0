#include "keys/key_set_control_ui.h"

#include "controls/quiet_controls.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"
#include "ui/resource_manager.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <array>

using namespace q31::keys;

namespace {

constexpr int kMacroRowHeight = 30;
const char* const kNameKeyProperty = "q31NameKey";
const QString kModifierPrefix = QStringLiteral("key_ComBox_check_");

// The numeric fields, each bound to its member of the fields.
struct NumberField {
    const char* name;
    int KeySetFields::*field;
};
constexpr std::array<NumberField, 9> kNumberFields = {{
    {"keyset_mouseswing_num_edit", &KeySetFields::scrollCount},
    {"keyset_mouseswing_delay_edit", &KeySetFields::scrollDelay},
    {"keyset_mouseswing_speed_edit", &KeySetFields::scrollSpeed},
    {"keyset_mousewheel_num_edit", &KeySetFields::wheelCount},
    {"keyset_mousewheel_delay_edit", &KeySetFields::wheelDelay},
    {"keyset_mousewheel_speed_edit", &KeySetFields::wheelSpeed},
    {"keyset_mousefire_interval_edit", &KeySetFields::fireInterval},
    {"keyset_mousefire_num_edit", &KeySetFields::fireShots},
    {"keyset_macro_cycle_edit", &KeySetFields::macroRepeat},
}};

// The selection lists, each bound to the position it selects.
struct ListField {
    const char* name;
    int KeySetFields::*field;
};
constexpr std::array<ListField, 11> kListFields = {{
    {"keyset_mousekey_combo", &KeySetFields::mouseButton},
    {"keyset_mouseswing_combo", &KeySetFields::scrollDirection},
    {"keyset_mousewheel_combo", &KeySetFields::wheelDirection},
    {"keyset_mousedpi_combo", &KeySetFields::dpiAction},
    {"keyset_media_combo", &KeySetFields::media},
    {"keyset_system_combo", &KeySetFields::system},
    {"keyset_macro_combo", &KeySetFields::macro},
    {"keyset_macro_over_combo", &KeySetFields::macroMode},
    {"keyset_gunkey_combo", &KeySetFields::recoil},
    {"keyset_combokey_combo", &KeySetFields::shortcut},
    {"keyset_function_combo", &KeySetFields::category},
}};

// Empty or non-numeric text counts as 0.
int NumberIn(const QLineEdit* edit)
{
    return edit ? edit->text().toInt() : 0;
}

void ShowNumber(QLineEdit* edit, int value)
{
    if (!edit)
        return;
    const QSignalBlocker quiet(edit);
    edit->setText(QString::number(value));
}

void ShowIndex(QComboBox* combo, int index)
{
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

template <class Table>
bool Names(const Table& table, const QString& name)
{
    return std::any_of(table.begin(), table.end(), [&](const auto& row) { return name == QLatin1String(row.name); });
}

}  // namespace

CKeySetControlUI::CKeySetControlUI(QWidget* parent) : CVerticalLayoutUI(parent) {}

CKeySetControlUI::~CKeySetControlUI()
{
    // Keyboard input never stays captured after the page is gone.
    StopCapture();
}

QComboBox* CKeySetControlUI::Combo(const char* name) const
{
    return findChild<QComboBox*>(QLatin1String(name));
}

QLineEdit* CKeySetControlUI::Edit(const char* name) const
{
    return findChild<QLineEdit*>(QLatin1String(name));
}

void CKeySetControlUI::Bind(Page page, const QStringList& macroNames)
{
    m_page = page;
    if (QComboBox* categories = Combo("keyset_function_combo")) {
        const QSignalBlocker quiet(categories);
        for (int i = 0; i < categories->count(); ++i) {
            if (!categories->itemData(i).isValid())
                categories->setItemData(i, i);
        }
        for (int i = categories->count() - 1; i >= 0; --i) {
            if (!IsCategoryOffered(categories->itemData(i).toInt(), page))
                categories->removeItem(i);
        }
    }
    for (const NumberField& number : kNumberFields) {
        if (QLineEdit* edit = Edit(number.name))
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), edit));
    }
    if (QLineEdit* key = Edit("keyset_keyboard_text_edit"))
        key->installEventFilter(this);
    SetMacroNames(macroNames);
    if (QWidget* layout = findChild<QWidget*>(QStringLiteral("keyset_layout")))
        layout->hide();
}

void CKeySetControlUI::SetMacroNames(const QStringList& macroNames)
{
    m_macroNames = macroNames;
    QComboBox* macros = Combo("keyset_macro_combo");
    if (!macros)
        return;
    {
        const QSignalBlocker quiet(macros);
        macros->clear();
        for (const QString& name : macroNames) {
            macros->addItem(name);
            macros->setItemData(macros->count() - 1, QSize(0, kMacroRowHeight), Qt::SizeHintRole);
        }
        macros->setCurrentIndex(-1);
    }
    if (IsPanelShown())
        ShowCode(m_entry.current);
}

void CKeySetControlUI::SetCapture(IKeyCapture* capture)
{
    StopCapture();
    m_capture = capture;
}

void CKeySetControlUI::ShowKey(const KeyListEntry& entry)
{
    m_entry = entry;
    if (QWidget* layout = findChild<QWidget*>(QStringLiteral("keyset_layout")))
        layout->show();
    ShowCode(m_entry.current);
    SetButtonsEnabled(false);
}

void CKeySetControlUI::ShowDefault()
{
    ShowCode(m_entry.factory);
}

void CKeySetControlUI::ShowCurrent()
{
    ShowCode(m_entry.current);
}

KeyListEntry CKeySetControlUI::Encode()
{
    m_entry.current = EncodeKeySet(ReadFields(), m_entry.current, m_entry.factory, int(m_macroNames.size()));
    return m_entry;
}

void CKeySetControlUI::SetButtonsEnabled(bool enabled)
{
    for (const char* name : {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"}) {
        if (QWidget* button = findChild<QWidget*>(QLatin1String(name)))
            button->setEnabled(enabled);
    }
}

bool CKeySetControlUI::IsPanelShown() const
{
    const QWidget* layout = findChild<QWidget*>(QStringLiteral("keyset_layout"));
    return layout && !layout->isHidden();
}

KeySetFields CKeySetControlUI::ReadFields() const
{
    KeySetFields fields;
    for (const NumberField& number : kNumberFields)
        fields.*number.field = NumberIn(Edit(number.name));
    for (const ListField& list : kListFields) {
        if (const QComboBox* combo = Combo(list.name))
            fields.*list.field = combo->currentIndex();
    }
    if (const QComboBox* categories = Combo("keyset_function_combo"))
        fields.category = categories->currentIndex() < 0 ? kCategoryDefault : categories->currentData().toInt();
    fields.modifier = kNone;
    for (int option = 0; option < kModifierOptions; ++option) {
        const auto* check = findChild<COptionUI*>(kModifierPrefix + QString::number(option));
        if (check && check->IsSelected())
            fields.modifier = option;
    }
    if (const QLineEdit* key = Edit("keyset_keyboard_text_edit"); key && !key->text().isEmpty())
        fields.keyNameKey = key->property(kNameKeyProperty).toString().toStdString();
    if (const QWidget* cycle = findChild<QWidget*>(QStringLiteral("keyset_macro_cycle_layout")))
        fields.macroRepeatShown = !cycle->isHidden();
    return fields;
}

void CKeySetControlUI::ShowFields(const KeySetFields& fields)
{
    for (const NumberField& number : kNumberFields)
        ShowNumber(Edit(number.name), fields.*number.field);
    for (const ListField& list : kListFields) {
        if (list.field != &KeySetFields::category)
            ShowIndex(Combo(list.name), fields.*list.field);
    }
    for (int option = 0; option < kModifierOptions; ++option)
        q31::controls::ShowSelected(findChild<COptionUI*>(kModifierPrefix + QString::number(option)),
                                    option == fields.modifier);
    if (QLineEdit* key = Edit("keyset_keyboard_text_edit")) {
        const QString nameKey = QString::fromStdString(fields.keyNameKey);
        const QSignalBlocker quiet(key);
        key->setProperty(kNameKeyProperty, nameKey);
        key->setText(nameKey.isEmpty() ? QString() : CResourceManager::GetInstance().GetText(nameKey));
    }
    if (QWidget* cycle = findChild<QWidget*>(QStringLiteral("keyset_macro_cycle_layout")))
        cycle->setVisible(fields.macroRepeatShown);
}

void CKeySetControlUI::ShowCategoryPage(int category)
{
    if (auto* pages = findChild<CTabLayoutUI*>(QStringLiteral("function_switch_tablayout")))
        pages->SelectItem(category);
}

void CKeySetControlUI::ShowCode(FunctionCode code)
{
    const DecodedKeySet decoded =
        DecodeKeySet(ReadFields(), code, m_entry.current, m_entry.factory, m_page, int(m_macroNames.size()));
    m_entry.current = decoded.current;
    ShowFields(decoded.fields);
    QWidget* layout = findChild<QWidget*>(QStringLiteral("keyset_layout"));
    QComboBox* categories = Combo("keyset_function_combo");
    const int item = categories && decoded.shownCategory ? categories->findData(*decoded.shownCategory) : -1;
    if (item < 0) {
        if (layout)
            layout->hide();
        return;
    }
    ShowIndex(categories, item);
    ShowCategoryPage(*decoded.shownCategory);
    if (layout)
        layout->show();
}

void CKeySetControlUI::Apply()
{
    emit KeyAssigned(Encode());
    SetButtonsEnabled(true);
}

void CKeySetControlUI::OnNotify(const TNotifyUI& msg)
{
    if (!msg.pSender)
        return;
    const QString name = msg.pSender->objectName();
    if (msg.sType == QLatin1String("itemselect") && Names(kListFields, name)) {
        if (name == QLatin1String("keyset_function_combo")) {
            const int category = Combo("keyset_function_combo")->currentData().toInt();
            ShowCategoryPage(category);
            if (category == kCategoryKey) {
                KeySetFields fields = ReadFields();
                fields.modifier = kNone;
                fields.keyNameKey.clear();
                ShowFields(fields);
            }
        } else if (name == QLatin1String("keyset_macro_over_combo")) {
            if (QWidget* cycle = findChild<QWidget*>(QStringLiteral("keyset_macro_cycle_layout")))
                cycle->setVisible(int(msg.wParam) == kMacroRepeatCountMode);
        }
        Apply();
    } else if (msg.sType == QLatin1String("killfocus") && Names(kNumberFields, name)) {
        Apply();
    } else if (msg.sType == QLatin1String("selectchanged") && msg.wParam && name.startsWith(kModifierPrefix)) {
        Apply();
    } else if (msg.sType == QLatin1String("click")) {
        if (name == QLatin1String("key_butt_keysave")) {
            Apply();
        } else if (name == QLatin1String("key_butt_keydefalut")) {
            ShowDefault();
            SetButtonsEnabled(true);
        } else if (name == QLatin1String("key_butt_keycancel")) {
            ShowCurrent();
            SetButtonsEnabled(false);
        } else if (name == QLatin1String("key_butt_prosave")) {
            emit SaveRequested();
            SetButtonsEnabled(false);
        }
    }
}

void CKeySetControlUI::OnCapturedKey(const q31::platform::InputEvent& input)
{
    if (input.kind != q31::platform::InputEvent::Kind::Key)
        return;
    const std::optional<CapturedKeySet> captured =
        CaptureKey(ReadFields(), m_entry.current, static_cast<std::uint8_t>(input.scan & 0xFF), input.extended);
    if (!captured)
        return;
    m_entry.current = captured->current;
    ShowFields(captured->fields);
    Apply();
}

bool CKeySetControlUI::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && m_capture && !m_capturing) {
        const QPointer<CKeySetControlUI> self(this);
        m_capturing = m_capture->Start(window(), [self](const q31::platform::InputEvent& input) {
            if (self)
                self->OnCapturedKey(input);
        });
    } else if (event->type() == QEvent::FocusOut) {
        StopCapture();
    }
    return CVerticalLayoutUI::eventFilter(watched, event);
}

void CKeySetControlUI::StopCapture()
{
    if (m_capturing && m_capture)
        m_capture->Stop();
    m_capturing = false;
}

void q31::keys::RegisterKeySetControls(CControlFactory& factory)
{
    factory.RegisterControl<CKeySetControlUI>(QStringLiteral("KeySetControl"), QStringLiteral("CKeySetControlUI"));
}
