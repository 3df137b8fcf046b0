#include "macros/device_hook.h"

#include "platform/debug_log.h"
#include "platform/post_to_thread.h"

#include <QGuiApplication>

#include <atomic>

namespace q31::macros {

namespace {

QString StartText(X11InputCapture::Start start)
{
    switch (start) {
    case X11InputCapture::Start::Capturing:
        return QStringLiteral("capturing the desktop");
    case X11InputCapture::Start::NoDisplay:
        return QStringLiteral("no X display");
    case X11InputCapture::Start::NoRawInput:
        return QStringLiteral("no XInput2 raw events");
    case X11InputCapture::Start::GrabRefused:
        return QStringLiteral("keyboard grab refused");
    }
    return {};
}

}  // namespace

std::string QtX11Display()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return qEnvironmentVariable("DISPLAY").toStdString();
}

// Shared with the calls already posted, so that Remove also drops those.
struct CDeviceHook::Delivery {
    std::atomic<bool> open{true};
    Receiver receiver;
};

CDeviceHook::CDeviceHook(QObject* context, std::string displayName)
    : m_context(context), m_displayName(std::move(displayName))
{
}

CDeviceHook::~CDeviceHook()
{
    Remove();
}

HookReach CDeviceHook::Install(int mode, Receiver receiver)
{
    Remove();
    m_mode = mode;
    auto delivery = std::make_shared<Delivery>();
    delivery->receiver = std::move(receiver);
    const X11InputCapture::Start start =
        m_capture.Begin(m_displayName, [delivery, context = m_context](const platform::InputEvent& event) {
            PostToThreadOf(context, [delivery, event] {
                if (delivery->open)
                    delivery->receiver(event);
            });
        });
    OutputDebugText(QStringLiteral("input hook mode %1: %2").arg(mode).arg(StartText(start)));
    if (start != X11InputCapture::Start::Capturing)
        return HookReach::WindowOnly;
    m_delivery = std::move(delivery);
    return HookReach::Desktop;
}

void CDeviceHook::Remove()
{
    m_capture.Stop();
    if (m_delivery)
        m_delivery->open = false;
    m_delivery.reset();
    m_mode = 0;
}

int CDeviceHook::Mode() const
{
    return m_mode;
}

}  // namespace q31::macros
