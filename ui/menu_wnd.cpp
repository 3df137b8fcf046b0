#include "ui/menu_wnd.h"

#include "platform/debug_log.h"
#include "ui/dialog_builder.h"
#include "ui/paint_manager.h"
#include "ui/resource_manager.h"

#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <memory>

namespace {

bool IsTrue(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// "%[id]" texts are language ids, as in skins.
QString MenuText(const QString& text)
{
    static const QRegularExpression id(QStringLiteral("^%\\[([^\\]]+)\\]$"));
    const QRegularExpressionMatch match = id.match(text);
    return match.hasMatch() ? CResourceManager::GetInstance().GetText(match.captured(1)) : text;
}

// Reads the elements inside the current one into menu; errors stay in xml.
void ReadItems(QXmlStreamReader& xml, QMenu* menu)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("MenuElement")) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        if (IsTrue(attributes, "separator")) {
            menu->addSeparator();
            xml.skipCurrentElement();
            continue;
        }
        const QString name = attributes.value(QLatin1String("name")).toString();
        const QString text = MenuText(attributes.value(QLatin1String("text")).toString());
        const QString icon = attributes.value(QLatin1String("icon")).toString();
        const QIcon image = icon.isEmpty() ? QIcon() : QIcon(CPaintManagerUI::GetResourcePath() + icon);
        // A nested element makes a sub-menu; an empty one stays a plain item.
        QMenu* sub = new QMenu(text, menu);
        sub->setObjectName(name);
        sub->setIcon(image);
        ReadItems(xml, sub);
        if (!sub->isEmpty()) {
            menu->addMenu(sub);
            continue;
        }
        delete sub;
        QAction* action = menu->addAction(image, text);
        action->setObjectName(name);
        action->setData(attributes.value(QLatin1String("userdata")).toString());
        action->setCheckable(IsTrue(attributes, "checkable"));
        action->setChecked(IsTrue(attributes, "checked"));
        action->setEnabled(attributes.value(QLatin1String("enabled")).compare(QLatin1String("false"),
                                                                                Qt::CaseInsensitive) != 0);
    }
}

}  // namespace

QMenu* CMenuWnd::Build(const QString& menuFile, QWidget* parent)
{
    const QString path = CDialogBuilder::SkinFilePath(menuFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        OutputDebugText(QStringLiteral("menu: cannot open %1").arg(path));
        return nullptr;
    }
    QXmlStreamReader xml(&file);
    auto menu = std::make_unique<QMenu>(parent);
    if (xml.readNextStartElement() && xml.name() == QLatin1String("Menu"))
        ReadItems(xml, menu.get());
    else
        xml.raiseError(QStringLiteral("the root element is not Menu"));
    if (xml.hasError()) {
        OutputDebugText(QStringLiteral("menu: %1 line %2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString()));
        return nullptr;
    }
    return menu.release();
}

QMenu* CMenuWnd::Popup(const QString& menuFile, IMessageReceiver* owner, const QPoint& at, QWidget* parent)
{
    QMenu* menu = Build(menuFile, parent);
    if (!menu)
        return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<QObject> context = owner ? owner->MessageContext() : nullptr;
    QObject::connect(menu, &QMenu::triggered, menu, [owner, context](QAction* action) {
        if (!context)
            return;
        MenuCmd command{action->objectName(), action->data().toString(), action->text(), action->isChecked()};
        SendMessageTo(*owner, kMenuCommand, reinterpret_cast<WPARAM>(&command), 0);
    });
    menu->popup(at);
    return menu;
}
