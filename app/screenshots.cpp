#include "app/screenshots.h"

#include "app/about_wnd.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/skin_frame.h"
#include "devices/halvorin_usb_device.h"
#include "platform/debug_log.h"
#include "ui/option_ui.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

namespace q31::app {
namespace {

constexpr int kSettleMs = 300;
// Long enough for the update check to give up on a service that is not there.
constexpr int kSettingsSettleMs = 2000;

bool SaveWidget(QWidget* widget, const QString& file)
{
    const bool saved = widget && widget->grab().save(file);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
}

bool Save(const WindowImplBase& window, const QString& file)
{
    return SaveWidget(window.GetHWND(), file);
}

// The settings window as the settings button opens it, saved as "settings.png" and closed again.
void SaveSettingsWindow(CMainWnd& window, const QString& folder, std::function<void()> then)
{
    window.HandleMessage(CMainWnd::kOpenSettings, 0, 0);
    QTimer::singleShot(kSettingsSettleMs, window.GetHWND(), [&window, folder, then] {
        QWidget* settings = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("SetWnd") && top->isVisible())
                settings = top;
        }
        SaveWidget(settings, QDir(folder).filePath(QStringLiteral("settings.png")));
        if (settings)
            settings->close();
        // After its modal run has ended.
        QTimer::singleShot(0, window.GetHWND(), then);
    });
}

// Returns once the picture is taken and the window closed again.
void SaveAboutWindow(CMainWnd& window, const QString& folder)
{
    QTimer::singleShot(kSettleMs, window.GetHWND(), [folder] {
        if (CAboutWnd* about = CAboutWnd::Current()) {
            Save(*about, QDir(folder).filePath(QStringLiteral("about.png")));
            about->Close();
        }
    });
    CAboutWnd::Open(window);
}

// The skin pop-up over the main window, as its button opens it; closed again after.
void SaveSkinPopup(CMainWnd& window, const QString& folder)
{
    QWidget* anchor = window.GetPaintManager().FindControl(QStringLiteral("skinbtn"));
    CSkinFrame* popup = CSkinFrame::Open(window.GetHWND(), anchor);
    Save(*popup, QDir(folder).filePath(QStringLiteral("skin.png")));
    popup->Close(0);
}

// The mouse page also on its lighting tab, as "mouse_lighting.png"; the page
// goes back to its first tab after. then runs in any case.
void SaveMouseLighting(CMainWnd& window, const QString& folder, CDeviceOptionUI& entry, std::function<void()> then)
{
    CHalvorinUSBDevice* page = entry.GetDevice();
    auto* lightingTab = page ? page->findChild<COptionUI*>(QStringLiteral("mouse_device_seting_option_2")) : nullptr;
    if (!lightingTab) {
        then();
        return;
    }
    lightingTab->click();
    QTimer::singleShot(kSettleMs, window.GetHWND(), [&window, folder, page, then] {
        Save(window, QDir(folder).filePath(QStringLiteral("mouse_lighting.png")));
        if (auto* firstTab = page->findChild<COptionUI*>(QStringLiteral("mouse_device_seting_option_0")))
            firstTab->click();
        then();
    });
}

void TakeNext(CMainWnd& window, const QString& folder, std::size_t next)
{
    const auto& entries = window.SelectorEntries();
    while (next < entries.size() && !entries[next]->IsEntryVisible())
        ++next;
    if (next >= entries.size()) {
        SaveAboutWindow(window, folder);
        // The way "exit" of the tray menu ends the program.
        SaveSettingsWindow(window, folder, [&window] { window.Close(IDOK); });
        return;
    }
    CDeviceOptionUI* entry = entries[next];
    if (COptionUI* option = entry->SelectOption())
        option->click();
    QTimer::singleShot(kSettleMs, window.GetHWND(), [&window, folder, next, entry] {
        Save(window, QDir(folder).filePath(entry->GetKindName() + QStringLiteral(".png")));
        SaveMouseLighting(window, folder, *entry, [&window, folder, next] { TakeNext(window, folder, next + 1); });
    });
}

}  // namespace

void TakeScreenshotsLater(CMainWnd& window, const QString& folder, int delayMs)
{
    QDir().mkpath(folder);
    QTimer::singleShot(delayMs, window.GetHWND(), [&window, folder] {
        window.ShowAndBringToFront();
        Save(window, QDir(folder).filePath(QStringLiteral("main.png")));
        SaveSkinPopup(window, folder);
        TakeNext(window, folder, 0);
    });
}

}  // namespace q31::app
