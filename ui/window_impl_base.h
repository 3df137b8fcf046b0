#pragma once
// A window drawn from a skin. The subclass names its skin and class; the window
// builds the controls (asking CreateControl, then the control factory, for class
// names the toolkit does not know), calls InitWindow, passes notifications to
// Notify and private messages (from any thread, SendMessageTo/PostMessageTo) to
// HandleMessage. The window is frameless: the skin's root may give a caption
// area ("caption" = "left,top,right,bottom", as insets from the left and right
// and the band from top to bottom) by which the user moves the window.
#include "platform/ui_message.h"
#include "platform/win_types.h"
#include "ui/dialog_builder.h"
#include "ui/notify.h"
#include "ui/paint_manager.h"
#include "ui/window_styles.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QEventLoop;
class QWidget;

namespace q31::ui {
class CWindowHost;
}

class WindowImplBase : public INotifyUI, public IDialogBuilderCallback, public IMessageReceiver {
public:
    WindowImplBase();
    ~WindowImplBase() override;
    WindowImplBase(const WindowImplBase&) = delete;
    WindowImplBase& operator=(const WindowImplBase&) = delete;

    // A resource name of "res.xml" ("XML_MSG") or a path under the skin folder.
    virtual QString GetSkinFile() = 0;
    virtual QString GetWindowClassName() const = 0;
    // After the controls are built, before the window is first shown.
    virtual void InitWindow() {}
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* CreateControl(const QString& className, QWidget* parent) override;
    QObject* MessageContext() override { return &m_messageContext; }
    // The window has been destroyed; a window object that owns itself deletes itself here.
    virtual void OnFinalMessage() {}

    // Builds the window; a missing or malformed skin gives an empty window.
    // name is the window title. rc: position and size; an empty size keeps the skin's.
    QWidget* Create(QWidget* parent, const QString& name, DWORD style, DWORD exStyle, const QRect& rc = QRect());
    // Shows the window modally; returns the value given to Close.
    UINT ShowModal();
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Over the parent window, or the screen when there is none.
    void CenterWindow();
    // Ends a modal run with ret and destroys the window.
    void Close(UINT ret = IDOK);
    // Minimised, maximised or normal; "maxbtn" then shows while the window is
    // not maximised and "restorebtn" while it is.
    void ChangeWindowState(Qt::WindowState state);
    // Takes dpi when it is one of the DPI steps, else logs "SET_WND DPI SET
    // ERROR" and takes 96; the window is sized from its size at 96 DPI.
    // Returns the DPI taken.
    int SetStepDpi(int dpi, QSize sizeAt96);
    // An image under the skin folder.
    void SetIcon(const QString& imageFile);
    QWidget* GetHWND() const;
    CPaintManagerUI& GetPaintManager() { return m_pm; }

    // Window timers: HandleMessage receives WM_TIMER with the id.
    bool SetTimer(UINT timerId, UINT elapseMs);
    bool KillTimer(UINT timerId);

protected:
    CPaintManagerUI m_pm;

private:
    friend class q31::ui::CWindowHost;
    void OnHostShown();
    void OnHostDestroyed();

    QObject m_messageContext;
    QPointer<q31::ui::CWindowHost> m_host;
    QEventLoop* m_modalLoop = nullptr;
    UINT* m_modalResult = nullptr;
    bool m_initNotified = false;
};
