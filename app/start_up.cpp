#include "app/start_up.h"

#include "app/main_wnd.h"
#include "app/private_font.h"
#include "app/registered_messages.h"
#include "platform/bus_client.h"
#include "platform/debug_log.h"
#include "platform/named_mutex.h"

#include <QApplication>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr std::array<const char*, 4> kPrivateFontPaths = {
    "Font/Simplified_Chinese.ttf", "Font/Vorneth-Regular.otf", "Font/NotoSansThai-Regular.ttf",
    "Font/NotoSansCJKtc-Regular.otf"};

bool DisplayReachable()
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(variable); value && *value)
            return true;
    return false;
}

}  // namespace

int RunQ31(int argc, char** argv)
{
    if (!DisplayReachable()) {
        std::fprintf(stderr, "q31: no display to show the window on; set DISPLAY, "
                             "or run it without one with QT_QPA_PLATFORM=offscreen\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Q-31"));

    std::array<CPrivateFont, kPrivateFontPaths.size()> fonts;
    for (std::size_t i = 0; i < fonts.size(); ++i)
        fonts[i].Load(QString::fromLatin1(kPrivateFontPaths[i]));

    RegisterInstanceMessage();
    OutputDebugText(QString::asprintf("软件标示：%u", g_msgInstance));

    CNamedMutex instanceMutex(QStringLiteral("Q-31"));
    if (instanceMutex.AlreadyExisted()) {
        q31::bus::BroadcastBusMessage(g_msgInstance, 0, 1);
    } else {
        RegisterGuidMessages();
        auto mainWindow = std::make_unique<CMainWnd>();
        mainWindow->ShowAndBringToFront();
        application.exec();
        mainWindow.reset();
    }

    for (auto font = fonts.rbegin(); font != fonts.rend(); ++font)
        font->Unload();
    return 0;
}
