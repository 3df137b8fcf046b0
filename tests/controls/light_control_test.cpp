// The lighting editor: the groups each effect uses on each kind of device, the
// R/G/B edit rule, and the editor built from its shipped skin.
#include "controls/colour_component_text.h"
#include "controls/control_registration.h"
#include "controls/light_control_ui.h"
#include "controls/light_layout_table.h"
#include "tests/controls/controls_test_support.h"
#include "ui/button_ui.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/dialog_builder.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSlider>
#include <QStackedWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace q31::test {
namespace {

using controls::GroupState;
using controls::LayoutOfEffect;
using controls::LightLayout;

// Groups as multi-colour, colour, palette, brightness, speed, direction:
// '1' enabled, '0' disabled, 'h' hidden.
std::string GroupsOf(const LightLayout& layout)
{
    const auto flag = [](bool on) { return on ? '1' : '0'; };
    const char speed = layout.speed == GroupState::Hidden ? 'h' : flag(layout.speed == GroupState::On);
    return {flag(layout.multiColour), flag(layout.colour), flag(layout.palette), flag(layout.brightness), speed,
            flag(layout.direction)};
}

std::string GroupsOf(int kind, int effect)
{
    const auto layout = LayoutOfEffect(kind, effect);
    return layout ? GroupsOf(*layout) : std::string("none");
}

TEST(LightLayoutTable, KeyboardGroupsByEffect)
{
    // Index = effect; 0, 20 and 31 are "any other".
    const char* expected[] = {"000000", "111111", "111111", "111111", "000110", "111110", "111100", "111100",
                              "111100", "111100", "111100", "000110", "000111", "111100", "111100", "111100",
                              "111100", "0001h0", "000101", "0111h0", "000000", "111111", "111100", "111110",
                              "111111", "111100", "000110", "000110", "000000", "1111h1", "000100", "000000"};
    for (int effect = 0; effect < int(std::size(expected)); ++effect)
        EXPECT_EQ(GroupsOf(1, effect), expected[effect]) << effect;
    EXPECT_EQ(GroupsOf(1, 255), "000000");
}

TEST(LightLayoutTable, KeyboardExtrasOfTheirEffects)
{
    for (int effect : {4, 5, 6, 23, 28})
        EXPECT_TRUE(LayoutOfEffect(1, effect)->sameMode) << effect;
    for (int effect : {1, 3, 7, 17, 19, 29, 31})
        EXPECT_FALSE(LayoutOfEffect(1, effect)->sameMode) << effect;
    for (int effect : {4, 11, 17, 18, 26, 30})
        EXPECT_FALSE(LayoutOfEffect(1, effect)->colourLayout) << effect;
    EXPECT_TRUE(LayoutOfEffect(1, 27)->colourLayout);
    EXPECT_TRUE(LayoutOfEffect(1, 17)->secondaryEffect);
    EXPECT_TRUE(LayoutOfEffect(1, 19)->customGroups);
    EXPECT_TRUE(LayoutOfEffect(1, 29)->audioColours);
    EXPECT_FALSE(LayoutOfEffect(1, 1)->secondaryEffect || LayoutOfEffect(1, 1)->customGroups ||
                 LayoutOfEffect(1, 1)->audioColours);

    const auto texts = [](int effect) {
        const LightLayout layout = *LayoutOfEffect(1, effect);
        return std::string(layout.firstDirection) + "/" + layout.secondDirection;
    };
    EXPECT_EQ(texts(1), "light_set_right_to_left_text/light_set_left_to_right_text");
    EXPECT_EQ(texts(24), "light_set_clockwise_text/light_set_anticlockwise_text");
    EXPECT_EQ(texts(12), "light_set_down_to_up_text/light_set_up_to_down_text");
    EXPECT_EQ(texts(21), "light_set_up_to_down_text/light_set_down_to_up_text");
    EXPECT_EQ(texts(18), "light_set_outside_to_inside_text/light_set_inside_to_outside_text");
}

TEST(LightLayoutTable, MouseGroupsByEffect)
{
    const char* expected[] = {"111111", "000110", "111110", "011100", "111110", "111111",
                              "111110", "000110", "000110", "000000", "000000"};
    for (int effect = 0; effect < int(std::size(expected)); ++effect)
        EXPECT_EQ(GroupsOf(2, effect), expected[effect]) << effect;
    for (int effect : {1, 2, 3, 4, 6, 9})
        EXPECT_TRUE(LayoutOfEffect(2, effect)->sameMode) << effect;
    for (int effect : {0, 5, 7, 8, 10})
        EXPECT_FALSE(LayoutOfEffect(2, effect)->sameMode) << effect;
}

TEST(LightLayoutTable, MousePadAndHeadsetShareTheirTable)
{
    const char* expected[] = {"111111", "000110", "111110", "011100", "111110",
                              "000000", "000000", "000000", "000000", "000000"};
    for (int kind : {3, 7}) {
        for (int effect = 0; effect < int(std::size(expected)); ++effect)
            EXPECT_EQ(GroupsOf(kind, effect), expected[effect]) << kind << " " << effect;
        for (int effect : {1, 2, 3, 4, 8})
            EXPECT_TRUE(LayoutOfEffect(kind, effect)->sameMode) << kind << " " << effect;
        EXPECT_FALSE(LayoutOfEffect(kind, 0)->sameMode);
        EXPECT_FALSE(LayoutOfEffect(kind, 5)->sameMode);
    }
}

TEST(LightLayoutTable, AKindWithoutEditorHasNoLayout)
{
    for (int kind : {0, 4, 6, 9, -1})
        EXPECT_FALSE(LayoutOfEffect(kind, 1).has_value()) << kind;
}

TEST(ColourComponentText, LandsInZeroTo255)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0},          {"128", 128},  {"255", 255}, {"256", 255}, {"300", 255},
        {"-5", 0},         {"-300", 0},   {"", 0},      {"abc", 0},   {"  42", 42},
        {"+7", 7},         {"12abc", 12}, {"1 2", 1},   {"-", 0},     {"99999999999999999999999", 255},
        {"000000000017", 17},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(controls::ColourComponentOfText(QString::fromLatin1(text)), value) << text;
}

class LightControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controls::RegisterControls(CControlFactory::GetInstance());
        editor = qobject_cast<CLightControlUI*>(CDialogBuilder::Create(
            QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/XML/CustomControlXML/LightControl.xml"), nullptr, window.root));
        ASSERT_NE(editor, nullptr);
        editor->resize(300, 400);
    }

    template <class Control>
    Control* Find(const char* name) const
    {
        return editor->findChild<Control*>(QString::fromLatin1(name));
    }

    ManagedWindow window;
    CLightControlUI* editor = nullptr;
};

TEST_F(LightControlTest, EffectListKeepsTheIndexOfAHiddenEffectAndSetsTheLevels)
{
    editor->SetDeviceKind(2);
    editor->SetEffectList({QStringLiteral("light_effect_flow"), QStringLiteral("light_effect_custom"),
                           QStringLiteral("light_effect_static")},
                          {true, false, true}, 4, 4);
    auto* combo = Find<QComboBox>("light_combo_modeSelect");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemData(2).toString(), QStringLiteral("light_effect_static"));
    auto* view = qobject_cast<QListView*>(combo->view());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isRowHidden(1));
    EXPECT_FALSE(view->isRowHidden(2));
    EXPECT_EQ(Find<QSlider>("deng_light_slider")->maximum(), 4);
    EXPECT_EQ(Find<QSlider>("deng_speed_slider")->maximum(), 4);
    editor->SelectEffect(2);
    EXPECT_EQ(editor->GetSelectedEffect(), 2);
    // Filling and selecting report nothing.
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(LightControlTest, ShowsTheSettingsWithoutReportingThem)
{
    editor->SetDeviceKind(1);
    QStringList names;
    for (int i = 0; i < 31; ++i)
        names << QStringLiteral("light_effect_%1").arg(i);
    editor->SetEffectList(names, std::vector<bool>(31, true), 4, 4);
    // Effect 6, brightness 3, speed 2, direction 0, multi-colour, colour 10/20/30, secondary 2.
    editor->ShowLightSettings(6 | 3 << 8 | 2 << 16, 1 | 10 << 8 | 20 << 16 | 30u << 24, 2 << 24, 0);
    EXPECT_EQ(editor->GetSelectedEffect(), 6);
    EXPECT_EQ(editor->GetBrightness(), 3);
    EXPECT_EQ(editor->GetSpeed(), 2);
    EXPECT_EQ(editor->GetRgbText(CLightControlUI::Component::Red), QStringLiteral("10"));
    EXPECT_EQ(editor->GetRgbText(CLightControlUI::Component::Blue), QStringLiteral("30"));
    EXPECT_EQ(Find<CButtonUI>("deng_colordp_btn")->GetBkColor(), 0xFF0A141Eu);
    EXPECT_TRUE(editor->GetMultiColour());
    EXPECT_EQ(editor->GetSelectedSecondaryEffect(), 2);
    EXPECT_FALSE(Find<COptionUI>("deng_FXL_check")->IsSelected());
    EXPECT_TRUE(Find<COptionUI>("deng_FXR_check")->IsSelected());
    // Static: no speed, no direction.
    EXPECT_FALSE(Find<QWidget>("deng_speed_layout")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("deng_fx_layout")->isEnabled());
    EXPECT_TRUE(Find<QWidget>("deng_color_layout")->isEnabled());
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(LightControlTest, AnEffectPastTheListSelectsNothingAndTurnsEveryGroupOff)
{
    editor->SetDeviceKind(2);
    editor->SetEffectList({QStringLiteral("a"), QStringLiteral("b")}, {true, true}, 4, 4);
    editor->ShowLightSettings(0, 0, 0, 0);
    EXPECT_TRUE(Find<QWidget>("deng_color_layout")->isEnabled());
    editor->ShowLightSettings(40, 0, 0, 0);
    EXPECT_EQ(editor->GetSelectedEffect(), -1);
    for (const char* group : {"deng_7color_check", "deng_color_layout", "colorpallet_layout", "deng_light_layout",
                              "deng_speed_layout", "deng_fx_layout"})
        EXPECT_FALSE(Find<QWidget>(group)->isEnabled()) << group;
    EXPECT_TRUE(Find<QWidget>("lighteffect_layout")->isEnabled());
}

TEST_F(LightControlTest, KeyboardEffectsShowTheirOwnControls)
{
    editor->SetDeviceKind(1);
    editor->UpdateLayout(17);
    EXPECT_TRUE(Find<QWidget>("deng_speed_layout")->isHidden());
    EXPECT_FALSE(Find<QWidget>("light_combo_ZZCCmodeSelectLayout")->isHidden());
    EXPECT_FALSE(Find<QWidget>("light_color_layout")->isEnabled());
    editor->UpdateLayout(29);
    EXPECT_FALSE(Find<QWidget>("light_combo_AudiomodeSelectLayout")->isHidden());
    EXPECT_EQ(Find<QStackedWidget>("light_color_tablayout")->currentIndex(), 1);
    EXPECT_TRUE(Find<QWidget>("light_combo_ZZCCmodeSelectLayout")->isHidden());
    editor->UpdateLayout(24);
    EXPECT_EQ(ui::TextId(Find<QWidget>("deng_FXL_check")), QStringLiteral("light_set_clockwise_text"));
    EXPECT_EQ(ui::TextId(Find<QWidget>("deng_FXR_check")), QStringLiteral("light_set_anticlockwise_text"));
    EXPECT_EQ(Find<QStackedWidget>("light_color_tablayout")->currentIndex(), 0);
    EXPECT_FALSE(Find<QWidget>("deng_speed_layout")->isHidden());
}

TEST_F(LightControlTest, SameModeShowsOnlyWhereOfferedAndStaysDisabled)
{
    auto* sameMode = Find<QWidget>("deng_same_mode");
    editor->SetDeviceKind(2);
    editor->SetEffectList({QStringLiteral("a"), QStringLiteral("b")}, {true, true}, 4, 4);
    editor->SelectEffect(1);
    EXPECT_TRUE(sameMode->isHidden());
    editor->SetSameModeAvailable(true);
    EXPECT_FALSE(sameMode->isHidden());
    EXPECT_FALSE(sameMode->isEnabled());
    editor->SelectEffect(0);
    EXPECT_TRUE(sameMode->isHidden());
    editor->SelectEffect(1);
    editor->SetSameModeAvailable(false);
    EXPECT_TRUE(sameMode->isHidden());
}

TEST_F(LightControlTest, SwatchesAndThePaletteGiveTheirColour)
{
    EXPECT_EQ(editor->GetSwatchColour(0), 0xFFFF0000u);
    EXPECT_EQ(editor->GetSwatchColour(99), 0u);
    editor->SetPaletteColour(0xFF00FF00);
    EXPECT_EQ(editor->GetPaletteColour(), 0xFF00FF00u);
    EXPECT_EQ(Find<CButtonUI>("deng_colordp_btn")->GetBkColor(), 0xFF00FF00u);
}

TEST(LightControlWithoutChildren, SkipsWhatIsMissing)
{
    CLightControlUI editor;
    editor.SetDeviceKind(1);
    editor.SetEffectList({QStringLiteral("a")}, {true}, 4, 4);
    editor.ShowLightSettings(1, 2, 3, 4);
    editor.SetRgbText(CLightControlUI::Component::Green, QStringLiteral("5"));
    EXPECT_EQ(editor.GetSelectedEffect(), -1);
    EXPECT_EQ(editor.GetSelectedSecondaryEffect(), -1);
    EXPECT_EQ(editor.GetBrightness(), 0);
    EXPECT_EQ(editor.GetSpeed(), 0);
    EXPECT_EQ(editor.GetRgbText(CLightControlUI::Component::Green), QString());
    EXPECT_EQ(editor.GetPaletteColour(), 0xFF000000u);
    EXPECT_EQ(editor.GetSwatchColour(0), 0u);
    EXPECT_FALSE(editor.GetMultiColour());
    editor.SetLightInfo(7, 8, 9);
    EXPECT_EQ(editor.GetLightInfo(0), (std::array<DWORD, 3>{7, 8, 9}));
}

}  // namespace
}  // namespace q31::test
