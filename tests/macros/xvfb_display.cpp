#include "tests/macros/xvfb_display.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace q31::macros::test {

namespace {

constexpr int kServerStartMs = 10000;
constexpr int kXdotoolMs = 10000;

// The display number the server writes once it listens, or empty.
std::string ReadDisplayNumber(int fd)
{
    std::string number;
    pollfd wait{fd, POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, kServerStartMs) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return number;
}

}  // namespace

bool RunEventsUntil(const std::function<bool()>& done, int waitMs)
{
    QDeadlineTimer deadline(waitMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

QString XvfbDisplay::MissingTool()
{
    for (const QString& tool : {QStringLiteral("Xvfb"), QStringLiteral("xdotool")}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    }
    return {};
}

XvfbDisplay::XvfbDisplay()
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    const std::string server = QStandardPaths::findExecutable(QStringLiteral("Xvfb")).toStdString();
    const std::string fdText = std::to_string(pipeFds[1]);
    m_server = fork();
    if (m_server == 0) {
        close(pipeFds[0]);
        // -noreset: the lock state must outlive the short xdotool connections.
        execl(server.c_str(), "Xvfb", "-displayfd", fdText.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0",
              "1024x768x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    const std::string number = m_server > 0 ? ReadDisplayNumber(pipeFds[0]) : std::string();
    close(pipeFds[0]);
    if (number.empty())
        return;
    m_other = xcb_connect((":" + number).c_str(), nullptr);
    if (xcb_connection_has_error(m_other))
        return;
    m_name = ":" + number;
}

XvfbDisplay::~XvfbDisplay()
{
    if (m_other != nullptr)
        xcb_disconnect(m_other);
    if (m_server > 0) {
        kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
}

xcb_window_t XvfbDisplay::Root() const
{
    return xcb_setup_roots_iterator(xcb_get_setup(m_other)).data->root;
}

bool XvfbDisplay::Xdotool(const QStringList& arguments) const
{
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(m_name));
    xdotool.setProcessEnvironment(environment);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    return xdotool.waitForFinished(kXdotoolMs) && xdotool.exitStatus() == QProcess::NormalExit &&
           xdotool.exitCode() == 0;
}

unsigned XvfbDisplay::ModifierState() const
{
    const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
        xcb_query_pointer_reply(m_other, xcb_query_pointer(m_other, Root()), nullptr), &std::free);
    return pointer ? pointer->mask : 0;
}

bool XvfbDisplay::OtherCanGrabKeyboard() const
{
    const std::unique_ptr<xcb_grab_keyboard_reply_t, decltype(&std::free)> reply(
        xcb_grab_keyboard_reply(m_other,
                                xcb_grab_keyboard(m_other, false, Root(), XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                                                  XCB_GRAB_MODE_ASYNC),
                                nullptr),
        &std::free);
    const bool grabbed = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    xcb_ungrab_keyboard(m_other, XCB_CURRENT_TIME);
    xcb_flush(m_other);
    return grabbed;
}

}  // namespace q31::macros::test
