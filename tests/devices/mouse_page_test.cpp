// The mouse page skin: a drawn mouse of key buttons and the function panel.
#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "tests/devices/device_test_support.h"

#include <QLineEdit>
#include <QSlider>

#include <gtest/gtest.h>

#include <set>

namespace q31::test {
namespace {

constexpr int kButtons = 11;
constexpr int kLights = 15;
constexpr int kStages = 5;

class MousePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = builder.BuildShipped("mousedevice.xml");
        ASSERT_NE(page, nullptr);
        builder.ShowAtWindowSize(*page);
        panel = page->findChild<CSelectPanelUI*>(QStringLiteral("mouse_device_key_light"));
        ASSERT_NE(panel, nullptr);
    }

    QList<CDeviceKeyButtonUI*> PanelButtons() const { return panel->findChildren<CDeviceKeyButtonUI*>(); }

    CDeviceKeyButtonUI* Button(int index) const
    {
        return panel->findChild<CDeviceKeyButtonUI*>(QStringLiteral("key_%1").arg(index));
    }

    // Where a button sits on the drawing, whichever box of the panel holds it.
    QRect OnPanel(const QWidget* button) const { return {button->mapTo(panel, QPoint(0, 0)), button->size()}; }

    QRect At(int index) const { return OnPanel(Button(index)); }

    template <class Control>
    Control* Find(const QString& name) const
    {
        return page->findChild<Control*>(name);
    }

    PageBuilder builder;
    CHalvorinUSBDevice* page = nullptr;
    CSelectPanelUI* panel = nullptr;
};

TEST_F(MousePageTest, HoldsTheElevenButtonsAndTheLightZonesOnThePanel)
{
    std::set<QString> keys;
    std::set<QString> lights;
    for (const CDeviceKeyButtonUI* button : PanelButtons()) {
        if (button->objectName().startsWith(QLatin1String("key_")))
            keys.insert(button->objectName());
        else
            lights.insert(button->property("userdata").toString());
    }
    std::set<QString> expectedKeys;
    for (int i = 0; i < kButtons; ++i)
        expectedKeys.insert(QStringLiteral("key_%1").arg(i));
    std::set<QString> expectedLights;
    for (int i = 0; i < kLights; ++i)
        expectedLights.insert(QStringLiteral("light_%1").arg(i));
    EXPECT_EQ(keys, expectedKeys);
    EXPECT_EQ(lights, expectedLights);
    EXPECT_EQ(page->findChildren<CDeviceKeyButtonUI*>().size(), kButtons + kLights);
}

TEST_F(MousePageTest, ButtonsKeepTheirSizeInsideTheDrawingAndNeverOverlap)
{
    const QList<CDeviceKeyButtonUI*> shown = PanelButtons();
    ASSERT_EQ(shown.size(), kButtons + kLights);
    for (const CDeviceKeyButtonUI* button : shown) {
        EXPECT_EQ(button->size(), button->maximumSize()) << button->objectName().toStdString();
        EXPECT_TRUE(panel->rect().contains(OnPanel(button))) << button->objectName().toStdString();
    }
    for (qsizetype a = 0; a < shown.size(); ++a) {
        for (qsizetype b = a + 1; b < shown.size(); ++b) {
            EXPECT_FALSE(OnPanel(shown[a]).intersects(OnPanel(shown[b])))
                << shown[a]->objectName().toStdString() << " " << shown[b]->objectName().toStdString();
        }
    }
}

TEST_F(MousePageTest, ButtonsStandWhereAMouseHasThem)
{
    // Left and right either side of the wheel, the DPI buttons behind it,
    // forward ahead of back on the thumb side.
    EXPECT_LT(At(0).right(), At(2).left());
    EXPECT_LT(At(2).right(), At(1).left());
    EXPECT_LT(At(2).bottom(), At(5).top());
    EXPECT_LT(At(5).bottom(), At(6).top());
    EXPECT_LT(At(3).bottom(), At(4).top());
    EXPECT_LT(At(3).right(), At(0).left());
    EXPECT_GT(At(9).left(), At(1).left());
}

TEST_F(MousePageTest, EachDpiStageHasItsRowOfControls)
{
    for (int i = 0; i < kStages; ++i) {
        const QString n = QString::number(i);
        EXPECT_NE(Find<QWidget>(QStringLiteral("DPI_enable_check_") + n), nullptr) << i;
        EXPECT_NE(Find<QWidget>(QStringLiteral("DPI_select_check_") + n), nullptr) << i;
        EXPECT_NE(Find<QSlider>(QStringLiteral("DPI_slider_") + n), nullptr) << i;
        EXPECT_NE(Find<QLineEdit>(QStringLiteral("DPI_edit_") + n), nullptr) << i;
        EXPECT_NE(Find<QWidget>(QStringLiteral("DPI_color_option_") + n), nullptr) << i;
        // Disabling a stage's row must leave its enable check usable.
        const QWidget* row = Find<QWidget>(QStringLiteral("DPI_layout_") + n);
        ASSERT_NE(row, nullptr) << i;
        EXPECT_FALSE(row->isAncestorOf(Find<QWidget>(QStringLiteral("DPI_enable_check_") + n))) << i;
        EXPECT_TRUE(row->isAncestorOf(Find<QSlider>(QStringLiteral("DPI_slider_") + n))) << i;
    }
}

TEST_F(MousePageTest, SettingsControlsAndAreasAreThere)
{
    const char* names[] = {"profile_area", "device_status_line", "device_picture", "lighting_area", "key_area",
                           "mouse_device_seting_layout", "mouse_option_layout", "pointer_precision_check",
                           "scrolls_page_check", "pointer_speed_slider", "scroll_speed_slider", "double_click_slider"};
    for (const char* name : names)
        EXPECT_NE(page->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(Find<QWidget>(QStringLiteral("polling_rate_option_%1").arg(i)), nullptr) << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(Find<QWidget>(QStringLiteral("mouse_device_seting_option_%1").arg(i)), nullptr) << i;
    // The drawing takes about 60 % of the width, the function panel the rest.
    const QWidget* picture = Find<QWidget>(QStringLiteral("device_picture"));
    const QWidget* functions = Find<QWidget>(QStringLiteral("function_area"));
    const double share = double(picture->width()) / (picture->width() + functions->width());
    EXPECT_GT(share, 0.55);
    EXPECT_LT(share, 0.65);
}

}  // namespace
}  // namespace q31::test
