// DPI: sizes, fonts and the theme scale from the skin's 96-DPI values.
#include "tests/common/event_counter.h"
#include "tests/ui/ui_test_support.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include <gtest/gtest.h>

using q31::test::Item;
using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

class Dpi : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Write(QStringLiteral("XML/test.xml"),
                   UiFile(Item(QStringLiteral("QPushButton"), QStringLiteral("btn"),
                               QStringLiteral("<property name=\"minimumSize\"><size><width>40</width><height>20</height>"
                                              "</size></property>")) +
                          Item(QStringLiteral("QLabel"), QStringLiteral("title"),
                               QStringLiteral("<property name=\"fontId\" stdset=\"0\"><number>2</number></property>"))));
        window.Create(nullptr, QStringLiteral("dpi"), 0, 0);
    }

    TestSkin skin;
    TestWindow window{QStringLiteral("XML_TEST")};
};

}  // namespace

TEST_F(Dpi, ScalesFromTheSkinValuesWithoutCompounding)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    QWidget* button = window.Find(QStringLiteral("btn"));
    EXPECT_EQ(window.GetHWND()->size(), QSize(400, 300));
    pm.SetDPI(144);
    pm.SetDPI(144);
    EXPECT_EQ(button->minimumSize(), QSize(60, 30));
    EXPECT_EQ(window.GetHWND()->size(), QSize(600, 450));
    EXPECT_TRUE(window.GetHWND()->styleSheet().contains(QStringLiteral("padding: 6px 15px")));
    pm.SetDPI(96);
    EXPECT_EQ(button->minimumSize(), QSize(40, 20));
    EXPECT_EQ(window.GetHWND()->size(), QSize(400, 300));
}

TEST_F(Dpi, FontsFollowTheDpiAndTheFontTable)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    QWidget* title = window.Find(QStringLiteral("title"));
    QWidget* button = window.Find(QStringLiteral("btn"));
    pm.AddFont(2, {QStringLiteral("Noto Sans"), 18, true});
    pm.SetDefaultFont({QStringLiteral("Noto Sans"), 14});
    pm.SetDPI(144);
    window.ShowWindow();
    EXPECT_EQ(title->font().pixelSize(), 27);
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(button->font().pixelSize(), 21);
    EXPECT_EQ(pm.GetFont(2).pixelSize(), 27);
    EXPECT_EQ(pm.GetFont(99).pixelSize(), 21);  // unknown id: the default font
    pm.RemoveAllFonts();
    pm.SetDPI(96);
}

TEST_F(Dpi, ABatchOfFontChangesRestylesTheWindowOnce)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    QWidget* title = window.Find(QStringLiteral("title"));
    q31::test::EventCounter fontChanges(QEvent::FontChange);
    title->installEventFilter(&fontChanges);
    {
        const CPaintManagerUI::CLookBatch once(pm);
        pm.RemoveAllFonts();
        pm.SetDefaultFont({QStringLiteral("Noto Sans"), 14});
        for (int id = 0; id < 12; ++id)
            pm.AddFont(id, {QStringLiteral("Noto Sans"), 10 + id});
        EXPECT_EQ(fontChanges.Count(), 0);
    }
    EXPECT_EQ(fontChanges.Count(), 1);
    EXPECT_EQ(title->font().pixelSize(), 12);  // the batch's fonts did arrive
    title->removeEventFilter(&fontChanges);
    pm.RemoveAllFonts();
}

TEST_F(Dpi, SetAllDpiReachesEveryWindow)
{
    TestWindow other{QStringLiteral("XML_TEST")};
    other.Create(nullptr, QStringLiteral("other"), 0, 0);
    CPaintManagerUI::SetAllDPI(120);
    EXPECT_EQ(window.GetPaintManager().GetDPI(), 120);
    EXPECT_EQ(other.GetPaintManager().GetDPI(), 120);
    CPaintManagerUI::SetAllDPI(96);
}
