#pragma once
// One window's control tree: finding controls, control timers, notifications
// to the window's notifiers, DPI and fonts. Also the process-wide skin settings.
#include "platform/win_types.h"
#include "ui/notify.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// A control that handles its own timers; others get the notification "timer".
class ITimerTarget {
public:
    virtual ~ITimerTarget() = default;
    // False lets the timer go to the notifiers as "timer".
    virtual bool DoTimer(UINT timerId) = 0;
};

struct TFontInfo {
    QString face;
    int size = 14;  // pixels at 96 DPI
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

class CPaintManagerUI : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultDpi = 96;

    CPaintManagerUI();
    ~CPaintManagerUI() override;

    // Process-wide: where skins are read from (default: the data folder's "skin/"),
    // and the program's data folder.
    static void SetResourcePath(const QString& path);
    static QString GetResourcePath();
    static QString GetInstancePath();
    // The theme: a resource name of "res.xml" or a path under the skin folder.
    static void SetTheme(const QString& theme);
    // Runs the UI thread's event loop until the application quits.
    static int MessageLoop();
    // The manager of the window that holds a control; null outside managed windows.
    static CPaintManagerUI* ForControl(const QWidget* control);

    // Manages the tree under root, shown in host (the window).
    void Init(QWidget* host, QWidget* root);
    QWidget* GetRoot() const { return m_root; }
    QWidget* GetHost() const { return m_host; }

    // Null when missing.
    QWidget* FindControl(const QString& name) const;
    template <class T>
    T* FindControl(const QString& name) const
    {
        return qobject_cast<T*>(FindControl(name));
    }
    static QWidget* FindSubControlByName(const QWidget* parent, const QString& name);

    // A repeating timer of a control; setting an existing id restarts it.
    // The timer ends with the control.
    bool SetTimer(QWidget* control, UINT timerId, UINT elapseMs);
    bool KillTimer(QWidget* control, UINT timerId);
    void KillTimer(QWidget* control);

    void SendNotify(QWidget* control, const QString& type, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendNotify(TNotifyUI& msg);
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);

    int GetDPI() const { return m_dpi; }
    double GetDPIScale() const { return m_dpi / double(kDefaultDpi); }
    // Scales sizes, margins, fonts and the theme of the window to the DPI.
    void SetDPI(int dpi);
    static void SetAllDPI(int dpi);
    // Drops the images drawn for the old DPI and repaints.
    void ResetDPIAssets();

    // Fonts by id; a shared font serves every window. Controls pick one with the
    // property "fontId"; the default font serves the others.
    void AddFont(int id, const TFontInfo& font, bool shared = false);
    void SetDefaultFont(const TFontInfo& font, bool shared = false);
    void RemoveAllFonts();
    QFont GetFont(int id) const;
    QFont GetDefaultFont() const;

    // Holds back restyling while several fonts change, so the window is
    // restyled once, when the last batch ends.
    class CLookBatch {
    public:
        explicit CLookBatch(CPaintManagerUI& manager);
        ~CLookBatch();
        CLookBatch(const CLookBatch&) = delete;
        CLookBatch& operator=(const CLookBatch&) = delete;

    private:
        CPaintManagerUI& m_manager;
    };

private:
    void OnTimer(QWidget* control, UINT timerId);
    QFont Scaled(const TFontInfo& font) const;
    void ApplyLook();

    QPointer<QWidget> m_host;
    QPointer<QWidget> m_root;
    QList<INotifyUI*> m_notifiers;
    int m_dpi = kDefaultDpi;
    QHash<int, TFontInfo> m_fonts;
    TFontInfo m_defaultFont;
    bool m_hasDefaultFont = false;
    int m_lookBatches = 0;
    bool m_lookPending = false;
};
