#pragma once
// A managed window for control tests: a host with a paint manager, a root
// container to put controls on, and the notifications the controls send.
#include "ui/notify.h"
#include "ui/paint_manager.h"

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

}  // namespace q31::test
