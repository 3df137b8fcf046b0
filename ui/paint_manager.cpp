#include "ui/paint_manager.h"

#include "platform/debug_log.h"
#include "platform/folders.h"
#include "ui/dialog_builder.h"
#include "ui/dpi_scaler.h"
#include "ui/render_engine.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

namespace {

constexpr const char* kManagerProperty = "q31PaintManager";

QList<CPaintManagerUI*>& Managers()
{
    static QList<CPaintManagerUI*> managers;
    return managers;
}

// The fonts every window starts with, until the program sets its own.
struct SharedFonts {
    QHash<int, TFontInfo> fonts = {
        {0, {QStringLiteral("Noto Sans"), 15}},  {1, {QStringLiteral("Noto Sans"), 14, false, true}},
        {2, {QStringLiteral("Noto Sans"), 18}},  {3, {QStringLiteral("Noto Sans"), 30}},
        {4, {QStringLiteral("Noto Sans"), 16}},  {5, {QStringLiteral("Noto Sans"), 20}},
        {6, {QStringLiteral("Noto Sans"), 22}},  {7, {QStringLiteral("Noto Sans"), 14}},
        {8, {QStringLiteral("Noto Sans"), 12}},  {9, {QStringLiteral("Noto Sans"), 11}},
        {10, {QStringLiteral("Noto Sans"), 10}}, {11, {QStringLiteral("Noto Sans"), 28}},
        {50, {QStringLiteral("Noto Sans"), 18, true}},
    };
    TFontInfo defaultFont{QStringLiteral("Noto Sans"), 14};
};

SharedFonts& Shared()
{
    static SharedFonts shared;
    return shared;
}

QString& ResourcePath()
{
    static QString path;
    return path;
}

QString& ThemeName()
{
    static QString theme = QStringLiteral("STYLE");
    return theme;
}

QString ThemeText()
{
    static QHash<QString, QString> cache;
    const QString path = CDialogBuilder::SkinFilePath(ThemeName());
    auto it = cache.find(path);
    if (it == cache.end()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            OutputDebugText(QStringLiteral("theme: cannot open %1").arg(path));
        it = cache.insert(path, QString::fromUtf8(file.readAll()));
    }
    return *it;
}

QString TimerName(UINT timerId)
{
    return QStringLiteral("q31Timer_%1").arg(timerId);
}

}  // namespace

CPaintManagerUI::CPaintManagerUI()
{
    Managers().append(this);
}

CPaintManagerUI::~CPaintManagerUI()
{
    Managers().removeAll(this);
    if (m_host)
        m_host->setProperty(kManagerProperty, QVariant());
}

void CPaintManagerUI::SetResourcePath(const QString& path)
{
    ResourcePath() = path.isEmpty() || path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString CPaintManagerUI::GetResourcePath()
{
    return ResourcePath().isEmpty() ? q31::SkinFolder() + QLatin1Char('/') : ResourcePath();
}

QString CPaintManagerUI::GetInstancePath()
{
    return q31::ProgramDataFolder() + QLatin1Char('/');
}

void CPaintManagerUI::SetTheme(const QString& theme)
{
    ThemeName() = theme;
    for (CPaintManagerUI* manager : Managers())
        manager->ApplyLook();
}

int CPaintManagerUI::MessageLoop()
{
    return QApplication::exec();
}

CPaintManagerUI* CPaintManagerUI::ForControl(const QWidget* control)
{
    if (!control)
        return nullptr;
    return qobject_cast<CPaintManagerUI*>(control->window()->property(kManagerProperty).value<QObject*>());
}

void CPaintManagerUI::Init(QWidget* host, QWidget* root)
{
    m_host = host;
    m_root = root;
    root->setProperty("skinRoot", true);
    host->setProperty(kManagerProperty, QVariant::fromValue<QObject*>(this));
    ApplyLook();
}

QWidget* CPaintManagerUI::FindControl(const QString& name) const
{
    if (!m_root || name.isEmpty())
        return nullptr;
    if (m_root->objectName() == name)
        return m_root;
    return FindSubControlByName(m_root, name);
}

QWidget* CPaintManagerUI::FindSubControlByName(const QWidget* parent, const QString& name)
{
    if (!parent || name.isEmpty())
        return nullptr;
    return parent->findChild<QWidget*>(name);
}

bool CPaintManagerUI::SetTimer(QWidget* control, UINT timerId, UINT elapseMs)
{
    if (!control)
        return false;
    auto* timer = control->findChild<QTimer*>(TimerName(timerId), Qt::FindDirectChildrenOnly);
    if (!timer) {
        timer = new QTimer(control);
        timer->setObjectName(TimerName(timerId));
        connect(timer, &QTimer::timeout, this, [this, control, timerId] { OnTimer(control, timerId); });
    }
    timer->start(int(elapseMs));
    return true;
}

bool CPaintManagerUI::KillTimer(QWidget* control, UINT timerId)
{
    if (!control)
        return false;
    auto* timer = control->findChild<QTimer*>(TimerName(timerId), Qt::FindDirectChildrenOnly);
    delete timer;
    return timer != nullptr;
}

void CPaintManagerUI::KillTimer(QWidget* control)
{
    if (!control)
        return;
    for (QTimer* timer : control->findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
        if (timer->objectName().startsWith(QStringLiteral("q31Timer_")))
            delete timer;
    }
}

void CPaintManagerUI::OnTimer(QWidget* control, UINT timerId)
{
    if (auto* target = dynamic_cast<ITimerTarget*>(control); target && target->DoTimer(timerId))
        return;
    SendNotify(control, QStringLiteral("timer"), timerId);
}

void CPaintManagerUI::SendNotify(QWidget* control, const QString& type, WPARAM wParam, LPARAM lParam)
{
    TNotifyUI msg{type, control, wParam, lParam};
    SendNotify(msg);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg)
{
    // A notifier may remove itself (or close the window) while it is notified.
    const QList<INotifyUI*> notifiers = m_notifiers;
    const QPointer<CPaintManagerUI> alive(this);
    for (INotifyUI* notifier : notifiers) {
        if (!alive || !m_notifiers.contains(notifier))
            return;
        notifier->Notify(msg);
    }
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier)
{
    if (!notifier || m_notifiers.contains(notifier))
        return false;
    m_notifiers.append(notifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier)
{
    return m_notifiers.removeAll(notifier) > 0;
}

void CPaintManagerUI::SetDPI(int dpi)
{
    if (dpi <= 0)
        return;
    m_dpi = dpi;
    ApplyLook();
}

void CPaintManagerUI::SetAllDPI(int dpi)
{
    for (CPaintManagerUI* manager : Managers())
        manager->SetDPI(dpi);
}

void CPaintManagerUI::ResetDPIAssets()
{
    CRenderEngine::ClearImageCache();
    if (m_host)
        m_host->update();
}

void CPaintManagerUI::AddFont(int id, const TFontInfo& font, bool shared)
{
    (shared ? Shared().fonts : m_fonts).insert(id, font);
    ApplyLook();
}

void CPaintManagerUI::SetDefaultFont(const TFontInfo& font, bool shared)
{
    if (shared) {
        Shared().defaultFont = font;
    } else {
        m_defaultFont = font;
        m_hasDefaultFont = true;
    }
    ApplyLook();
}

void CPaintManagerUI::RemoveAllFonts()
{
    m_fonts.clear();
    m_hasDefaultFont = false;
    ApplyLook();
}

QFont CPaintManagerUI::GetFont(int id) const
{
    if (m_fonts.contains(id))
        return Scaled(m_fonts.value(id));
    if (Shared().fonts.contains(id))
        return Scaled(Shared().fonts.value(id));
    return GetDefaultFont();
}

QFont CPaintManagerUI::GetDefaultFont() const
{
    return Scaled(m_hasDefaultFont ? m_defaultFont : Shared().defaultFont);
}

QFont CPaintManagerUI::Scaled(const TFontInfo& info) const
{
    QFont font;
    // The skin's face first; faces that cover every language of the program after it.
    font.setFamilies({info.face, QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(std::max(1, int(std::lround(info.size * GetDPIScale()))));
    font.setBold(info.bold);
    font.setUnderline(info.underline);
    font.setItalic(info.italic);
    return font;
}

CPaintManagerUI::CLookBatch::CLookBatch(CPaintManagerUI& manager) : m_manager(manager)
{
    ++m_manager.m_lookBatches;
}

CPaintManagerUI::CLookBatch::~CLookBatch()
{
    if (--m_manager.m_lookBatches == 0 && m_manager.m_lookPending) {
        m_manager.m_lookPending = false;
        m_manager.ApplyLook();
    }
}

void CPaintManagerUI::ApplyLook()
{
    if (m_lookBatches > 0) {
        m_lookPending = true;
        return;
    }
    if (!m_host)
        return;
    const double scale = GetDPIScale();
    m_host->setStyleSheet(q31::ui::ScaleStyleSheet(ThemeText(), scale));
    if (!m_root)
        return;
    // Every control gets its font explicitly: a style-sheet-polished control
    // stops following its parent's font. Controls added later inherit it.
    QList<QWidget*> controls = m_root->findChildren<QWidget*>();
    controls.append(m_root);
    for (QWidget* control : controls) {
        const QVariant fontId = control->property("fontId");
        control->setFont(fontId.isValid() ? GetFont(fontId.toInt()) : GetDefaultFont());
    }
    const QSize base = q31::ui::BaseSize(m_root);
    q31::ui::ScaleTree(m_root, scale);
    if (!base.isEmpty() && m_host != m_root)
        m_host->resize(QSize(int(std::lround(base.width() * scale)), int(std::lround(base.height() * scale))));
}
