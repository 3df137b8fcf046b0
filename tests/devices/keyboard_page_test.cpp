// The keyboard page skin: a drawn keyboard of key buttons and the settings panel.
#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "tests/devices/device_test_support.h"


#include <gtest/gtest.h>

#include <set>

namespace q31::test {
namespace {

constexpr int kLogicalKeys = 126;

class KeyboardPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = builder.BuildShipped("keyboarddevice.xml");
        ASSERT_NE(page, nullptr);
        builder.ShowAtWindowSize(*page);
        panel = page->findChild<CSelectPanelUI*>(QStringLiteral("keyboard_device_key_light"));
        ASSERT_NE(panel, nullptr);
    }

    QList<CDeviceKeyButtonUI*> KeyButtons() const
    {
        return panel->findChildren<CDeviceKeyButtonUI*>(QString(), Qt::FindDirectChildrenOnly);
    }

    PageBuilder builder;
    CHalvorinUSBDevice* page = nullptr;
    CSelectPanelUI* panel = nullptr;
};

TEST_F(KeyboardPageTest, HoldsEveryLogicalKeyOnceAsAKeyButtonOfThePanel)
{
    std::set<QString> names;
    for (const CDeviceKeyButtonUI* button : KeyButtons())
        names.insert(button->objectName());
    std::set<QString> expected;
    for (int i = 0; i < kLogicalKeys; ++i)
        expected.insert(QStringLiteral("key_%1").arg(i));
    EXPECT_EQ(names, expected);
    EXPECT_EQ(KeyButtons().size(), kLogicalKeys);
    EXPECT_EQ(page->findChildren<CDeviceKeyButtonUI*>().size(), kLogicalKeys);
}

TEST_F(KeyboardPageTest, ShownKeysSitInsideTheDrawingAtTheirSizeAndNeverOverlap)
{
    std::vector<const CDeviceKeyButtonUI*> shown;
    for (const CDeviceKeyButtonUI* button : KeyButtons()) {
        if (button->isHidden())
            continue;
        EXPECT_EQ(button->size(), button->maximumSize()) << button->objectName().toStdString();
        EXPECT_TRUE(panel->rect().contains(button->geometry())) << button->objectName().toStdString();
        shown.push_back(button);
    }
    // A full-size keyboard with its macro column, Fn and game-mode keys.
    EXPECT_EQ(shown.size(), 111u);
    for (std::size_t a = 0; a < shown.size(); ++a) {
        for (std::size_t b = a + 1; b < shown.size(); ++b) {
            EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                << shown[a]->objectName().toStdString() << " " << shown[b]->objectName().toStdString();
        }
    }
}

TEST_F(KeyboardPageTest, KeysStandWhereAKeyboardHasThem)
{
    const auto at = [this](int index) {
        return panel->findChild<CDeviceKeyButtonUI*>(QStringLiteral("key_%1").arg(index))->geometry();
    };
    // Esc, Tab and Left Ctrl start the main block; Q is right of Tab and below 1.
    EXPECT_EQ(at(0).left(), at(42).left());
    EXPECT_EQ(at(42).left(), at(105).left());
    EXPECT_LT(at(42).right(), at(43).left());
    EXPECT_LT(at(22).bottom(), at(43).top());
    // Space is the widest key; the macro keys are left of the main block.
    for (const CDeviceKeyButtonUI* button : KeyButtons()) {
        if (button->objectName() != QLatin1String("key_108")) {
            EXPECT_LT(button->width(), at(108).width()) << button->objectName().toStdString();
        }
    }
    for (int macro = 120; macro <= 124; ++macro)
        EXPECT_LT(at(macro).right(), at(42).left());
    // The number pad's Enter and + are two rows tall.
    EXPECT_GT(at(118).height(), at(97).height() * 3 / 2);
    EXPECT_GT(at(119).height(), at(76).height() * 3 / 2);
    // Keys the keyboard may lack take no room until shown.
    for (int reserved : {18, 19, 20, 104})
        EXPECT_TRUE(panel->findChild<CDeviceKeyButtonUI*>(QStringLiteral("key_%1").arg(reserved))->isHidden());
}

TEST_F(KeyboardPageTest, SettingsControlsAndAreasAreThere)
{
    const char* names[] = {"profile_area", "device_status_line", "device_picture", "lighting_area", "key_area",
                           "repeat_rate_slider", "reset_repeat_btn", "winlockflag_option", "wflag_option",
                           "6flag_option", "repeat_delay_time_label1", "repeat_input_richedit"};
    for (const char* name : names)
        EXPECT_NE(page->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(page->findChild<QWidget*>(QStringLiteral("repeat_delay_check_%1").arg(i)), nullptr) << i;
        EXPECT_NE(page->findChild<QWidget*>(QStringLiteral("polling_rate_option_%1").arg(i)), nullptr) << i;
    }
    // The device drawing takes about 60 % of the width, the function panel the rest.
    const QWidget* picture = page->findChild<QWidget*>(QStringLiteral("device_picture"));
    const QWidget* lighting = page->findChild<QWidget*>(QStringLiteral("lighting_area"));
    const double share = double(picture->width()) / (picture->width() + lighting->width());
    EXPECT_GT(share, 0.55);
    EXPECT_LT(share, 0.65);
}

}  // namespace
}  // namespace q31::test
