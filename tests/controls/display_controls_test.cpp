// The chart, the native window place and the list item with its own layout;
// every custom control made by its names and shown by the sample skin.
#include "controls/chart_view_ui.h"
#include "controls/combo_edit_container_element_ui.h"
#include "controls/control_registration.h"
#include "controls/wnd_ui.h"
#include "tests/controls/controls_test_support.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

TEST(ChartView, AttributesAreTakenByExactNameAndValue)
{
    CChartViewUI chart;
    EXPECT_EQ(chart.GetClass(), "Control");
    const CChartViewUI::Style& style = chart.GetStyle();
    EXPECT_EQ(style.view, CChartViewUI::ViewKind::Pie);
    EXPECT_TRUE(style.showText);
    EXPECT_FALSE(style.showHtml);
    EXPECT_EQ(style.font, -1);

    chart.SetAttribute("view", "histpgram");
    EXPECT_EQ(style.view, CChartViewUI::ViewKind::Histogram);
    chart.SetAttribute("view", "bars");
    chart.SetAttribute("view", "Pie");
    EXPECT_EQ(style.view, CChartViewUI::ViewKind::Histogram);
    chart.SetAttribute("view", "pie");
    EXPECT_EQ(style.view, CChartViewUI::ViewKind::Pie);

    chart.SetAttribute("shadowimage", "file='shadow.png'");
    chart.SetAttribute("shadowimageheight", "6");
    chart.SetAttribute("pillarimage", "pillar.png");
    chart.SetAttribute("pillarimagewidth", "12");
    chart.SetAttribute("showtext", "True");
    chart.SetAttribute("showhtml", "true");
    chart.SetAttribute("font", "3");
    EXPECT_EQ(style.shadowImage, "file='shadow.png'");
    EXPECT_EQ(style.shadowImageHeight, 6);
    EXPECT_EQ(style.pillarImage, "pillar.png");
    EXPECT_EQ(style.pillarImageWidth, 12);
    EXPECT_FALSE(style.showText);
    EXPECT_TRUE(style.showHtml);
    EXPECT_EQ(style.font, 3);
    EXPECT_FALSE(chart.SetAttribute("ShowHtml", "false"));
    EXPECT_TRUE(style.showHtml);
}

TEST(ChartView, WithoutValuesItShowsItsBackground)
{
    CChartViewUI chart;
    chart.resize(30, 20);
    chart.setProperty("bkcolor", "#FF00FF00");
    const QImage image = Render(&chart);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(29, 19), QColor(0, 255, 0));
}

TEST(WndPlace, AttachedWindowFollowsThePlaceAndItsVisibility)
{
    ManagedWindow window;
    auto* place = new CWndUI(window.root);
    place->setGeometry(20, 30, 120, 80);
    EXPECT_EQ(place->GetWindow(), nullptr);
    auto* native = new QWindow;
    place->Attach(native);
    EXPECT_EQ(place->GetWindow(), native);
    window.host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.host.get()));

    place->setGeometry(40, 50, 100, 60);
    QApplication::processEvents();
    EXPECT_EQ(native->size(), QSize(100, 60));
    EXPECT_EQ(native->mapToGlobal(QPoint(0, 0)), place->mapToGlobal(QPoint(0, 0)));
    EXPECT_TRUE(native->isVisible());
    place->hide();
    QApplication::processEvents();
    EXPECT_FALSE(native->isVisible());
    place->show();
    QApplication::processEvents();
    EXPECT_TRUE(native->isVisible());

    place->Attach(nullptr);
    EXPECT_EQ(place->GetWindow(), nullptr);
}

// Items under one list, with the item layout from a skin folder of the test's own.
class ComboEditElementTest : public ::testing::Test {
protected:
    ComboEditElementTest()
    {
        QDir(skin.Path()).mkpath("XML/CustomControlXML");
        QFile::copy(QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/XML/CustomControlXML/ComboEditElementItem.xml"),
                    skin.Path() + "/XML/CustomControlXML/ComboEditElementItem.xml");
        for (int i = 0; i < 3; ++i) {
            items.push_back(new CComboEditContainerElementUI(window.root));
            items.back()->setGeometry(0, 40 * i, 300, 40);
        }
    }
    void Click(CComboEditContainerElementUI* item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(5, 5), item->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, modifiers);
            QApplication::sendEvent(item, &event);
        }
    }
    std::vector<bool> Selected() const
    {
        std::vector<bool> flags;
        for (auto* item : items)
            flags.push_back(item->IsSelected());
        return flags;
    }

    TestSkinFolder skin;
    ManagedWindow window;
    std::vector<CComboEditContainerElementUI*> items;
};

TEST_F(ComboEditElementTest, ContentComesFromTheItemLayout)
{
    CComboEditContainerElementUI* item = items[0];
    ASSERT_NE(item->GetText1(), nullptr);
    ASSERT_NE(item->GetText2(), nullptr);
    ASSERT_NE(item->GetDelayEdit(), nullptr);
    EXPECT_TRUE(item->isAncestorOf(item->GetText1()));
    EXPECT_NE(qobject_cast<QLineEdit*>(item->GetDelayEdit()), nullptr);
    EXPECT_NE(items[1]->GetText1(), item->GetText1());
    EXPECT_EQ(item->GetClass(), "ComboEditContainerElement");
}

TEST_F(ComboEditElementTest, ClickSelectsOneItemAndCtrlTogglesOne)
{
    Click(items[1]);
    EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(window.notifier.types, QStringList{"itemclick"});
    EXPECT_EQ(window.notifier.senders.value(0), items[1]);
    Click(items[2], Qt::ControlModifier);
    EXPECT_EQ(Selected(), (std::vector<bool>{false, true, true}));
    Click(items[1], Qt::ControlModifier);
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, true}));
    Click(items[0]);
    EXPECT_EQ(Selected(), (std::vector<bool>{true, false, false}));

    window.notifier.types.clear();
    items[1]->setEnabled(false);
    Click(items[1]);
    EXPECT_EQ(Selected(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(ComboEditElementTest, EnterAndDoubleClickActivate)
{
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(items[0], &enter);
    EXPECT_EQ(window.notifier.types, (QStringList{"itemactivate", "return"}));
    window.notifier.types.clear();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(items[0], &other);
    EXPECT_TRUE(window.notifier.types.isEmpty());
    QTest::mouseDClick(items[0], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(window.notifier.types.contains("itemactivate"));
}

TEST_F(ComboEditElementTest, HotStateFollowsThePointerWhileEnabled)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(items[0], &enter);
    EXPECT_TRUE(items[0]->IsHot());
    QApplication::sendEvent(items[0], &leave);
    EXPECT_FALSE(items[0]->IsHot());
    items[0]->setEnabled(false);
    QApplication::sendEvent(items[0], &enter);
    EXPECT_FALSE(items[0]->IsHot());
}

TEST_F(ComboEditElementTest, StatesAreShownWithTheirColours)
{
    CComboEditContainerElementUI* item = items[0];
    item->SetAttribute("bkcolor", "#FF0000FF");
    item->SetAttribute("HotBkColor", "#FF00FF00");
    item->setProperty("selectedbkcolor", "#FFFF0000");
    // A corner the item layout leaves free.
    EXPECT_EQ(Render(item).pixelColor(0, 0), QColor(0, 0, 255));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(item, &enter);
    EXPECT_EQ(Render(item).pixelColor(0, 0), QColor(0, 255, 0));
    Click(item);
    EXPECT_EQ(Render(item).pixelColor(0, 0), QColor(255, 0, 0));

    // State images are not the item's look.
    const QImage before = Render(item);
    for (const char* name : {"normalimage", "HotImage", "selectedimage"})
        EXPECT_TRUE(item->SetAttribute(name, "file='x.png'")) << name;
    EXPECT_EQ(Render(item), before);
    EXPECT_FALSE(item->SetAttribute("pushedimage", "file='x.png'"));
}

TEST(ComboEditElementWithoutLayout, HasNoChildrenAndStillBehavesAsAnItem)
{
    TestSkinFolder emptySkin;
    ManagedWindow window;
    auto* item = new CComboEditContainerElementUI(window.root);
    item->setGeometry(0, 0, 100, 30);
    EXPECT_TRUE(item->findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(item->GetText1(), nullptr);
    EXPECT_EQ(item->GetDelayEdit(), nullptr);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(item->IsSelected());
    EXPECT_EQ(window.notifier.types, QStringList{"itemclick"});
}

TEST(CustomControls, EachIsMadeByItsNames)
{
    CControlFactory& factory = CControlFactory::GetInstance();
    controls::RegisterControls(factory);
    const std::pair<const char*, const char*> made[] = {
        {"CircleProgress", "CCircleProgressUI"},
        {"CCircleProgressUI", "CCircleProgressUI"},
        {"AudioRecord", "CAudioRecordUI"},
        {"CAudioRecordUI", "CAudioRecordUI"},
        {"ComboEditContainerElement", "CComboEditContainerElementUI"},
        {"CComboEditContainerElementUI", "CComboEditContainerElementUI"},
        {"CChartViewUI", "CChartViewUI"},
        {"Wnd", "CWndUI"},
        {"CWndUI", "CWndUI"},
    };
    for (const auto& [name, className] : made) {
        std::unique_ptr<QWidget> control(factory.CreateControl(name, nullptr));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_STREQ(control->metaObject()->className(), className) << name;
    }
}

TEST(CustomControls, SampleSkinShowsEveryOne)
{
    controls::RegisterControls(CControlFactory::GetInstance());
    const QString sample = QStringLiteral(Q31_SOURCE_DATA_DIR "/../tools/q31-skinview/controls_sample.xml");
    std::unique_ptr<QWidget> root(CDialogBuilder::Create(sample, nullptr, nullptr));
    ASSERT_NE(root, nullptr);
    QStringList classes;
    for (const QWidget* control : root->findChildren<QWidget*>())
        classes << QString::fromLatin1(control->metaObject()->className());
    for (const char* name : {"CHandImgButtonUI", "CHandImgSelectButtonUI", "CRedioMacroButtonUI", "CCircleProgressUI",
                             "CAudioRecordUI", "CChartViewUI", "CWndUI", "CComboEditContainerElementUI"})
        EXPECT_TRUE(classes.contains(name)) << name;
}

}  // namespace
}  // namespace q31::test
