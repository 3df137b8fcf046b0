#include "tests/ui/ui_test_support.h"

#include "ui/paint_manager.h"
#include "ui/resource_manager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

void UseSkinFolder(const QString& folder)
{
    CPaintManagerUI::SetResourcePath(folder);
    CResourceManager::GetInstance().Release();
    CResourceManager::GetInstance().LoadResource(QStringLiteral("res.xml"));
}

}  // namespace

TestSkin::TestSkin()
{
    Write(QStringLiteral("res.xml"),
          "<Res><Style id=\"STYLE\" path=\"theme/test.qss\"/><XML id=\"XML_TEST\" path=\"XML/test.xml\"/></Res>");
    Write(QStringLiteral("theme/test.qss"), "QPushButton { padding: 4px 10px; }");
    UseSkinFolder(Path());
}

TestSkin::~TestSkin()
{
    FlushDeletes();
    CResourceManager::GetInstance().Release();
    CPaintManagerUI::SetResourcePath(QString());
}

void TestSkin::Write(const QString& relativePath, const QByteArray& content) const
{
    const QString path = Path() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray UiFile(const QString& items, const QString& rootProperties)
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ui version=\"4.0\"><widget class=\"QWidget\" name=\"root\">"
               "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect>"
               "</property>%1<layout class=\"QVBoxLayout\" name=\"root_layout\">%2</layout></widget></ui>")
        .arg(rootProperties, items)
        .toUtf8();
}

QString Item(const QString& className, const QString& name, const QString& properties)
{
    return QStringLiteral("<item><widget class=\"%1\" name=\"%2\">%3</widget></item>").arg(className, name, properties);
}

ShippedSkin::ShippedSkin()
{
    UseSkinFolder(QStringLiteral(Q31_SOURCE_DATA_DIR "/skin"));
}

ShippedSkin::~ShippedSkin()
{
    FlushDeletes();
    CResourceManager::GetInstance().Release();
    CPaintManagerUI::SetResourcePath(QString());
}

void TestWindow::Notify(TNotifyUI& msg)
{
    notifications.push_back(msg);
    if (onNotify)
        onNotify(msg);
}

LRESULT TestWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    messages.push_back({message, wParam, lParam});
    if (onMessage)
        onMessage(message, wParam, lParam);
    return LRESULT(message + wParam);
}

QWidget* TestWindow::CreateControl(const QString& className, QWidget* parent)
{
    return createControl ? createControl(className, parent) : nullptr;
}

int TestWindow::Count(const QString& type, const QString& sender) const
{
    int count = 0;
    for (const TNotifyUI& msg : notifications)
        if (msg.sType == type && (sender.isEmpty() || (msg.pSender && msg.pSender->objectName() == sender)))
            ++count;
    return count;
}

const TNotifyUI* TestWindow::Last(const QString& type) const
{
    for (auto it = notifications.rbegin(); it != notifications.rend(); ++it)
        if (it->sType == type)
            return &*it;
    return nullptr;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace q31::test
