#include "app/screenshots.h"

#include "app/about_wnd.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/skin_frame.h"
#include "controls/device_key_button_ui.h"
#include "devices/halvorin_usb_device.h"
#include "macros/macro_control_ui.h"
#include "platform/debug_log.h"
#include "ui/option_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

namespace q31::app {
namespace {

constexpr int kSettleMs = 300;
// Long enough for the update check to give up on a service that is not there.
constexpr int kSettingsSettleMs = 2000;
// The keys the key tabs are pictured with: the keyboard's Q and the mouse's middle button.
constexpr int kKeyboardKeyShown = 43;
constexpr int kMouseButtonShown = 2;

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

// The shown window of that class; null when none is.
QWidget* ShownWindow(const char* className)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String(className) && top->isVisible())
            return top;
    }
    return nullptr;
}

// The settings window as the settings button opens it, saved as "settings.png" and closed again.
void SaveSettingsWindow(CMainWnd& window, const QString& folder, std::function<void()> then)
{
    window.HandleMessage(CMainWnd::kOpenSettings, 0, 0);
    QTimer::singleShot(kSettingsSettleMs, window.GetHWND(), [&window, folder, then] {
        QWidget* settings = ShownWindow("SetWnd");
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

// The colour dialog as the mouse page's first DPI stage colour opens it, saved
// as "palette.png" and cancelled; returns once it has closed.
void SavePaletteDialog(CMainWnd& window, const QString& folder)
{
    auto* swatch = window.GetPaintManager().FindControl<QAbstractButton>(QStringLiteral("DPI_color_option_0"));
    if (!swatch)
        return;
    QTimer::singleShot(kSettleMs, window.GetHWND(), [folder] {
        QWidget* dialog = ShownWindow("ColorSelectWnd");
        SaveWidget(dialog, QDir(folder).filePath(QStringLiteral("palette.png")));
        if (auto* cancel = dialog ? dialog->findChild<QAbstractButton*>(QStringLiteral("closebtn")) : nullptr)
            cancel->click();
    });
    swatch->click();
}

// The title bar while the mouse page is selected, with the mouse's power display.
void SavePowerDisplay(CMainWnd& window, const QString& folder)
{
    SaveWidget(window.GetPaintManager().FindControl(QStringLiteral("title_bar")),
               QDir(folder).filePath(QStringLiteral("power.png")));
}

// The skin pop-up over the main window, as its button opens it; closed again after.
void SaveSkinPopup(CMainWnd& window, const QString& folder)
{
    QWidget* anchor = window.GetPaintManager().FindControl(QStringLiteral("skinbtn"));
    CSkinFrame* popup = CSkinFrame::Open(window.GetHWND(), anchor);
    Save(*popup, QDir(folder).filePath(QStringLiteral("skin.png")));
    popup->Close(0);
}

// The page pictured once it has settled, then back on the tab it opens on.
void SaveSettledPage(CMainWnd& window, const QString& folder, CHalvorinUSBDevice* page, const char* firstTabName,
                     const QString& file, std::function<void()> then)
{
    QTimer::singleShot(kSettleMs, window.GetHWND(), [&window, folder, page, firstTabName, file, then] {
        Save(window, QDir(folder).filePath(file));
        if (auto* first = page->findChild<COptionUI*>(QLatin1String(firstTabName)))
            first->click();
        then();
    });
}

// The page pictured on another of its tabs as file, with the key of that
// number clicked when there is one; the page goes back to the tab it opens on
// after, and then runs in any case.
void SavePageTab(CMainWnd& window, const QString& folder, CHalvorinUSBDevice* page, const char* tabName,
                 const char* firstTabName, const QString& file, std::function<void()> then, int key = -1)
{
    auto* tab = page ? page->findChild<COptionUI*>(QLatin1String(tabName)) : nullptr;
    if (!tab) {
        then();
        return;
    }
    tab->click();
    if (CDeviceKeyButtonUI* button = key >= 0 ? page->GetKeyButton(key) : nullptr)
        button->click();
    SaveSettledPage(window, folder, page, firstTabName, file, std::move(then));
}

// The keyboard page also on its macro and key tabs; the mouse page on its
// lighting, macro and key tabs; the headset page on its sound tab. The first
// macro, if any, is shown.
void SaveExtraTabs(CMainWnd& window, const QString& folder, CDeviceOptionUI& entry, std::function<void()> then)
{
    CHalvorinUSBDevice* page = entry.GetDevice();
    if (auto* editor = page ? page->findChild<CMacroControlUI*>() : nullptr) {
        if (auto* names = editor->findChild<QListWidget*>(QStringLiteral("macro_name_list")); names && names->count() > 0)
            names->setCurrentRow(0);
    }
    if (entry.GetKindName() == QLatin1String("HD")) {
        SavePageTab(window, folder, page, "6533_voice_Op_tab", "deng_Op_tab", QStringLiteral("HD_sound.png"),
                    std::move(then));
        return;
    }
    const QString macros = entry.GetKindName() + QStringLiteral("_macros.png");
    const QString keys = entry.GetKindName() + QStringLiteral("_keys.png");
    if (entry.GetKindName() != QLatin1String("mouse")) {
        SavePageTab(window, folder, page, "macro_Op_tab", "deng_Op_tab", macros, [&window, folder, page, keys, then] {
            SavePageTab(window, folder, page, "key_Op_tab", "deng_Op_tab", keys, then, kKeyboardKeyShown);
        });
        return;
    }
    SavePageTab(window, folder, page, "mouse_device_seting_option_2", "mouse_device_seting_option_0",
                QStringLiteral("mouse_lighting.png"), [&window, folder, page, macros, keys, then] {
                    SavePageTab(window, folder, page, "mouse_device_seting_option_4", "mouse_device_seting_option_0",
                                macros, [&window, folder, page, keys, then] {
                                    SavePageTab(window, folder, page, "mouse_device_seting_option_3",
                                                "mouse_device_seting_option_0", keys, then, kMouseButtonShown);
                                });
                });
}

// The keyboard's preview in the spectrum column wave, so that its picture shows the lights in colour.
void ShowColourfulLighting(CDeviceOptionUI& entry)
{
    constexpr DWORD kColumnWave = 1;
    constexpr DWORD kFullLevel = 4;
    constexpr DWORD kForwards = 1;
    constexpr DWORD kMultiColour = 1;
    CHalvorinUSBDevice* page = entry.GetDevice();
    if (page && entry.GetKindName() == QLatin1String("keyboard"))
        page->SetLightSettings(kColumnWave | kFullLevel << 8 | kFullLevel << 16 | kForwards << 24, kMultiColour, 0, 0);
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
    ShowColourfulLighting(*entry);
    if (COptionUI* option = entry->SelectOption())
        option->click();
    QTimer::singleShot(kSettleMs, window.GetHWND(), [&window, folder, next, entry] {
        Save(window, QDir(folder).filePath(entry->GetKindName() + QStringLiteral(".png")));
        if (entry->GetKindName() == QLatin1String("mouse")) {
            SavePowerDisplay(window, folder);
            SavePaletteDialog(window, folder);
        }
        SaveExtraTabs(window, folder, *entry, [&window, folder, next] { TakeNext(window, folder, next + 1); });
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
