// Pop-up menus from menu files report the chosen item's name to the owner;
// the tray icon copes with desktops that have no notification area.
#include "tests/ui/ui_test_support.h"
#include "ui/menu_wnd.h"
#include "ui/resource_manager.h"
#include "ui/tray_icon.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <gtest/gtest.h>

using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

class Menus : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Write(QStringLiteral("lang/en.json"), R"({"menu_exit": "Exit"})");
        ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(QStringLiteral("en.json")));
        skin.Write(QStringLiteral("menu.xml"),
                   "<Menu><MenuElement name=\"setwnd_menu\" text=\"Settings\" userdata=\"s\"/>"
                   "<MenuElement separator=\"true\"/>"
                   "<MenuElement name=\"macro_more\" text=\"More\">"
                   "<MenuElement name=\"left_click\" text=\"Left click\"/></MenuElement>"
                   "<MenuElement name=\"about_menu\" text=\"About\" enabled=\"false\"/>"
                   "<MenuElement name=\"exit\" text=\"%[menu_exit]\"/></Menu>");
        skin.Write(QStringLiteral("XML/test.xml"), UiFile(QString()));
        window.Create(nullptr, QStringLiteral("owner"), 0, 0);
    }

    TestSkin skin;
    TestWindow window{QStringLiteral("XML_TEST")};
};

}  // namespace

TEST_F(Menus, ChosenItemReachesTheOwnerByName)
{
    QPointer<QMenu> menu = CMenuWnd::Popup(QStringLiteral("menu.xml"), &window, QPoint(10, 10), window.GetHWND());
    ASSERT_TRUE(menu);
    MenuCmd seen;
    window.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message == CMenuWnd::kMenuCommand)
            seen = *reinterpret_cast<const MenuCmd*>(wParam);  // valid during the call only
    };
    auto* exit = menu->findChild<QAction*>(QStringLiteral("exit"));
    auto* settings = menu->findChild<QAction*>(QStringLiteral("setwnd_menu"));
    ASSERT_TRUE(exit && settings);
    EXPECT_EQ(exit->text(), QStringLiteral("Exit"));
    EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("about_menu"))->isEnabled());

    settings->trigger();
    EXPECT_EQ(seen.szName, QStringLiteral("setwnd_menu"));
    EXPECT_EQ(seen.szUserData, QStringLiteral("s"));
    EXPECT_EQ(seen.szText, QStringLiteral("Settings"));
    menu->close();
}

TEST_F(Menus, NestedItemsMakeSubMenus)
{
    std::unique_ptr<QMenu> menu(CMenuWnd::Build(QStringLiteral("menu.xml"), nullptr));
    ASSERT_NE(menu, nullptr);
    auto* more = menu->findChild<QMenu*>(QStringLiteral("macro_more"));
    ASSERT_NE(more, nullptr);
    EXPECT_NE(more->findChild<QAction*>(QStringLiteral("left_click")), nullptr);
    int separators = 0;
    for (QAction* action : menu->actions())
        separators += action->isSeparator() ? 1 : 0;
    EXPECT_EQ(separators, 1);
}

TEST_F(Menus, MissingOrMalformedMenuGivesNothing)
{
    skin.Write(QStringLiteral("bad.xml"), "<Menu><MenuElement name=\"x\"></Menu>");
    skin.Write(QStringLiteral("other.xml"), "<Window/>");
    EXPECT_EQ(CMenuWnd::Build(QStringLiteral("none.xml"), nullptr), nullptr);
    EXPECT_EQ(CMenuWnd::Build(QStringLiteral("bad.xml"), nullptr), nullptr);
    EXPECT_EQ(CMenuWnd::Build(QStringLiteral("other.xml"), nullptr), nullptr);
    EXPECT_EQ(CMenuWnd::Popup(QStringLiteral("none.xml"), &window, QPoint(), nullptr), nullptr);
}

TEST_F(Menus, TrayIconWithoutNotificationArea)
{
    CTrayIcon tray;
    const bool shown = tray.CreateTrayIcon(&window, QStringLiteral("none.svg"), QStringLiteral("Q-31"));
    EXPECT_EQ(shown, CTrayIcon::IsSystemTrayAvailable());
    EXPECT_EQ(tray.IsVisible(), shown);
    tray.DeleteTrayIcon();
    EXPECT_FALSE(tray.IsVisible());
}
