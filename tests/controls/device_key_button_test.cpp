#include "controls/device_key_button_ui.h"

#include "tests/common/event_counter.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/controls_test_support.h"
#include "ui/render_engine.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

// A skin folder with two solid images: a white light shape and a blue badge.
class KeyButtonTest : public ::testing::Test {
protected:
    KeyButtonTest()
    {
        WriteSvg("light.svg", "#ffffff");
        WriteSvg("badge.svg", "#0000ff");
        previousPath = CPaintManagerUI::GetResourcePath();
        CPaintManagerUI::SetResourcePath(QString::fromStdString(skin.Path()));
        CRenderEngine::ClearImageCache();
        button = new CDeviceKeyButtonUI(window.root);
        button->setGeometry(10, 10, 40, 40);
        button->SetAttribute("LightImage", "file='light.svg'");
        button->SetAttribute("keysetimage", "file='badge.svg' dest='30,0,40,10'");
    }
    ~KeyButtonTest() override
    {
        CPaintManagerUI::SetResourcePath(previousPath);
        CRenderEngine::ClearImageCache();
    }

    void WriteSvg(const char* name, const char* colour)
    {
        QFile file(QString::fromStdString(skin.Path() + "/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='40' height='40'>"
                                  "<rect width='40' height='40' fill='%1'/></svg>")
                       .arg(colour)
                       .toUtf8());
    }

    QImage Render()
    {
        QImage image(button->size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        button->render(&image);
        return image;
    }

    TempFolder skin;
    QString previousPath;
    ManagedWindow window;
    CDeviceKeyButtonUI* button = nullptr;
};

TEST_F(KeyButtonTest, FreshButtonShowsNeitherOverlay)
{
    EXPECT_FALSE(button->IsLightShown());
    EXPECT_TRUE(button->IsKeySetBadgeHidden());
    EXPECT_EQ(button->GetLightColour(), 255u);
    EXPECT_EQ(button->GetLightLevel(), 200);
    EXPECT_EQ(button->IsSelected(), 0);
    const QImage image = Render();
    EXPECT_NE(image.pixelColor(20, 20), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(35, 5), QColor(Qt::blue));
}

TEST_F(KeyButtonTest, LightOverlayIsTintedWithTheZoneColourAndTheBadgeDrawnOnTop)
{
    // Red in the overlay's layout: red | blue << 8 | green << 16.
    button->SetLightOverlay(0x0000FF, 255, true);
    button->SetKeySetBadgeHidden(false);
    const QImage image = Render();
    EXPECT_EQ(image.pixelColor(20, 20), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(35, 5), QColor(Qt::blue));
    // Green at half level comes out darker.
    button->SetLightOverlay(0xFF0000, 128, true);
    const QColor half = Render().pixelColor(20, 20);
    EXPECT_EQ(half.red(), 0);
    EXPECT_EQ(half.blue(), 0);
    EXPECT_GT(half.green(), 100);
    EXPECT_LT(half.green(), 150);
}

TEST_F(KeyButtonTest, NameColourAttributeChangesNothing)
{
    const QImage before = Render();
    EXPECT_TRUE(button->SetAttribute("gmnametextcolor", "FF00FF00"));
    EXPECT_TRUE(button->SetAttribute("GmNameTextColor", "#FF00FF00"));
    button->setProperty("gmnametextcolor", "#FFFF0000");
    EXPECT_EQ(Render(), before);
    // Other attributes still reach the button.
    EXPECT_TRUE(button->SetAttribute("bkcolor", "#FF00FF00"));
}

TEST_F(KeyButtonTest, BadgeRepaintsOnlyOnChange)
{
    window.host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.host.get()));
    q31::test::EventCounter paints(QEvent::Paint);
    QApplication::processEvents();
    button->installEventFilter(&paints);
    button->SetKeySetBadgeHidden(true);
    QApplication::processEvents();
    EXPECT_EQ(paints.Count(), 0);
    button->SetKeySetBadgeHidden(false);
    QApplication::processEvents();
    EXPECT_GE(paints.Count(), 1);
    // The light overlay never repaints by itself.
    const int before = paints.Count();
    button->SetLightOverlay(0x123456, 10, true);
    QApplication::processEvents();
    EXPECT_EQ(paints.Count(), before);
}

TEST_F(KeyButtonTest, DoubleClickSendsDbclickAndLeavesTheButtonPushed)
{
    QTest::mouseDClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(window.notifier.types.contains("dbclick"));
    EXPECT_EQ(window.notifier.senders.value(window.notifier.types.indexOf("dbclick")), button);

    window.notifier.types.clear();
    button->setEnabled(false);
    QTest::mouseDClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(window.notifier.types.contains("dbclick"));
}

TEST_F(KeyButtonTest, DoubleClickSetsThePushedState)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &event);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(window.notifier.types, QStringList{"dbclick"});
}

}  // namespace
}  // namespace q31::test
