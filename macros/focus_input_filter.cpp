#include "macros/focus_input_filter.h"

#include "macros/input_time.h"
#include "macros/x11_scan_codes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <optional>

namespace q31::macros {

namespace {

using platform::InputEvent;

bool IsLockKey(int key)
{
    return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

std::optional<int> X11Button(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return InputEvent::kLeft;
    case Qt::MiddleButton:
        return InputEvent::kMiddle;
    case Qt::RightButton:
        return InputEvent::kRight;
    case Qt::BackButton:
        return InputEvent::kBack;
    case Qt::ForwardButton:
        return InputEvent::kForward;
    default:
        return std::nullopt;
    }
}

// On X11 the native scan code is the X keycode; on Wayland it is made the same way.
std::optional<InputEvent> KeyInput(const QKeyEvent& key)
{
    const std::optional<ScanCode> scan = ScanCodeFromX11Keycode(static_cast<int>(key.nativeScanCode()));
    if (!scan)
        return std::nullopt;
    InputEvent input;
    input.kind = InputEvent::Kind::Key;
    input.timeMs = InputTimeMs();
    input.down = key.type() == QEvent::KeyPress;
    input.scan = scan->code;
    input.extended = scan->extended;
    return input;
}

std::optional<InputEvent> ButtonInput(const QMouseEvent& mouse, qreal pixelRatio)
{
    const std::optional<int> button = X11Button(mouse.button());
    if (!button)
        return std::nullopt;
    InputEvent input;
    input.kind = InputEvent::Kind::Button;
    input.timeMs = InputTimeMs();
    input.down = mouse.type() != QEvent::MouseButtonRelease;  // a double click is a press
    input.button = *button;
    const QPoint screenPixels = (mouse.globalPosition() * pixelRatio).toPoint();
    input.x = screenPixels.x();
    input.y = screenPixels.y();
    return input;
}

}  // namespace

FocusInputFilter::FocusInputFilter(QWidget* widget, CDeviceHook::Receiver receiver)
    : m_receiver(std::move(receiver))
{
    QWidget* window = widget->window();
    window->winId();  // makes sure the window exists
    m_window = window->windowHandle();
    if (m_window)
        m_window->installEventFilter(this);
}

FocusInputFilter::~FocusInputFilter()
{
    if (m_window)
        m_window->removeEventFilter(this);
}

bool FocusInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.isAutoRepeat())
            return true;
        if (const std::optional<InputEvent> input = KeyInput(key))
            m_receiver(*input);
        return !IsLockKey(key.key());
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (const std::optional<InputEvent> input =
                ButtonInput(static_cast<const QMouseEvent&>(*event), m_window->devicePixelRatio()))
            m_receiver(*input);
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace q31::macros
