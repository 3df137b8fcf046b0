#include "controls/select_panel_ui.h"

#include "controls/control_registration.h"
#include "controls/device_key_button_ui.h"
#include "tests/controls/controls_test_support.h"
#include "ui/button_ui.h"
#include "ui/control_factory.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

// A panel with a 4 x 2 grid of 20 x 20 key buttons, 30 px apart, and one plain button.
class SelectPanelTest : public ::testing::Test {
protected:
    SelectPanelTest()
    {
        panel = new CSelectPanelUI(window.root);
        panel->setGeometry(0, 0, 300, 200);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 4; ++column) {
                auto* key = new CDeviceKeyButtonUI(panel);
                key->setGeometry(10 + column * 30, 10 + row * 30, 20, 20);
                keys.push_back(key);
            }
        }
        plain = new CButtonUI(panel);
        plain->setGeometry(10, 100, 20, 20);
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, panel->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    std::vector<int> Selected() const
    {
        std::vector<int> flags;
        for (auto* key : keys)
            flags.push_back(key->IsSelected());
        return flags;
    }

    ManagedWindow window;
    CSelectPanelUI* panel = nullptr;
    std::vector<CDeviceKeyButtonUI*> keys;
    CButtonUI* plain = nullptr;
};

TEST_F(SelectPanelTest, DragMarksExactlyTheButtonsInsideTheRectangle)
{
    // From the bottom right up to the left: covers columns 1 and 2 of the first row.
    Drag(QPoint(75, 25), QPoint(45, 5));
    EXPECT_EQ(panel->GetSelectionRect(), QRect(QPoint(45, 5), QPoint(74, 24)));
    EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(window.notifier.types, QStringList{"click_select_end"});
    EXPECT_EQ(window.notifier.senders.value(0), panel);

    // A rectangle touching a button's edge only does not take it.
    Drag(QPoint(0, 0), QPoint(10, 10));
    EXPECT_EQ(Selected(), (std::vector<int>(8, 0)));
    Drag(QPoint(0, 0), QPoint(11, 41));
    EXPECT_EQ(Selected(), (std::vector<int>{1, 0, 0, 0, 1, 0, 0, 0}));
}

TEST_F(SelectPanelTest, DragOverEmptySpaceClearsEverySelection)
{
    for (auto* key : keys)
        key->SetSelected(1);
    Drag(QPoint(200, 150), QPoint(250, 190));
    EXPECT_EQ(Selected(), (std::vector<int>(8, 0)));
    EXPECT_EQ(window.notifier.types, QStringList{"click_select_end"});
}

TEST_F(SelectPanelTest, ClickWithoutMovementSelectsAndSendsNothing)
{
    keys[0]->SetSelected(1);
    Mouse(QEvent::MouseButtonPress, QPoint(200, 150), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(200, 150), Qt::NoButton);
    EXPECT_EQ(keys[0]->IsSelected(), 1);
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(SelectPanelTest, DisabledPanelDoesNotStartADrag)
{
    panel->setEnabled(false);
    Drag(QPoint(0, 0), QPoint(200, 200));
    EXPECT_EQ(Selected(), (std::vector<int>(8, 0)));
}

TEST_F(SelectPanelTest, ControlsAreMadeByTheirNames)
{
    CControlFactory& factory = CControlFactory::GetInstance();
    controls::RegisterKeyButtonControls(factory);
    for (const char* name : {"DeviceKeyButton", "CDeviceKeyButtonUI"}) {
        std::unique_ptr<QWidget> control(factory.CreateControl(name, nullptr));
        auto* button = qobject_cast<CDeviceKeyButtonUI*>(control.get());
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->GetClass(), "DeviceKeyButton");
    }
    for (const char* name : {"SelectPanel", "CSelectPanelUI"}) {
        std::unique_ptr<QWidget> control(factory.CreateControl(name, nullptr));
        auto* selectPanel = qobject_cast<CSelectPanelUI*>(control.get());
        ASSERT_NE(selectPanel, nullptr) << name;
        EXPECT_EQ(selectPanel->GetClass(), "SelectPanel");
    }
}

}  // namespace
}  // namespace q31::test
