#include "macros/macro_event_row.h"

#include "keys/keyboard_keys.h"
#include "profiles/json_access.h"
#include "ui/control_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace q31::macros {
namespace {

constexpr int kRowHeight = 30;
constexpr int kDelayHeight = 25;
constexpr int kDelayWidth = 64;
constexpr int kDelayCharacters = 6;

constexpr int kMouseButton = 1;
constexpr int kHorizontalMove = 4;
constexpr int kVerticalMove = 5;
constexpr int kModifierKey = 9;
constexpr int kKeyboardKey = 10;

const QString kKeyboardStyle = QStringLiteral("macro_label_keyboard_style");
const QString kMouseStyle = QStringLiteral("macro_label_mouse_style");
const QString kDownStyle = QStringLiteral("macro_label_down_style");
const QString kUpStyle = QStringLiteral("macro_label_up_style");
const QString kTextStyle = QStringLiteral("macro_label_text_style");

struct NamedButton {
    int bit;
    const char* nameKey;
};
constexpr NamedButton kMouseButtons[] = {
    {0x01, "mouse_key_left"},    {0x02, "mouse_key_right"}, {0x04, "mouse_key_middle"},
    {0x10, "mouse_key_forward"}, {0x08, "mouse_key_back"},
};

QString KeyNameKey(int type, int button)
{
    const auto& rows = keys::KeyboardKeyRows();
    const bool modifier = type == kModifierKey;
    const std::size_t first = modifier ? 0 : keys::kModifierRows;
    const std::size_t end = modifier ? keys::kModifierRows : rows.size();
    for (std::size_t i = first; i < end && i < rows.size(); ++i) {
        const FunctionCode& code = rows[i].code;
        if (modifier ? code.data1 == button : (code.data1 == 0 && code.data2 == button))
            return QString::fromStdString(rows[i].nameKey);
    }
    return {};
}

QString MouseNameKey(int button)
{
    for (const NamedButton& named : kMouseButtons) {
        if (named.bit == button)
            return QLatin1String(named.nameKey);
    }
    return {};
}

QString MoveNameKey(int type, bool down)
{
    if (type == kHorizontalMove)
        return down ? QStringLiteral("mouse_move_to_left_text") : QStringLiteral("mouse_move_to_right_text");
    return down ? QStringLiteral("mouse_move_to_up_text") : QStringLiteral("mouse_move_to_down_text");
}

QLabel* StyledLabel(const QString& style, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("macroStyle", style);
    label->setProperty("fontId", 7);
    return label;
}

}  // namespace

EventRowLook LookOfEvent(const Json::Value& event)
{
    const int type = json::IntIn(json::Member(event, "Type"), 0, 127);
    const int button = json::ByteOf(json::Member(event, "Button"));
    const bool down = json::TextOf(json::Member(event, "Action")) == QLatin1String("down");
    const QString upOrDown = down ? kDownStyle : kUpStyle;
    switch (type) {
    case kModifierKey:
    case kKeyboardKey:
        return {KeyNameKey(type, button), kKeyboardStyle, upOrDown, {}};
    case kMouseButton:
        return {MouseNameKey(button), kMouseStyle, upOrDown, {}};
    case kHorizontalMove:
    case kVerticalMove:
        return {MoveNameKey(type, down), kMouseStyle, kTextStyle, QString::number(button)};
    default:
        return {{}, kMouseStyle, kTextStyle, {}};
    }
}

QWidget* MakeEventRow(const Json::Value& event, int delay, QWidget* parent)
{
    const EventRowLook look = LookOfEvent(event);
    auto* row = new QWidget(parent);
    row->setObjectName(QStringLiteral("macro_action"));
    row->setFixedHeight(kRowHeight);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(8);

    QLabel* name = StyledLabel(look.nameStyle, row);
    if (!look.nameKey.isEmpty())
        ui::SetTextId(name, look.nameKey);
    QLabel* action = StyledLabel(look.actionStyle, row);
    if (look.actionStyle == kDownStyle)
        ui::SetTextId(action, QStringLiteral("macro_action_down_text"));
    else if (look.actionStyle == kUpStyle)
        ui::SetTextId(action, QStringLiteral("macro_action_up_text"));
    else
        action->setText(look.actionText);

    auto* field = new QLineEdit(QString::number(delay), row);
    field->setObjectName(QStringLiteral("macro_delay"));
    field->setProperty("macroStyle", kTextStyle);
    field->setProperty("fontId", 7);
    field->setFixedSize(kDelayWidth, kDelayHeight);
    field->setMaxLength(kDelayCharacters);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), field));
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    layout->addWidget(name, 3, Qt::AlignVCenter);
    layout->addWidget(action, 2, Qt::AlignVCenter);
    layout->addWidget(field, 0, Qt::AlignVCenter);
    return row;
}

QLineEdit* DelayFieldOf(QWidget* row)
{
    return row ? row->findChild<QLineEdit*>(QStringLiteral("macro_delay")) : nullptr;
}

}  // namespace q31::macros
