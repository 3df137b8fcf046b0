#include "ui/dialog_builder.h"

#include "platform/debug_log.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/notify_wiring.h"
#include "ui/paint_manager.h"
#include "ui/resource_manager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUiLoader>
#include <QWidget>

namespace {

class SkinLoader : public QUiLoader {
public:
    explicit SkinLoader(IDialogBuilderCallback* callback)
        : m_callback(callback)
    {
        const QStringList qtClasses = availableWidgets();
        m_qtClasses = QSet<QString>(qtClasses.cbegin(), qtClasses.cend());
    }

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override
    {
        QWidget* control = m_qtClasses.contains(className) ? QUiLoader::createWidget(className, parent, name)
                                                            : CreateCustom(className, parent);
        if (control)
            control->setObjectName(name);
        return control;
    }

private:
    QWidget* CreateCustom(const QString& className, QWidget* parent)
    {
        QWidget* control = m_callback ? m_callback->CreateControl(className, parent) : nullptr;
        if (!control)
            control = CControlFactory::GetInstance().CreateControl(className, parent);
        if (!control) {
            // An empty placeholder keeps the rest of the skin usable.
            OutputDebugText(QStringLiteral("skin: unknown control class %1").arg(className));
            control = new QWidget(parent);
        }
        if (control->parentWidget() != parent)
            control->setParent(parent);
        return control;
    }

    IDialogBuilderCallback* m_callback;
    QSet<QString> m_qtClasses;
};

}  // namespace

QString CDialogBuilder::SkinFilePath(const QString& skin)
{
    const QString mapped = CResourceManager::GetInstance().GetResourceFile(skin);
    const QString relative = mapped.isEmpty() ? skin : mapped;
    if (QFileInfo(relative).isAbsolute())
        return relative;
    return QDir(CPaintManagerUI::GetResourcePath()).absoluteFilePath(relative);
}

QWidget* CDialogBuilder::Create(const QString& skin, IDialogBuilderCallback* callback, QWidget* parent)
{
    const QString path = SkinFilePath(skin);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        OutputDebugText(QStringLiteral("skin: cannot open %1 (%2)").arg(path, file.errorString()));
        return nullptr;
    }
    SkinLoader loader(callback);
    loader.setWorkingDirectory(QFileInfo(path).absoluteDir());
    QWidget* root = loader.load(&file, parent);
    if (!root) {
        OutputDebugText(QStringLiteral("skin: cannot build %1 (%2)").arg(path, loader.errorString()));
        return nullptr;
    }
    q31::ui::BindTexts(root);
    q31::ui::WireNotifications(root);
    return root;
}
