#pragma once
// The About window: which version of Q-31 this is. Modal over the main
// window, and never more than one at a time.
#include "ui/window_impl_base.h"

class CAboutWnd : public WindowImplBase {
public:
    // The main window passes its language change on with this message.
    static constexpr UINT kLanguageChanged = 0x0C11;

    // Opens the window over owner, at owner's DPI, and returns when it closes;
    // while one is open it does nothing.
    static void Open(WindowImplBase& owner);
    // The open window; null while none is.
    static CAboutWnd* Current();
    // "software_rev_text" in the current language, then this build's version.
    static QString VersionText();

    QString GetSkinFile() override { return QStringLiteral("XML_ABOUT"); }
    QString GetWindowClassName() const override { return QStringLiteral("AboutWnd"); }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window owns itself and goes with its window.
    void OnFinalMessage() override { delete this; }

private:
    CAboutWnd() = default;
    ~CAboutWnd() override;

    void ShowVersion();

    QWidget* m_closeButton = nullptr;
    QWidget* m_maxButton = nullptr;
    QWidget* m_restoreButton = nullptr;
    QWidget* m_minButton = nullptr;
};
