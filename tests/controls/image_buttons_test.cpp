// The image buttons: the hand image over a button, the draggable view window
// on a picture larger than its button, and the macro recorder's button.
#include "controls/control_registration.h"
#include "controls/cursor_names.h"
#include "controls/hand_img_button_ui.h"
#include "controls/hand_img_select_button_ui.h"
#include "controls/redio_macro_button_ui.h"
#include "tests/controls/controls_test_support.h"
#include "ui/control_factory.h"
#include "ui/notify_wiring.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 255, 0), kYellow(255, 255, 0), kBlack(0, 0, 0);

void Mouse(QWidget* control, QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, control->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(control, &event);
}

// 200 x 100: red on the left half, blue on the right, a green band at the
// right edge (x >= 190) and a yellow one at the bottom (y >= 90).
QImage LargePicture()
{
    QImage image(200, 100, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 100, 100, kRed);
    painter.fillRect(100, 0, 100, 100, kBlue);
    painter.fillRect(190, 0, 10, 100, kGreen);
    painter.fillRect(0, 90, 200, 10, kYellow);
    return image;
}

// 20 x 20: red on the left half, blue on the right.
QImage SmallPicture()
{
    QImage image(20, 20, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 10, 20, kRed);
    painter.fillRect(10, 0, 10, 20, kBlue);
    return image;
}

class ImageButtonTest : public ::testing::Test {
protected:
    ImageButtonTest()
    {
        EXPECT_TRUE(skin.Write("large.png", LargePicture()));
        EXPECT_TRUE(skin.Write("small.png", SmallPicture()));
    }
    TestSkinFolder skin;
    ManagedWindow window;
};

TEST_F(ImageButtonTest, HandImageIsDrawnOverTheButtonWithEveryDescriptionKey)
{
    auto* button = new CHandImgButtonUI(window.root);
    button->setGeometry(10, 10, 40, 40);
    button->SetAttribute("bkcolor", "#FF000000");
    // Resource type and colour adjustment do not apply to skin files; they must
    // not keep the rest of the description from being read.
    button->SetAttribute("HandImage", "res='small.png' restype='PNG' hsl='true' source='10,0,20,20' "
                                      "dest='20,0,40,20' corner='0,0,0,0' mask='#FF00FF00' fade='255' "
                                      "hole='false' xtiled='false' ytiled='false'");
    QImage image = Render(button);
    EXPECT_EQ(image.pixelColor(30, 10), kBlue);  // the source half, in dest
    EXPECT_EQ(image.pixelColor(10, 10), kBlack);
    EXPECT_EQ(image.pixelColor(30, 30), kBlack);

    // A dest beyond the button is cut at its edge.
    button->SetAttribute("handimage", "file='small.png' dest='30,30,60,60'");
    image = Render(button);
    EXPECT_EQ(image.pixelColor(32, 32), kRed);
    EXPECT_EQ(image.size(), QSize(40, 40));
}

TEST_F(ImageButtonTest, HandImageButtonNeverShowsOrClicksADeleteBadge)
{
    auto* button = new CHandImgButtonUI(window.root);
    button->setGeometry(0, 0, 40, 40);
    button->SetAttribute("bkcolor", "#FF000000");
    const QImage plain = Render(button);
    EXPECT_TRUE(button->SetAttribute("deletenormalimage", "file='large.png'"));
    EXPECT_TRUE(button->SetAttribute("DeleteHotImage", "file='large.png'"));
    QEnterEvent enter(QPointF(35, 5), QPointF(35, 5), QPointF(35, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(Render(button), plain);
    Mouse(button, QEvent::MouseButtonPress, QPoint(35, 5));
    Mouse(button, QEvent::MouseButtonRelease, QPoint(35, 5));
    EXPECT_FALSE(window.notifier.types.contains("click_handdelete"));
}

TEST_F(ImageButtonTest, HandImageButtonClicksOnlyWhenReleasedInside)
{
    auto* button = new CHandImgButtonUI(window.root);
    button->setGeometry(0, 0, 40, 40);
    ui::WireNotifications(window.root);

    Mouse(button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_TRUE(button->isDown());
    Mouse(button, QEvent::MouseMove, QPoint(80, 80));
    EXPECT_FALSE(button->isDown());
    Mouse(button, QEvent::MouseButtonRelease, QPoint(80, 80));
    EXPECT_FALSE(window.notifier.types.contains("click"));

    // Out and back in again still clicks.
    Mouse(button, QEvent::MouseButtonPress, QPoint(5, 5));
    Mouse(button, QEvent::MouseMove, QPoint(80, 80));
    Mouse(button, QEvent::MouseMove, QPoint(6, 6));
    EXPECT_TRUE(button->isDown());
    Mouse(button, QEvent::MouseButtonRelease, QPoint(6, 6));
    EXPECT_EQ(window.notifier.types, QStringList{"click"});
    EXPECT_FALSE(button->isDown());

    // A double click presses as well.
    window.notifier.types.clear();
    Mouse(button, QEvent::MouseButtonDblClick, QPoint(5, 5));
    EXPECT_TRUE(button->isDown());
    Mouse(button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(window.notifier.types, QStringList{"click"});
}

TEST_F(ImageButtonTest, PointerEntryAndExitAreReportedWhileEnabled)
{
    auto* hand = new CHandImgButtonUI(window.root);
    auto* select = new CHandImgSelectButtonUI(window.root);
    for (QWidget* button : {static_cast<QWidget*>(hand), static_cast<QWidget*>(select)}) {
        window.notifier.types.clear();
        window.notifier.senders.clear();
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &enter);
        QApplication::sendEvent(button, &leave);
        EXPECT_EQ(window.notifier.types, (QStringList{"msenter", "msleave"}));
        EXPECT_EQ(window.notifier.senders, (QList<QWidget*>{button, button}));

        window.notifier.types.clear();
        button->setEnabled(false);
        QApplication::sendEvent(button, &enter);
        QApplication::sendEvent(button, &leave);
        EXPECT_TRUE(window.notifier.types.isEmpty());
    }
}

class SelectButtonTest : public ImageButtonTest {
protected:
    SelectButtonTest()
    {
        button = new CHandImgSelectButtonUI(window.root);
        button->setGeometry(0, 0, 50, 50);
        ui::WireNotifications(window.root);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(button, QEvent::MouseButtonPress, from);
        Mouse(button, QEvent::MouseMove, to);
        Mouse(button, QEvent::MouseButtonRelease, to);
    }
    CHandImgSelectButtonUI* button = nullptr;
};

TEST_F(SelectButtonTest, LargerPictureIsShownThroughAWindowTheSizeOfTheButton)
{
    button->SetAttribute("handimage", "large.png");
    EXPECT_EQ(button->GetViewWindow(), QRect(0, 0, 50, 50));
    const QImage image = Render(button);
    // One image pixel to a button pixel: the button shows only the red corner.
    EXPECT_EQ(image.pixelColor(0, 0), kRed);
    EXPECT_EQ(image.pixelColor(49, 49), kRed);
}

TEST_F(SelectButtonTest, PictureThatFitsIsDrawnFromItsPlainDescription)
{
    ASSERT_TRUE(skin.Write("fit.png", SmallPicture().scaled(50, 50)));
    for (const char* picture : {"file='small.png'", "file='fit.png'"}) {
        button->SetAttribute("handimage", picture);
        const QImage before = Render(button);
        // Over the whole button, with no source window.
        EXPECT_EQ(before.pixelColor(5, 45), kRed) << picture;
        EXPECT_EQ(before.pixelColor(45, 5), kBlue) << picture;
        // Nothing to move: drags change nothing.
        for (const QPoint& to : {QPoint(5, 5), QPoint(45, 45)}) {
            Drag(QPoint(25, 25), to);
            EXPECT_EQ(button->GetViewWindow(), QRect(0, 0, 50, 50)) << picture;
            EXPECT_EQ(Render(button), before) << picture;
        }
    }
}

TEST_F(SelectButtonTest, DraggingMovesTheWindowAgainstThePointer)
{
    button->SetAttribute("handimage", "large.png");
    Drag(QPoint(40, 20), QPoint(10, 20));  // 30 to the left
    EXPECT_EQ(button->GetViewWindow(), QRect(30, 0, 50, 50));
    Drag(QPoint(10, 40), QPoint(10, 20));  // 20 up
    EXPECT_EQ(button->GetViewWindow(), QRect(30, 20, 50, 50));
    Drag(QPoint(10, 20), QPoint(20, 25));  // 10 right, 5 down
    EXPECT_EQ(button->GetViewWindow(), QRect(20, 15, 50, 50));
    const QImage image = Render(button);
    EXPECT_EQ(image.pixelColor(10, 10), kRed);
    EXPECT_EQ(image.pixelColor(49, 10), kRed);  // image x 69
}

TEST_F(SelectButtonTest, WindowStopsAtTheEdgesOfThePicture)
{
    button->SetAttribute("handimage", "large.png");
    Drag(QPoint(45, 45), QPoint(-255, -255));  // far left and up
    EXPECT_EQ(button->GetViewWindow(), QRect(150, 50, 50, 50));
    QImage image = Render(button);
    EXPECT_EQ(image.pixelColor(45, 10), kGreen);
    EXPECT_EQ(image.pixelColor(10, 45), kYellow);
    EXPECT_EQ(image.pixelColor(10, 10), kBlue);

    // A drag in several moves stops there too.
    Mouse(button, QEvent::MouseButtonPress, QPoint(45, 45));
    for (int x = 40; x >= 0; x -= 5)
        Mouse(button, QEvent::MouseMove, QPoint(x, 45));
    Mouse(button, QEvent::MouseButtonRelease, QPoint(0, 45));
    EXPECT_EQ(button->GetViewWindow(), QRect(150, 50, 50, 50));

    Drag(QPoint(0, 0), QPoint(300, 300));  // far right and down
    EXPECT_EQ(button->GetViewWindow(), QRect(0, 0, 50, 50));
    image = Render(button);
    EXPECT_EQ(image.pixelColor(5, 5), kRed);
}

TEST_F(SelectButtonTest, PressesButNeverClicks)
{
    button->SetAttribute("handimage", "large.png");
    Mouse(button, QEvent::MouseButtonPress, QPoint(10, 10));
    EXPECT_TRUE(button->isDown());
    Mouse(button, QEvent::MouseButtonRelease, QPoint(10, 10));
    EXPECT_FALSE(button->isDown());
    Mouse(button, QEvent::MouseButtonDblClick, QPoint(10, 10));
    Mouse(button, QEvent::MouseButtonRelease, QPoint(10, 10));
    EXPECT_TRUE(window.notifier.types.isEmpty());
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST_F(SelectButtonTest, ResizingKeepsTheWindowTheSizeOfTheButton)
{
    button->SetAttribute("handimage", "large.png");
    Drag(QPoint(45, 45), QPoint(-255, 45));
    button->resize(80, 60);
    EXPECT_EQ(button->GetViewWindow(), QRect(120, 0, 80, 60));
}

TEST(CursorNames, StandardCursorsAreQtShapes)
{
    using controls::CursorShapeFromName;
    const std::pair<const char*, Qt::CursorShape> expected[] = {
        {"arrow", Qt::ArrowCursor},          {"ibeam", Qt::IBeamCursor},       {"wait", Qt::WaitCursor},
        {"cross", Qt::CrossCursor},          {"uparrow", Qt::UpArrowCursor},   {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},           {"sizenwse", Qt::SizeFDiagCursor}, {"sizenesw", Qt::SizeBDiagCursor},
        {"sizewe", Qt::SizeHorCursor},       {"sizens", Qt::SizeVerCursor},    {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},         {"hand", Qt::PointingHandCursor},
    };
    for (const auto& [name, shape] : expected)
        EXPECT_EQ(CursorShapeFromName(name), shape) << name;
    EXPECT_FALSE(CursorShapeFromName("pointer"));
    EXPECT_FALSE(CursorShapeFromName(""));
}

TEST_F(SelectButtonTest, CursorAttributeSetsThePointerShape)
{
    EXPECT_TRUE(button->SetAttribute("Cursor", "hand"));
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(button->SetAttribute("cursor", "no such cursor"));
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ImageButtonTest, MacroButtonTakesItsPulseImageWithoutDrawingIt)
{
    auto* button = new CRedioMacroButtonUI(window.root);
    button->setGeometry(0, 0, 40, 40);
    button->SetAttribute("bkcolor", "#FF000000");
    const QImage plain = Render(button);
    EXPECT_TRUE(button->SetAttribute("RedioImage", "file='large.png'"));
    EXPECT_EQ(Render(button), plain);
    EXPECT_EQ(button->GetClass(), "RedioMacroButton");
}

TEST(ImageButtonNames, EachIsMadeByItsSkinNameAndItsClassName)
{
    CControlFactory& factory = CControlFactory::GetInstance();
    controls::RegisterControls(factory);
    const std::tuple<const char*, const char*, const char*> names[] = {
        {"HandImgButton", "CHandImgButtonUI", "HandImgButton"},
        {"HandImgSelectButton", "CHandImgSelectButtonUI", "HandImgSelectButton"},
        {"RedioMacroButton", "CRedioMacroButtonUI", "RedioMacroButton"},
    };
    for (const auto& [skinName, className, reported] : names) {
        for (const char* name : {skinName, className}) {
            std::unique_ptr<QWidget> control(factory.CreateControl(name, nullptr));
            auto* button = qobject_cast<CButtonUI*>(control.get());
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->GetClass(), reported);
        }
    }
}

}  // namespace
}  // namespace q31::test
