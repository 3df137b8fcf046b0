// The skin pop-up of the main window, on the offscreen platform: its pages,
// the background it gives the window's "root", the choice in "main.ini", and
// the choice shown again at the next start.
#include "app/main_wnd.h"
#include "app/skin_choice_file.h"
#include "app/skin_frame.h"
#include "tests/app/desktop_test.h"
#include "ui/button_ui.h"
#include "ui/container_ui.h"
#include "ui/image_string.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kSettleMs = 3000;
constexpr DWORD kFirstColour = 0xFF15171C;
constexpr int kDialogTries = 100;

class SkinFrameTest : public q31::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        QFile::remove(q31::app::SkinChoiceFilePath());
    }

    CMainWnd& OpenWindow()
    {
        m_window = std::make_unique<CMainWnd>();
        EXPECT_TRUE(m_window->CreateMainWindow());
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_window->GetHWND()->isVisible(); }, kSettleMs));
        return *m_window;
    }

    template <class T = QWidget>
    T* MainControl(const char* name) const
    {
        return m_window->GetPaintManager().FindControl<T>(QString::fromLatin1(name));
    }

    CContainerUI* Root() const { return MainControl<CContainerUI>("root"); }

    // The file the root shows, or empty.
    QString RootImageFile() const
    {
        const auto info = q31::ui::ParseImageString(Root()->GetBkImage());
        return info ? info->sFile : QString();
    }

    QWidget* OpenPopup()
    {
        MainControl<QAbstractButton>("skinbtn")->click();
        QWidget* popup = FindPopup();
        EXPECT_TRUE(popup && popup->isVisible());
        return popup;
    }

    static QWidget* FindPopup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String(CSkinFrame::kClassName) && widget->isVisible())
                return widget;
        }
        return nullptr;
    }

    static QList<CButtonUI*> Entries(QWidget* popup, const char* name)
    {
        return popup->findChildren<CButtonUI*>(QString::fromLatin1(name));
    }

    static void Click(QWidget* popup, const char* name)
    {
        popup->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }

    static QVariant Stored(const char* key)
    {
        return QSettings(q31::app::SkinChoiceFilePath(), QSettings::IniFormat)
            .value(QStringLiteral("SKINIMAGE/") + QLatin1String(key));
    }

    static void Store(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        QSettings file(q31::app::SkinChoiceFilePath(), QSettings::IniFormat);
        for (const auto& [key, value] : values)
            file.setValue(QStringLiteral("SKINIMAGE/") + QLatin1String(key), QString::fromUtf8(value));
    }

    // Answers the next file dialog with file, or cancels it when file is empty.
    static void AnswerFileDialog(const QString& file)
    {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, file, tries = 0]() mutable {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                if (file.isEmpty()) {
                    dialog->reject();
                } else {
                    // Typed, as a user would: the dialog's own selection follows its folder's loading.
                    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    // A dialog that cannot be answered is cancelled, so the test fails instead of waiting.
                    if (!name && ++tries < kDialogTries)
                        return;
                    if (!name) {
                        dialog->reject();
                        poll->deleteLater();
                        return;
                    }
                    name->setText(file);
                    QMetaObject::invokeMethod(dialog, "accept");
                }
                poll->deleteLater();
                return;
            }
        });
        poll->start(20);
    }
};

TEST_F(SkinFrameTest, PopupOpensUnderItsButtonAndClosesWhenTheFocusGoesElsewhere)
{
    OpenWindow();
    QWidget* popup = OpenPopup();
    ASSERT_TRUE(popup);
    auto* button = MainControl("skinbtn");
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
    EXPECT_EQ(popup->geometry().topRight() + QPoint(1, 0), corner);
    EXPECT_EQ(Entries(popup, "skin_image_btn").size(), 6);
    EXPECT_EQ(Entries(popup, "skin_color_btn").size(), 8);

    // A click elsewhere in the main window takes the focus from it.
    QTest::mouseClick(m_window->GetHWND()->windowHandle(), Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_TRUE(QTest::qWaitFor([] { return FindPopup() == nullptr; }, kSettleMs));

    // So does another window becoming active.
    popup = OpenPopup();
    ASSERT_TRUE(popup);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_TRUE(QTest::qWaitFor([] { return FindPopup() == nullptr; }, kSettleMs));
}

TEST_F(SkinFrameTest, AColourClearsTheImageAndAnImageClearsTheColour)
{
    OpenWindow();
    QWidget* popup = OpenPopup();
    ASSERT_TRUE(popup);
    const QList<CButtonUI*> images = Entries(popup, "skin_image_btn");
    ASSERT_FALSE(images.isEmpty());
    const QString image = images.first()->property("userdata").toString();

    images.first()->click();
    EXPECT_EQ(RootImageFile(), image);
    EXPECT_EQ(Root()->GetBkColor(), 0u);
    EXPECT_EQ(Stored("FLAGS").toString(), QStringLiteral("1"));
    EXPECT_EQ(Stored("IMAGE").toString(), image);

    // Switching pages leaves the background alone.
    Click(popup, "skin_color");
    EXPECT_EQ(popup->findChild<CTabLayoutUI*>(QStringLiteral("skin_tab"))->GetCurSel(), 1);
    Click(popup, "skin_image");
    EXPECT_EQ(popup->findChild<CTabLayoutUI*>(QStringLiteral("skin_tab"))->GetCurSel(), 0);
    EXPECT_EQ(RootImageFile(), image);

    Click(popup, "skin_color");
    Entries(popup, "skin_color_btn").first()->click();
    EXPECT_EQ(Root()->GetBkColor(), kFirstColour);
    EXPECT_TRUE(Root()->GetBkImage().isEmpty());
    EXPECT_EQ(Stored("FLAGS").toString(), QStringLiteral("1"));
    EXPECT_EQ(Stored("COLOR").toString(), QStringLiteral("#FF15171C"));
    EXPECT_FALSE(Stored("IMAGE").isValid());

    images.last()->click();
    EXPECT_EQ(Root()->GetBkColor(), 0u);
    EXPECT_EQ(RootImageFile(), images.last()->property("userdata").toString());
    EXPECT_FALSE(Stored("COLOR").isValid());
}

TEST_F(SkinFrameTest, ResetWritesFlagsZeroAndTheDefaultImage)
{
    OpenWindow();
    QWidget* popup = OpenPopup();
    ASSERT_TRUE(popup);
    Entries(popup, "skin_color_btn").first()->click();
    Click(popup, "skin_reset");
    EXPECT_EQ(Root()->GetBkColor(), 0u);
    EXPECT_EQ(RootImageFile(), QString::fromLatin1(q31::app::kDefaultSkinImage));
    EXPECT_EQ(Stored("FLAGS").toString(), QStringLiteral("0"));
    EXPECT_EQ(Stored("IMAGE").toString(), QString::fromLatin1(q31::app::kDefaultSkinImage));
    EXPECT_FALSE(Stored("COLOR").isValid());
}

TEST_F(SkinFrameTest, AnImageOfTheUsersOwnComesThroughTheFileDialogAndCancelChangesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A quote in the name must not break the image string.
    const QString file = folder.filePath(QStringLiteral("my 'own'.png"));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(file, "PNG"));

    OpenWindow();
    QWidget* popup = OpenPopup();
    ASSERT_TRUE(popup);
    Entries(popup, "skin_color_btn").first()->click();
    AnswerFileDialog(QString());
    Click(popup, "skin_Custom");
    EXPECT_TRUE(QTest::qWaitFor([] { return FindPopup() == nullptr; }, kSettleMs));
    QTest::qWait(300);
    EXPECT_EQ(Root()->GetBkColor(), kFirstColour);

    popup = OpenPopup();
    ASSERT_TRUE(popup);
    AnswerFileDialog(file);
    Click(popup, "skin_Custom");
    EXPECT_TRUE(QTest::qWaitFor([this, &file] { return RootImageFile() == file; }, kSettleMs));
    EXPECT_EQ(Root()->GetBkColor(), 0u);
    EXPECT_EQ(Stored("IMAGE").toString(), file);
}

TEST_F(SkinFrameTest, TheStoredChoiceShowsAtStart)
{
    Store({{"FLAGS", "1"}, {"COLOR", "#FF1B2030"}});
    OpenWindow();
    EXPECT_EQ(Root()->GetBkColor(), 0xFF1B2030u);
    EXPECT_TRUE(Root()->GetBkImage().isEmpty());
    m_window.reset();

    QFile::remove(q31::app::SkinChoiceFilePath());
    Store({{"FLAGS", "1"}, {"IMAGE", "skin/bg_carbon.svg"}});
    OpenWindow();
    EXPECT_EQ(RootImageFile(), QStringLiteral("skin/bg_carbon.svg"));
}

TEST_F(SkinFrameTest, AStoredChoiceThatCannotBeShownLeavesTheSkinsOwnBackground)
{
    for (const auto& values : {
             std::initializer_list<std::pair<const char*, const char*>>{{"FLAGS", "0"}, {"IMAGE", "skin/bg_grid.svg"}},
             {{"FLAGS", "1"}, {"IMAGE", "skin/no_such_image.svg"}},
             {{"FLAGS", "1"}, {"IMAGE", "/"}},
             {{"FLAGS", "1"}, {"COLOR", "#12"}},
             {{"FLAGS", "yes"}, {"COLOR", "#FF1B2030"}},
         }) {
        QFile::remove(q31::app::SkinChoiceFilePath());
        Store(values);
        OpenWindow();
        EXPECT_EQ(Root()->GetBkColor(), 0u);
        EXPECT_TRUE(Root()->GetBkImage().isEmpty());
        m_window.reset();
    }
}

}  // namespace
