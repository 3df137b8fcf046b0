#include "app/notify_routes.h"

#include <gtest/gtest.h>

using namespace q31::app;

TEST(NotifyRoutes, NamesPrefixesAndStartsReachTheirOwners)
{
    EXPECT_EQ(RouteControl("closebtn"), NotifyOwner::MainWindow);
    EXPECT_EQ(RouteControl("quorl_DPI_slider_3"), NotifyOwner::MainWindow);
    EXPECT_EQ(RouteControl("key_12"), NotifyOwner::KeyAssignment);
    EXPECT_EQ(RouteControl("key_butt_prosave"), NotifyOwner::KeyAssignment);
    EXPECT_EQ(RouteControl("keyset_mousedpi_combo"), NotifyOwner::KeyAssignment);
    EXPECT_EQ(RouteControl("macro_btn_starredio"), NotifyOwner::MacroRecording);
    EXPECT_EQ(RouteControl("macro_btn_delete"), NotifyOwner::MacroEditor);
    EXPECT_EQ(RouteControl("color_option_4"), NotifyOwner::Lighting);
    EXPECT_EQ(RouteControl("audiocolor_option_4"), NotifyOwner::AudioLighting);
    EXPECT_EQ(RouteControl("DPI_color_option_2"), NotifyOwner::Mouse);
    EXPECT_EQ(RouteControl("6533_volume_slider"), NotifyOwner::HeadsetSound);
    EXPECT_EQ(RouteControl("bullet_count_edit"), NotifyOwner::ShootingData);
}

TEST(NotifyRoutes, PrefixNeedsItsNumber)
{
    EXPECT_EQ(RouteControl("color_option_"), NotifyOwner::None);
    EXPECT_EQ(RouteControl("color_option_x"), NotifyOwner::None);
    EXPECT_EQ(RouteControl("quorl_DPI_slider"), NotifyOwner::None);
    EXPECT_EQ(RouteControl("unknown_control"), NotifyOwner::None);
}

TEST(NotifyRoutes, FunctionTabsAndSlidersOfThisWindow)
{
    EXPECT_EQ(FunctionTabType("deng_Op_tab"), 1);
    EXPECT_EQ(FunctionTabType("Virtual7.1_Op_tab"), 8);
    EXPECT_EQ(FunctionTabType("deng_Op_tab2"), std::nullopt);
    EXPECT_EQ(ColourSliderChannel("G_light_slider"), 'G');
    EXPECT_EQ(ColourSliderChannel("g_light_slider"), std::nullopt);
    EXPECT_EQ(QuorlDpiSliderNumber("quorl_DPI_slider_5"), 5);
}

TEST(NotifyRoutes, PalettesAndLightSelectionPanelsBelongToTheLightingEditors)
{
    EXPECT_EQ(RouteControl("deng_Color_Pallet"), NotifyOwner::Lighting);
    EXPECT_EQ(RouteControl("deng_audioColor_Pallet"), NotifyOwner::AudioLighting);
    EXPECT_EQ(RouteControl("device_key_light"), NotifyOwner::Lighting);
    EXPECT_EQ(RouteControl("mouse_device_key_light"), NotifyOwner::Lighting);
}

TEST(NotifyRoutes, OnlyControlNotificationsGoToOwners)
{
    for (const char* type : {"click", "selectchanged", "valuechanged", "movevaluechanged", "itemselect", "itemclick",
                             "textchanged", "killfocus", "colorchanged", "click_select_end"})
        EXPECT_TRUE(IsRoutedNotification(QString::fromLatin1(type))) << type;
    for (const char* type : {"windowinit", "windowsize", "timer", "msenter", "msleave", "Click", ""})
        EXPECT_FALSE(IsRoutedNotification(QString::fromLatin1(type))) << type;
}
