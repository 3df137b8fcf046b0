// User input on standard controls turns into the notifications the pages route.
#include "tests/ui/ui_test_support.h"
#include "ui/color_palette_ui.h"
#include "ui/container_ui.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using q31::test::Item;
using q31::test::TestSkin;
using q31::test::TestWindow;
using q31::test::UiFile;

namespace {

QString Controls()
{
    const QString horizontal =
        QStringLiteral("<property name=\"orientation\"><enum>Qt::Horizontal</enum></property>"
                       "<property name=\"maximum\"><number>100</number></property>"
                       "<property name=\"pageStep\"><number>10</number></property>");
    return Item(QStringLiteral("QPushButton"), QStringLiteral("closebtn")) +
           Item(QStringLiteral("QCheckBox"), QStringLiteral("deng_FXL_check")) +
           Item(QStringLiteral("QRadioButton"), QStringLiteral("polling_rate_option_0"),
                QStringLiteral("<property name=\"checked\"><bool>true</bool></property>")) +
           Item(QStringLiteral("QRadioButton"), QStringLiteral("polling_rate_option_1")) +
           Item(QStringLiteral("QSlider"), QStringLiteral("deng_light_slider"), horizontal) +
           Item(QStringLiteral("QComboBox"), QStringLiteral("light_combo_modeSelect"),
                QStringLiteral("<item><property name=\"text\"><string>a</string></property></item>"
                               "<item><property name=\"text\"><string>b</string></property></item>")) +
           Item(QStringLiteral("QLineEdit"), QStringLiteral("deng_edit_R")) +
           Item(QStringLiteral("QListWidget"), QStringLiteral("macro_name_list"),
                QStringLiteral("<property name=\"menu\" stdset=\"0\"><bool>true</bool></property>"
                               "<item><property name=\"text\"><string>m1</string></property></item>"
                               "<item><property name=\"text\"><string>m2</string></property></item>")) +
           Item(QStringLiteral("TabLayout"), QStringLiteral("device_switch"),
                QStringLiteral("<widget class=\"QWidget\" name=\"page_0\"/><widget class=\"QWidget\" name=\"page_1\"/>")) +
           Item(QStringLiteral("ColorPalette"), QStringLiteral("deng_Color_Pallet"),
                QStringLiteral("<property name=\"minimumSize\"><size><width>200</width><height>120</height></size>"
                               "</property>"));
}

class Notifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Write(QStringLiteral("XML/test.xml"), UiFile(Controls()));
        window.Create(nullptr, QStringLiteral("test"), WS_VISIBLE, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.GetHWND()));
    }

    template <class T>
    T* Find(const char* name)
    {
        T* control = qobject_cast<T*>(window.Find(QString::fromLatin1(name)));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    TestSkin skin;
    TestWindow window{QStringLiteral("XML_TEST")};
};

}  // namespace

TEST_F(Notifications, WindowInitOnFirstShowAndWindowSizeFromTheRoot)
{
    EXPECT_EQ(window.Count(QStringLiteral("windowinit"), QStringLiteral("root")), 1);
    window.ShowWindow(false);
    window.ShowWindow(true);
    EXPECT_EQ(window.Count(QStringLiteral("windowinit")), 1);
    window.GetHWND()->resize(500, 420);
    EXPECT_GE(window.Count(QStringLiteral("windowsize"), QStringLiteral("root")), 1);
}

TEST_F(Notifications, ButtonsClickAndOptionsChangeSelection)
{
    QTest::mouseClick(Find<QPushButton>("closebtn"), Qt::LeftButton);
    EXPECT_EQ(window.Count(QStringLiteral("click"), QStringLiteral("closebtn")), 1);

    // On the indicator: a check box without text is hit there only.
    auto* check = Find<QCheckBox>("deng_FXL_check");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    EXPECT_EQ(window.Count(QStringLiteral("click"), QStringLiteral("deng_FXL_check")), 1);
    EXPECT_EQ(window.Count(QStringLiteral("selectchanged"), QStringLiteral("deng_FXL_check")), 1);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    EXPECT_EQ(window.Count(QStringLiteral("selectchanged"), QStringLiteral("deng_FXL_check")), 2);

    // In an exclusive group only the newly selected option reports.
    auto* option = Find<QRadioButton>("polling_rate_option_1");
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    EXPECT_EQ(window.Count(QStringLiteral("selectchanged"), QStringLiteral("polling_rate_option_1")), 1);
    EXPECT_EQ(window.Count(QStringLiteral("selectchanged"), QStringLiteral("polling_rate_option_0")), 0);
}

TEST_F(Notifications, TabLayoutSelectsByIndex)
{
    auto* tabs = Find<CTabLayoutUI>("device_switch");
    EXPECT_TRUE(tabs->SelectItem(1));
    EXPECT_FALSE(tabs->SelectItem(2));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    ASSERT_NE(window.Last(QStringLiteral("selectchanged")), nullptr);
    EXPECT_EQ(window.Last(QStringLiteral("selectchanged"))->wParam, 1u);
}

TEST_F(Notifications, SlidersReportUserValuesAndMovesButNotProgramValues)
{
    auto* slider = Find<QSlider>("deng_light_slider");
    slider->setValue(30);
    EXPECT_EQ(window.Count(QStringLiteral("valuechanged")), 0);

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    ASSERT_EQ(window.Count(QStringLiteral("valuechanged")), 1);
    EXPECT_EQ(window.Last(QStringLiteral("valuechanged"))->wParam, 40u);
    EXPECT_EQ(slider->value(), 40);

    slider->setValue(100);
    QTest::keyClick(slider, Qt::Key_PageUp);  // already at the end: nothing changes
    slider->setValue(50);
    EXPECT_EQ(window.Count(QStringLiteral("valuechanged")), 1);

    // Dragging: moves while the handle is held, one value when it is let go.
    slider->setSliderDown(true);
    slider->setSliderPosition(70);
    slider->setSliderPosition(75);
    slider->setSliderDown(false);
    EXPECT_EQ(window.Count(QStringLiteral("movevaluechanged")), 2);
    EXPECT_EQ(window.Count(QStringLiteral("valuechanged")), 2);
    EXPECT_EQ(window.Last(QStringLiteral("valuechanged"))->wParam, 75u);
}

TEST_F(Notifications, ComboReportsNewAndOldIndex)
{
    auto* combo = Find<QComboBox>("light_combo_modeSelect");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    const TNotifyUI* select = window.Last(QStringLiteral("itemselect"));
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(select->pSender, combo);
    EXPECT_EQ(select->wParam, 1u);
    EXPECT_EQ(select->lParam, 0);
}

TEST_F(Notifications, EditsReportTypingReturnAndLossOfFocus)
{
    auto* edit = Find<QLineEdit>("deng_edit_R");
    edit->setText(QStringLiteral("12"));
    EXPECT_EQ(window.Count(QStringLiteral("textchanged")), 0);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("3"));
    EXPECT_EQ(window.Count(QStringLiteral("textchanged"), QStringLiteral("deng_edit_R")), 1);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(window.Count(QStringLiteral("return"), QStringLiteral("deng_edit_R")), 1);
    Find<QPushButton>("closebtn")->setFocus();
    EXPECT_EQ(window.Count(QStringLiteral("killfocus"), QStringLiteral("deng_edit_R")), 1);
}

TEST_F(Notifications, ListItemsReportClicksAndMenus)
{
    auto* list = Find<QListWidget>("macro_name_list");
    const QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    const TNotifyUI* click = window.Last(QStringLiteral("itemclick"));
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->pSender, list);
    EXPECT_EQ(click->wParam, 1u);
    EXPECT_EQ(window.Count(QStringLiteral("itemselect"), QStringLiteral("macro_name_list")), 1);

    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), list->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list->viewport(), &menu);
    EXPECT_EQ(window.Count(QStringLiteral("menu"), QStringLiteral("macro_name_list")), 1);
}

TEST_F(Notifications, PaletteReportsPickedColour)
{
    auto* palette = Find<CColorPaletteUI>("deng_Color_Pallet");
    palette->SetSelectColor(0xFF0000FFu);
    EXPECT_EQ(palette->GetSelectColor(), 0xFF0000FFu);
    EXPECT_EQ(window.Count(QStringLiteral("colorchanged")), 0);
    QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(1, 1));
    const TNotifyUI* changed = window.Last(QStringLiteral("colorchanged"));
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->wParam, palette->GetSelectColor());
    EXPECT_EQ(palette->GetSelectColor() & 0xFF0000u, 0xFF0000u);  // red at the left edge, full value
}

TEST_F(Notifications, ControlsAddedLaterAreWiredToo)
{
    auto* late = new QPushButton(QStringLiteral("late"), window.GetPaintManager().GetRoot());
    late->setObjectName(QStringLiteral("late_btn"));
    late->show();
    QTest::mouseClick(late, Qt::LeftButton);
    EXPECT_EQ(window.Count(QStringLiteral("click"), QStringLiteral("late_btn")), 1);
}

TEST_F(Notifications, ANotifierMayRemoveItselfWhileNotified)
{
    TestWindow second{QStringLiteral("XML_TEST")};
    second.Create(nullptr, QStringLiteral("second"), 0, 0);
    int after = 0;
    second.onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == QLatin1String("click"))
            second.GetPaintManager().RemoveNotifier(&second);
    };
    struct Counter : INotifyUI {
        int* count;
        void Notify(TNotifyUI&) override { ++*count; }
    } counter;
    counter.count = &after;
    second.GetPaintManager().AddNotifier(&counter);
    second.GetPaintManager().SendNotify(second.Find(QStringLiteral("closebtn")), QStringLiteral("click"));
    EXPECT_EQ(after, 1);
    second.GetPaintManager().SendNotify(second.Find(QStringLiteral("closebtn")), QStringLiteral("click"));
    EXPECT_EQ(after, 2);
    EXPECT_EQ(second.Count(QStringLiteral("click")), 1);
}
