#pragma once
// Skins written on the fly, a window around them and a record of notifications.
#include "tests/common/temp_folder.h"
#include "ui/window_impl_base.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace q31::test {

// A private skin folder (res.xml, the theme and any files written) that the
// toolkit reads while the object lives.
class TestSkin {
public:
    TestSkin();
    ~TestSkin();
    void Write(const QString& relativePath, const QByteArray& content) const;
    QString Path() const { return QString::fromStdString(m_folder.Path()); }

private:
    TempFolder m_folder;
};

// A Designer UI file whose root "root" (400 x 300) holds the given items of a
// vertical layout, e.g. "<item><widget class=\"QPushButton\" name=\"ok\"/></item>".
QByteArray UiFile(const QString& items, const QString& rootProperties = QString());
// One widget item.
QString Item(const QString& className, const QString& name, const QString& properties = QString());

// Points the toolkit at the shipped skin folder while the object lives.
class ShippedSkin {
public:
    ShippedSkin();
    ~ShippedSkin();
};

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(QString skin) : m_skin(std::move(skin)) {}

    QString GetSkinFile() override { return m_skin; }
    QString GetWindowClassName() const override { return QStringLiteral("TestWnd"); }
    void InitWindow() override { ++initCalls; }
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* CreateControl(const QString& className, QWidget* parent) override;
    void OnFinalMessage() override { ++finalCalls; }

    QWidget* Find(const QString& name) { return m_pm.FindControl(name); }
    // Notifications of one type (and sender name when given).
    int Count(const QString& type, const QString& sender = QString()) const;
    const TNotifyUI* Last(const QString& type) const;

    std::function<QWidget*(const QString&, QWidget*)> createControl;
    std::function<void(TNotifyUI&)> onNotify;
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;
    std::vector<TNotifyUI> notifications;
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Message> messages;
    int initCalls = 0;
    int finalCalls = 0;

private:
    QString m_skin;
};

// Runs deferred deletions (closed windows) now.
void FlushDeletes();

}  // namespace q31::test
