#pragma once
// One row of the macro editor's event list: how an event object is shown (its
// name and action captions) and the row widget that shows it, with the delay
// field the next save reads.
#include <QString>
#include <json/value.h>

class QLineEdit;
class QWidget;

namespace q31::macros {

struct EventRowLook {
    QString nameKey;      // language id of the key or button; empty when unnamed
    QString nameStyle;    // "macro_label_keyboard_style" or "macro_label_mouse_style"
    QString actionStyle;  // down, up, or text style
    QString actionText;   // the distance of a move; empty otherwise
};

EventRowLook LookOfEvent(const Json::Value& event);

// "macro_action": name label, action label and the "macro_delay" field
// (digits only, at most 6) showing delay.
QWidget* MakeEventRow(const Json::Value& event, int delay, QWidget* parent = nullptr);
QLineEdit* DelayFieldOf(QWidget* row);

}  // namespace q31::macros
