#pragma once
// A place in a layout for a native window (of this or another process): the
// window is kept on the control's rectangle and shown and hidden with it.
#include <QWidget>

class QWindow;

class CWndUI : public QWidget {
    Q_OBJECT
public:
    explicit CWndUI(QWidget* parent = nullptr);

    QString GetClass() const { return QStringLiteral("Wnd"); }
    // Takes the window over (a native one comes from QWindow::fromWinId) in
    // place of the current one; null just removes the current one.
    void Attach(QWindow* window);
    QWindow* GetWindow() const { return m_window; }

private:
    QWidget* m_container = nullptr;
    QWindow* m_window = nullptr;
};
