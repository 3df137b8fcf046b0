#pragma once
// Keys and mouse buttons of one window only, as the input capture would give
// them, for sessions where the desktop cannot be captured. Keys are kept from
// the window's widgets while it is installed, except the lock keys; mouse
// buttons still work, so the stop button can be pressed.
#include "macros/device_hook.h"

#include <QObject>
#include <QPointer>
#include <QWindow>

class QWidget;

namespace q31::macros {

class FocusInputFilter : public QObject {
public:
    // Installs itself on the window of the widget; removes itself when destroyed.
    FocusInputFilter(QWidget* widget, CDeviceHook::Receiver receiver);
    ~FocusInputFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWindow> m_window;
    CDeviceHook::Receiver m_receiver;
};

}  // namespace q31::macros
