// The message box on the shipped skin: answers, buttons, texts and the DPI rule.
#include "tests/ui/ui_test_support.h"
#include "ui/msg_wnd.h"
#include "ui/resource_manager.h"

#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using q31::test::FlushDeletes;
using q31::test::ShippedSkin;

namespace {

QStringList g_debugLines;

void CollectDebugLines(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (context.category && QByteArray(context.category) == "q31")
        g_debugLines << text;
}

QWidget* OpenBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("MsgWnd") && widget->isVisible())
            return widget;
    return nullptr;
}

struct Seen {
    bool cancelVisible = false;
    QString title;
    QString text;
};

// Presses a control of the box once it is up; remembers what the box showed.
void PressWhenShown(const QString& control, Seen* seen = nullptr)
{
    QTimer::singleShot(0, [control, seen] {
        QWidget* box = OpenBox();
        ASSERT_NE(box, nullptr);
        if (seen) {
            seen->cancelVisible = box->findChild<QWidget*>(QStringLiteral("cancel_btn"))->isVisible();
            seen->title = box->findChild<QLabel*>(QStringLiteral("MessageTitle"))->text();
            seen->text = box->findChild<QLabel*>(QStringLiteral("MessageText"))->text();
        }
        auto* button = box->findChild<QAbstractButton*>(control);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

class MessageBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(QStringLiteral("en.json"))); }
    void TearDown() override
    {
        FlushDeletes();
        CPaintManagerUI::SetAllDPI(96);
    }

    ShippedSkin skin;
};

}  // namespace

TEST_F(MessageBox, ConfirmGivesOneCancelAndCloseGiveZero)
{
    PressWhenShown(QStringLiteral("confirm_btn"));
    EXPECT_EQ(ShowMessageBox(nullptr, QString(), QStringLiteral("message_text_22"), 96, true, 1), 1);
    PressWhenShown(QStringLiteral("cancel_btn"));
    EXPECT_EQ(ShowMessageBox(nullptr, QString(), QStringLiteral("message_text_22"), 96, true, 1), 0);
    PressWhenShown(QStringLiteral("closebtn"));
    EXPECT_EQ(ShowMessageBox(nullptr, QString(), QStringLiteral("message_text_22"), 96, true, 1), 0);
    FlushDeletes();
    EXPECT_EQ(OpenBox(), nullptr);
}

TEST_F(MessageBox, ConfirmOnlyHidesCancelAndCloseStillGivesZero)
{
    Seen seen;
    PressWhenShown(QStringLiteral("closebtn"), &seen);
    EXPECT_EQ(ShowMessageBox(nullptr, QString(), QStringLiteral("message_text_5"), 96, true, 0), 0);
    EXPECT_FALSE(seen.cancelVisible);
    EXPECT_EQ(seen.text, CResourceManager::GetInstance().GetText(QStringLiteral("message_text_5")));

    PressWhenShown(QStringLiteral("confirm_btn"), &seen);
    EXPECT_EQ(ShowMessageBox(nullptr, QString(), QStringLiteral("message_text_5"), 96, true, 7), 1);
    EXPECT_TRUE(seen.cancelVisible);  // other values keep the skin's choice
}

TEST_F(MessageBox, EmptyTitleAndTextKeepTheSkinsTextsPlainTextIsShownAsIs)
{
    Seen seen;
    PressWhenShown(QStringLiteral("confirm_btn"), &seen);
    ShowMessageBox(nullptr, QString(), QString(), 96, true, 0);
    EXPECT_EQ(seen.title, CResourceManager::GetInstance().GetText(QStringLiteral("msg_title")));
    EXPECT_EQ(seen.text, CResourceManager::GetInstance().GetText(QStringLiteral("msg_text_default")));

    PressWhenShown(QStringLiteral("confirm_btn"), &seen);
    ShowMessageBox(nullptr, QStringLiteral("Export"), QStringLiteral("message_text_5"), 96, false, 0);
    EXPECT_EQ(seen.title, QStringLiteral("Export"));
    EXPECT_EQ(seen.text, QStringLiteral("message_text_5"));
}

TEST_F(MessageBox, LongTextsAreNeverCutOff)
{
    const QString text = QStringLiteral("A rather long notice that goes on and on. ").repeated(20);
    int labelHeight = 0, neededHeight = 0;
    QTimer::singleShot(0, [&] {
        auto* label = OpenBox()->findChild<QLabel*>(QStringLiteral("MessageText"));
        labelHeight = label->height();
        neededHeight = label->heightForWidth(label->width());
        QTest::mouseClick(OpenBox()->findChild<QAbstractButton*>(QStringLiteral("confirm_btn")), Qt::LeftButton);
    });
    ShowMessageBox(nullptr, QString(), text, 96, false, 0);
    EXPECT_GT(neededHeight, 100);
    EXPECT_GE(labelHeight, neededHeight);
}

TEST_F(MessageBox, DpiOutsideTheStepsBecomes96WithADebugLine)
{
    QLoggingCategory::setFilterRules(QStringLiteral("q31.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(CollectDebugLines);
    g_debugLines.clear();

    auto* box = new CMsgWnd;
    box->Create(nullptr, QStringLiteral("msgwnd"), WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW);
    box->SetDPI(144);
    EXPECT_EQ(box->GetDPI(), 144);
    EXPECT_EQ(box->GetPaintManager().GetDPI(), 144);
    box->SetDPI(144);
    EXPECT_FALSE(g_debugLines.contains(QStringLiteral("MSG_WND DPI SET ERROR")));
    box->SetDPI(100);
    EXPECT_EQ(box->GetDPI(), 96);
    EXPECT_EQ(box->GetPaintManager().GetDPI(), 96);
    EXPECT_TRUE(g_debugLines.contains(QStringLiteral("MSG_WND DPI SET ERROR")));
    box->Close(0);

    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
}

TEST_F(MessageBox, ASkinWithoutButtonsAnswersZeroWithoutWaiting)
{
    q31::test::TestSkin broken;  // has no XML_MSG
    EXPECT_EQ(ShowMessageBox(nullptr, QString(), QStringLiteral("message_text_22"), 96, true, 1), 0);
    FlushDeletes();
    EXPECT_EQ(OpenBox(), nullptr);
}
