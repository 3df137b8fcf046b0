#include "app/screenshots.h"

#include "app/about_wnd.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/skin_frame.h"
#include "platform/debug_log.h"
#include "ui/option_ui.h"

#include <QDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace q31::app {
namespace {

constexpr int kSettleMs = 300;

bool Save(const WindowImplBase& window, const QString& file)
{
    QWidget* host = window.GetHWND();
    const bool saved = host && host->grab().save(file);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
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

void TakeNext(CMainWnd& window, const QString& folder, std::size_t next)
{
    const auto& entries = window.SelectorEntries();
    while (next < entries.size() && !entries[next]->IsEntryVisible())
        ++next;
    if (next >= entries.size()) {
        SaveAboutWindow(window, folder);
        // The way "exit" of the tray menu ends the program.
        window.Close(IDOK);
        return;
    }
    CDeviceOptionUI* entry = entries[next];
    if (COptionUI* option = entry->SelectOption())
        option->click();
    QTimer::singleShot(kSettleMs, window.GetHWND(), [&window, folder, next, entry] {
        Save(window, QDir(folder).filePath(entry->GetKindName() + QStringLiteral(".png")));
        TakeNext(window, folder, next + 1);
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
