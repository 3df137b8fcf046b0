#pragma once
// A control notification: what happened ("click", "selectchanged", ...), to which
// control, with two message-style arguments.
#include "platform/win_types.h"

#include <QString>

class QWidget;

struct TNotifyUI {
    QString sType;
    QWidget* pSender = nullptr;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};
