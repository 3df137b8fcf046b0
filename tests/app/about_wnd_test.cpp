// The About window opened from the tray menu of the main window, on the
// offscreen platform: one at a time, the version of this build, the language
// and the title bar's buttons.
#include "app/about_wnd.h"
#include "app/main_wnd.h"
#include "tests/app/desktop_test.h"
#include "ui/menu_wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kSettleMs = 3000;
// Closes a window left open by a failed check, so the test ends.
constexpr int kGiveUpMs = 20000;

class AboutWindowTest : public q31::test::DesktopTest {
protected:
    CMainWnd& OpenMainWindow()
    {
        m_window = std::make_unique<CMainWnd>();
        EXPECT_TRUE(m_window->CreateMainWindow());
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_window->GetHWND()->isVisible(); }, kSettleMs));
        return *m_window;
    }

    void ChooseMenuItem(const char* name)
    {
        MenuCmd command;
        command.szName = QString::fromLatin1(name);
        SendMessageTo(*m_window, CMenuWnd::kMenuCommand, reinterpret_cast<WPARAM>(&command), 0);
    }

    // Chooses "about_menu" and runs whileOpen once the window shows; returns
    // when the window has closed (whileOpen closes it, else the give-up timer).
    void WithAboutWindow(const std::function<void(CAboutWnd&)>& whileOpen)
    {
        QTimer::singleShot(0, m_window->GetHWND(), [whileOpen] {
            const bool shown = QTest::qWaitFor(
                [] { return CAboutWnd::Current() && CAboutWnd::Current()->GetHWND()->isVisible(); }, kSettleMs);
            EXPECT_TRUE(shown);
            if (shown)
                whileOpen(*CAboutWnd::Current());
        });
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, [] {
            ADD_FAILURE() << "the About window was still open";
            if (CAboutWnd* about = CAboutWnd::Current())
                about->Close();
        });
        giveUp.start(kGiveUpMs);
        ChooseMenuItem("about_menu");
    }

    static QString LabelText(CAboutWnd& about, const char* name)
    {
        auto* label = about.GetPaintManager().FindControl<QLabel>(QString::fromLatin1(name));
        return label ? label->text() : QString();
    }

    static void Click(CAboutWnd& about, const char* name)
    {
        auto* button = about.GetPaintManager().FindControl<QAbstractButton>(QString::fromLatin1(name));
        ASSERT_TRUE(button) << name;
        button->click();
    }

    static bool IsShown(CAboutWnd& about, const char* name)
    {
        QWidget* control = about.GetPaintManager().FindControl(QString::fromLatin1(name));
        return control && control->isVisibleTo(about.GetHWND());
    }

    static int OpenAboutWindows()
    {
        int count = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            count += top->objectName() == QLatin1String("AboutWnd") && top->isVisible() ? 1 : 0;
        return count;
    }
};

TEST_F(AboutWindowTest, ChoosingAboutAgainWhileItIsOpenOpensNoSecondWindow)
{
    OpenMainWindow();
    CAboutWnd* first = nullptr;
    WithAboutWindow([&](CAboutWnd& about) {
        first = &about;
        EXPECT_TRUE(about.GetHWND()->isModal());
        ChooseMenuItem("ABOUT_MENU");
        EXPECT_EQ(CAboutWnd::Current(), &about);
        EXPECT_EQ(OpenAboutWindows(), 1);
        about.Close();
    });
    EXPECT_NE(first, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return CAboutWnd::Current() == nullptr && OpenAboutWindows() == 0; }));

    // Once closed, the menu opens it again.
    bool reopened = false;
    WithAboutWindow([&](CAboutWnd& about) {
        reopened = true;
        about.Close();
    });
    EXPECT_TRUE(reopened);
}

TEST_F(AboutWindowTest, ShowsTheVersionOfThisBuildAndFollowsTheLanguage)
{
    CMainWnd& window = OpenMainWindow();
    const QString version = QStringLiteral("V" Q31_PROJECT_VERSION);
    WithAboutWindow([&](CAboutWnd& about) {
        EXPECT_EQ(LabelText(about, "software_ver_label"), QStringLiteral("Software version ") + version);
        const QString englishTitle = LabelText(about, "about_title");

        SendMessageTo(window, CMainWnd::kLanguageChanged, 1, 0);
        EXPECT_EQ(LabelText(about, "software_ver_label"), QStringLiteral("软件版本 ") + version);
        EXPECT_NE(LabelText(about, "about_title"), englishTitle);

        SendMessageTo(window, CMainWnd::kLanguageChanged, 0, 0);
        EXPECT_EQ(LabelText(about, "software_ver_label"), QStringLiteral("Software version ") + version);
        EXPECT_EQ(LabelText(about, "about_title"), englishTitle);
        about.Close();
    });
}

TEST_F(AboutWindowTest, MaximiseAndRestoreSwapTheirButtons)
{
    OpenMainWindow();
    WithAboutWindow([&](CAboutWnd& about) {
        QWidget* host = about.GetHWND();
        EXPECT_TRUE(IsShown(about, "maxbtn"));
        EXPECT_FALSE(IsShown(about, "restorebtn"));

        Click(about, "maxbtn");
        EXPECT_TRUE(host->isMaximized());
        EXPECT_FALSE(IsShown(about, "maxbtn"));
        EXPECT_TRUE(IsShown(about, "restorebtn"));

        Click(about, "restorebtn");
        EXPECT_FALSE(host->isMaximized());
        EXPECT_TRUE(IsShown(about, "maxbtn"));
        EXPECT_FALSE(IsShown(about, "restorebtn"));
        Click(about, "closebtn");
    });
    EXPECT_TRUE(QTest::qWaitFor([] { return CAboutWnd::Current() == nullptr; }));
    EXPECT_NE(m_window->GetHWND(), nullptr);
}

TEST_F(AboutWindowTest, TheWindowManagersCloseEndsOnlyTheAboutWindow)
{
    OpenMainWindow();
    WithAboutWindow([](CAboutWnd& about) { about.GetHWND()->close(); });
    EXPECT_TRUE(QTest::qWaitFor([] { return CAboutWnd::Current() == nullptr; }));
    EXPECT_NE(m_window->GetHWND(), nullptr);
    EXPECT_TRUE(m_window->GetHWND()->isVisible());
}

TEST_F(AboutWindowTest, ExitFromTheTrayMenuClosesTheAboutWindowToo)
{
    OpenMainWindow();
    WithAboutWindow([this](CAboutWnd&) { ChooseMenuItem("exit"); });
    EXPECT_TRUE(QTest::qWaitFor([this] { return CAboutWnd::Current() == nullptr && m_window->GetHWND() == nullptr; }));
}

}  // namespace
