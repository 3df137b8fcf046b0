#pragma once
// A managed window for control tests: a host with a paint manager, a root
// container to put controls on, and the notifications the controls send.
// Also a skin folder of test images and offscreen rendering of a control.
#include "tests/common/temp_folder.h"
#include "ui/notify.h"
#include "ui/paint_manager.h"
#include "ui/render_engine.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace q31::test {

class RecordingNotifier : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.sType != QLatin1String("timer"))
            types << msg.sType, senders << msg.pSender;
    }
    QStringList types;
    QList<QWidget*> senders;
};

struct ManagedWindow {
    ManagedWindow()
    {
        host = std::make_unique<QWidget>();
        root = new QWidget(host.get());
        root->setGeometry(0, 0, 400, 300);
        host->resize(400, 300);
        manager.Init(host.get(), root);
        manager.AddNotifier(&notifier);
    }
    ~ManagedWindow() { manager.RemoveNotifier(&notifier); }

    std::unique_ptr<QWidget> host;
    QWidget* root = nullptr;
    CPaintManagerUI manager;
    RecordingNotifier notifier;
};

// The process-wide skin folder points to a fresh folder while this lives.
class TestSkinFolder {
public:
    TestSkinFolder() : m_previous(CPaintManagerUI::GetResourcePath())
    {
        CPaintManagerUI::SetResourcePath(QString::fromStdString(m_folder.Path() + "/"));
        CRenderEngine::ClearImageCache();
    }
    ~TestSkinFolder()
    {
        CPaintManagerUI::SetResourcePath(m_previous);
        CRenderEngine::ClearImageCache();
    }
    QString Path() const { return QString::fromStdString(m_folder.Path()); }
    // Writes a PNG image under the folder; false when it cannot.
    bool Write(const QString& name, const QImage& image) const { return image.save(Path() + "/" + name, "PNG"); }

private:
    TempFolder m_folder;
    QString m_previous;
};

// The control drawn on black, as the user would see it.
inline QImage Render(QWidget* control)
{
    QImage image(control->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    control->render(&image);
    return image;
}

}  // namespace q31::test
