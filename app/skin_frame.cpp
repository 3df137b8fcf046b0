#include "app/skin_frame.h"

#include "app/skin_change.h"
#include "app/skin_choice_file.h"
#include "ui/button_ui.h"
#include "ui/container_ui.h"
#include "ui/control_look.h"
#include "ui/resource_manager.h"
#include "ui/window_host.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QPointer>
#include <QTimer>

namespace {

const QString kIcon = QStringLiteral("common/q31_mark.svg");

// Every way the pop-up goes (a click outside, Escape, another window taking the
// focus) closes it for good: nothing here is left to confirm.
class CCloseWatch : public QObject {
public:
    explicit CCloseWatch(CSkinFrame& frame) : m_frame(frame) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            static_cast<q31::ui::CWindowHost*>(watched)->AcceptClose();
        else if (event->type() == QEvent::WindowDeactivate)
            m_frame.Close(0);
        return QObject::eventFilter(watched, event);
    }

private:
    CSkinFrame& m_frame;
};

QString Text(const char* id)
{
    return CResourceManager::GetInstance().GetText(QString::fromLatin1(id));
}

void Choose(const q31::app::SkinChangedParam& choice)
{
    q31::app::SkinChanges().Broadcast(choice);
    q31::app::StoreSkinChoice(choice);
}

// Runs on its own from the event loop: the pop-up is gone by then.
void ChooseOwnImage(QWidget* owner)
{
    QFileDialog dialog(owner, Text("skin_custom_title"));
    dialog.setObjectName(QStringLiteral("skin_custom_dialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({Text("skin_png_filter") + QStringLiteral(" (*.png)"),
                           Text("skin_all_filter") + QStringLiteral(" (*)")});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // Qt's own dialog, in the window's theme and alike on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    Choose({false, 0, dialog.selectedFiles().constFirst()});
}

}  // namespace

CSkinFrame* CSkinFrame::Open(QWidget* owner, QWidget* anchor)
{
    auto* frame = new CSkinFrame;
    QWidget* host = frame->Create(owner, QStringLiteral("skinframe"), WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  WS_EX_TOOLWINDOW);
    // A pop-up: the window system places it against its owner and drops it at a click elsewhere.
    host->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    frame->SetIcon(kIcon);
    frame->m_closeWatch = std::make_unique<CCloseWatch>(*frame);
    host->installEventFilter(frame->m_closeWatch.get());
    host->adjustSize();
    if (anchor)
        frame->PlaceUnder(*anchor);
    frame->ShowWindow(true, true);
    return frame;
}

void CSkinFrame::PlaceUnder(const QWidget& anchor)
{
    const QPoint corner = anchor.mapToGlobal(QPoint(anchor.width(), anchor.height()));
    GetHWND()->move(corner.x() - GetHWND()->width(), corner.y());
}

void CSkinFrame::SelectPage(int page)
{
    if (auto* tabs = m_pm.FindControl<CTabLayoutUI>(QStringLiteral("skin_tab")))
        tabs->SelectItem(page);
}

void CSkinFrame::Notify(TNotifyUI& msg)
{
    if (msg.sType != QLatin1String("click") || !msg.pSender)
        return;
    const QString name = msg.pSender->objectName();
    if (name == QLatin1String("skin_image")) {
        SelectPage(0);
    } else if (name == QLatin1String("skin_color")) {
        SelectPage(1);
    } else if (name == QLatin1String("skin_image_btn")) {
        Choose({false, 0, q31::ui::GetUserData(msg.pSender)});
    } else if (name == QLatin1String("skin_color_btn")) {
        if (const auto* swatch = qobject_cast<const CButtonUI*>(msg.pSender))
            Choose({true, swatch->GetBkColor(), QString()});
    } else if (name == QLatin1String("skin_reset")) {
        q31::app::SkinChanges().Broadcast({false, 0, QString::fromLatin1(q31::app::kDefaultSkinImage)});
        q31::app::StoreSkinReset();
    } else if (name == QLatin1String("skin_Custom")) {
        QPointer<QWidget> owner = GetHWND()->parentWidget();
        Close(0);
        QTimer::singleShot(0, QCoreApplication::instance(), [owner] {
            if (owner)
                ChooseOwnImage(owner);
        });
    }
}
