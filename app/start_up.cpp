#include "app/start_up.h"

#include "app/control_classes.h"
#include "app/main_wnd.h"
#include "app/screenshots.h"
#include "app/private_font.h"
#include "app/registered_messages.h"
#include "audio/simulated_chip.h"
#include "platform/bus_client.h"
#include "platform/debug_log.h"
#include "platform/folders.h"
#include "platform/named_mutex.h"
#include "sim/sim_backend_factory.h"
#include "ui/paint_manager.h"
#include "ui/resource_manager.h"

#include <QApplication>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

constexpr int kScreenshotDelayMs = 1500;

constexpr const char* kUsage =
    "Usage: q31 [--simulate] [--screenshots FOLDER]\n"
    "The configuration tool of the Q-31 keyboard, mouse, mouse pad and headset.\n"
    "It keeps running in the tray; starting it again brings its window to the front.\n"
    "\n"
    "  --simulate            work with simulated devices instead of those plugged in\n"
    "  --screenshots FOLDER  save pictures of the main window and every device page\n"
    "                        to FOLDER, then end\n"
    "  -h, --help            show this text\n"
    "\n"
    "Debug output: QT_LOGGING_RULES=\"q31.debug=true\" q31\n";

// "--simulate": the devices are simulated, before anything opens one. False
// (with the reason) when the simulator cannot start.
bool SelectSimulator()
{
    QString error;
    auto backend = q31::sim::MakeSimulatorBackend(&error);
    if (!backend) {
        std::fprintf(stderr, "q31: cannot simulate the devices: %s\n", qPrintable(error));
        return false;
    }
    q31::hid::SetHidBackend(std::move(backend));
    q31::audio::SelectSimulatedChip();
    return true;
}

}  // namespace

void SetupResources()
{
    CPaintManagerUI::SetResourcePath(q31::SkinFolder() + QLatin1Char('/'));
    CResourceManager::GetInstance().LoadResource(QStringLiteral("res.xml"));
    CPaintManagerUI::SetTheme(QStringLiteral("STYLE"));
    q31::app::RegisterControlClasses();
}

int RunQ31(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    if (!DisplayReachable()) {
        std::fprintf(stderr, "q31: no display to show the window on; set DISPLAY, "
                             "or run it without one with QT_QPA_PLATFORM=offscreen\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Q-31"));
    // Hidden in the tray is still running: only "exit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("--simulate")) && !SelectSimulator())
        return 1;
    const qsizetype screenshotOption = arguments.indexOf(QStringLiteral("--screenshots"));
    const QString screenshotFolder = screenshotOption > 0 ? arguments.value(screenshotOption + 1) : QString();

    std::array<CPrivateFont, kPrivateFontPaths.size()> fonts;
    QStringList missingFonts;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        if (!fonts[i].Load(QString::fromLatin1(kPrivateFontPaths[i])))
            missingFonts << QString::fromLatin1(kPrivateFontPaths[i]);
    }
    // They are not shipped: the system's fonts stand in, and the log says so once.
    if (!missingFonts.isEmpty())
        OutputDebugText(QStringLiteral("private fonts not found, the system's fonts stand in: %1")
                            .arg(missingFonts.join(QStringLiteral(", "))));

    RegisterInstanceMessage();
    OutputDebugText(QString::asprintf("软件标示：%u", g_msgInstance));

    CNamedMutex instanceMutex(QStringLiteral("Q-31"));
    if (instanceMutex.AlreadyExisted()) {
        q31::bus::BroadcastBusMessage(g_msgInstance, 0, 1);
    } else {
        SetupResources();
        RegisterGuidMessages();
        auto mainWindow = std::make_unique<CMainWnd>();
        if (mainWindow->CreateMainWindow()) {
            if (!screenshotFolder.isEmpty())
                q31::app::TakeScreenshotsLater(*mainWindow, screenshotFolder, kScreenshotDelayMs);
            application.exec();
        }
        mainWindow.reset();
        CResourceManager::GetInstance().Release();
    }

    for (auto font = fonts.rbegin(); font != fonts.rend(); ++font)
        font->Unload();
    return 0;
}
