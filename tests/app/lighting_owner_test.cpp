// The lighting editor on the keyboard, mouse and mouse pad pages the program ships, over
// the simulated devices: what each change leaves in the settings record the
// device holds, in the profile and on the editor.
#include "app/lighting_owner.h"

#include "controls/device_key_button_ui.h"
#include "controls/light_control_ui.h"
#include "controls/select_panel_ui.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/halvorin_mouse_device.h"
#include "platform/folders.h"
#include "protocol/command_codes.h"
#include "tests/devices/device_test_support.h"
#include "ui/button_ui.h"
#include "ui/color_palette_ui.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::test {
namespace {

// Where the settings record carries the lighting, on all three devices.
enum RecordByte { kMode = 1, kBrightness = 2, kTurnedSpeed = 3, kDirection = 4, kMultiColour = 5, kRed = 6 };

class LightingOwnerTest : public ::testing::Test {
protected:
    void Open(const char* skin, const char* device, std::uint16_t type, int lightCount)
    {
        // The device's folder: the simulator's name but for the pad's.
        const QString kind = device == std::string("mousepad") ? QStringLiteral("MousePad") : QString::fromLatin1(device);
        QDir(UserDataFolder(kind)).removeRecursively();
        page = builder.BuildShipped(skin);
        ASSERT_NE(page, nullptr);
        page->SetKindName(kind);
        page->SetLightCount(lightCount);
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), device, type));
        m_device = device;
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
        editor = page->LightEditor();
        ASSERT_NE(editor, nullptr);
        bus.TakeCommands();
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    template <class Control>
    Control* Find(const char* name) const
    {
        return page->findChild<Control*>(QString::fromLatin1(name));
    }

    // The control's notification as the main window hands it to the lighting.
    bool Send(const char* type, QWidget* sender, WPARAM wParam = 0)
    {
        EXPECT_NE(sender, nullptr);
        if (!sender)
            return false;
        const TNotifyUI msg{QString::fromLatin1(type), sender, wParam, 0};
        const bool handled = app::HandleLightingNotify(msg);
        EXPECT_TRUE(WaitForResults());
        return handled;
    }

    bool SelectEffect(int index)
    {
        auto* combo = Find<QComboBox>("light_combo_modeSelect");
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
        return Send("itemselect", combo, WPARAM(index));
    }

    bool MoveSlider(const char* name, int value)
    {
        auto* slider = Find<QSlider>(name);
        const QSignalBlocker quiet(slider);
        slider->setValue(value);
        return Send("valuechanged", slider, WPARAM(value));
    }

    bool TypeInto(const char* edit, const char* text)
    {
        Find<QLineEdit>(edit)->setText(QString::fromLatin1(text));
        return Send("killfocus", Find<QLineEdit>(edit));
    }

    std::vector<std::uint8_t> Record() const { return *bus.hub->Dump(m_device, sim::Region::Parameters); }

    std::array<std::uint8_t, 3> RecordColour() const
    {
        const auto record = Record();
        return {record[kRed], record[kRed + 1], record[kRed + 2]};
    }

    SimBus bus;
    PageBuilder builder;
    CHalvorinUSBDevice* page = nullptr;
    CLightControlUI* editor = nullptr;
    std::string m_device;
};

TEST_F(LightingOwnerTest, KeyboardEffectLevelsAndDirectionReachItsRecordProfileAndPreview)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard, 0);
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(page);
    page->CommandLink().SetEffectPause(true);

    ASSERT_TRUE(SelectEffect(6));
    EXPECT_FALSE(page->CommandLink().EffectPause());
    EXPECT_EQ(Record()[kMode], 6);
    EXPECT_EQ(page->GetLightSettingsBytes()[0], 6);
    EXPECT_EQ(keyboard->Profile().ReadLightInfo()[0], 6);
    // Static has no speed.
    EXPECT_FALSE(Find<QWidget>("deng_speed_layout")->isEnabled());

    ASSERT_TRUE(SelectEffect(1));
    EXPECT_TRUE(Find<QWidget>("deng_speed_layout")->isEnabled());
    ASSERT_TRUE(MoveSlider("deng_light_slider", 2));
    ASSERT_TRUE(MoveSlider("deng_speed_slider", 1));
    ASSERT_TRUE(Send("selectchanged", Find<COptionUI>("deng_FXR_check"), 1));
    const auto record = Record();
    EXPECT_EQ(record[kMode], 1);
    EXPECT_EQ(record[kBrightness], 2);
    EXPECT_EQ(record[kTurnedSpeed], 4 - 1);
    EXPECT_EQ(record[kDirection], 0);
    EXPECT_FALSE(Find<COptionUI>("deng_FXL_check")->IsSelected());
    EXPECT_TRUE(Find<COptionUI>("deng_FXR_check")->IsSelected());
    // The side left behind reports too, and changes nothing.
    EXPECT_FALSE(Send("selectchanged", Find<COptionUI>("deng_FXL_check"), 0));

    // What the keyboard is sent is the profile's, also after a reload.
    keyboard->ReloadProfile();
    EXPECT_EQ(page->GetLightSettingsBytes()[1], 2);
    EXPECT_EQ(page->GetLightSettingsBytes()[2], 1);
}

TEST_F(LightingOwnerTest, KeyboardColourFromSwatchAndEditsTurnsMultiColourOffAndLandsInRange)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard, 0);
    ASSERT_TRUE(SelectEffect(6));
    ASSERT_TRUE(Send("selectchanged", Find<COptionUI>("deng_7color_check"), 1));
    EXPECT_EQ(Record()[kMultiColour], 1);

    auto* swatch = Find<CButtonUI>("color_option_0");
    ASSERT_TRUE(Send("click", swatch));
    const DWORD swatchColour = swatch->GetBkColor();
    EXPECT_EQ(Record()[kMultiColour], 0);
    EXPECT_EQ(RecordColour(), (std::array<std::uint8_t, 3>{std::uint8_t(swatchColour >> 16),
                                                          std::uint8_t(swatchColour >> 8), std::uint8_t(swatchColour)}));
    EXPECT_FALSE(editor->GetMultiColour());
    EXPECT_EQ(editor->GetRgbText(CLightControlUI::Component::Red), QString::number((swatchColour >> 16) & 0xFF));
    EXPECT_EQ(editor->GetPaletteColour() & 0xFFFFFF, swatchColour & 0xFFFFFF);

    ASSERT_TRUE(TypeInto("deng_edit_R", "-5"));
    ASSERT_TRUE(TypeInto("deng_edit_G", "300"));
    ASSERT_TRUE(TypeInto("deng_edit_B", ""));
    EXPECT_EQ(RecordColour(), (std::array<std::uint8_t, 3>{0, 255, 0}));
    EXPECT_EQ(Find<QLineEdit>("deng_edit_R")->text(), QStringLiteral("0"));
    EXPECT_EQ(Find<QLineEdit>("deng_edit_G")->text(), QStringLiteral("255"));
    EXPECT_EQ(Find<QLineEdit>("deng_edit_B")->text(), QStringLiteral("0"));
    EXPECT_EQ(Find<CButtonUI>("deng_colordp_btn")->GetBkColor(), 0xFF00FF00u);

    ASSERT_TRUE(TypeInto("deng_edit_B", "99999999999999999999"));
    EXPECT_EQ(RecordColour()[2], 255);
}

TEST_F(LightingOwnerTest, KeyboardSecondaryEffectAndCustomGroup)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard, 0);
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(page);
    ASSERT_TRUE(SelectEffect(17));
    EXPECT_FALSE(Find<QWidget>("light_combo_ZZCCmodeSelectLayout")->isHidden());
    ASSERT_TRUE(Send("itemselect", Find<QComboBox>("light_combo_ZZCCmodeSelect"), 2));
    EXPECT_EQ(Record()[9], 2);

    ASSERT_TRUE(SelectEffect(19));
    EXPECT_FALSE(Find<QWidget>("lightcustom_layout")->isHidden());
    editor->SelectCustomGroup(2);
    EXPECT_TRUE(Send("itemselect", Find<QComboBox>("light_combo_custommodeSelect"), 2));
    EXPECT_EQ(keyboard->Profile().ReadCustomLightGroup(), 2);
    EXPECT_EQ(page->GetLightSettingsBytes()[12], 2);
    page->RefreshPage();
    EXPECT_EQ(editor->GetSelectedCustomGroup(), 2);

    // The group's keys in the colour of the settings, then dark; in this mode the keyboard gets them.
    ASSERT_TRUE(Send("click", Find<CButtonUI>("color_option_0")));
    bus.TakeCommands();
    EXPECT_TRUE(Send("click", Find<CButtonUI>("custom_bright_color_btn")));
    const auto lit = keyboard->Profile().ReadCustomLightColors(2, 126);
    EXPECT_TRUE(std::ranges::all_of(lit, [](const CustomColour& colour) {
        return colour == CustomColour{0xFF, 0, 0, 0xFF};
    }));
    const auto commands = bus.TakeCommands();
    EXPECT_NE(std::ranges::find(commands, int(kCmdWritePage)), commands.end());
    EXPECT_TRUE(Send("click", Find<CButtonUI>("custom_off_color_btn")));
    EXPECT_EQ(keyboard->Profile().ReadCustomLightColors(2, 126)[0], CustomColour{});
}

TEST_F(LightingOwnerTest, MouseEffectPaletteAndDirectionReachItsRecord)
{
    Open("mousedevice.xml", "mouse", Mouse, 15);
    ASSERT_EQ(editor->GetDeviceKind(), 2);
    ASSERT_TRUE(SelectEffect(3));
    EXPECT_EQ(Record()[kMode], 3);
    // Static on the mouse: a colour but no multi-colour and no speed.
    EXPECT_FALSE(Find<QWidget>("deng_7color_check")->isEnabled());
    EXPECT_TRUE(Find<QWidget>("colorpallet_layout")->isEnabled());

    Find<CColorPaletteUI>("deng_Color_Pallet")->SetSelectColor(0xFF0000FF);
    ASSERT_TRUE(Send("colorchanged", Find<CColorPaletteUI>("deng_Color_Pallet")));
    EXPECT_EQ(RecordColour(), (std::array<std::uint8_t, 3>{0, 0, 255}));
    EXPECT_EQ(editor->GetRgbText(CLightControlUI::Component::Blue), QStringLiteral("255"));
    EXPECT_EQ(Find<CButtonUI>("deng_colordp_btn")->GetBkColor(), 0xFF0000FFu);

    ASSERT_TRUE(SelectEffect(0));
    ASSERT_TRUE(Send("selectchanged", Find<COptionUI>("deng_FXR_check"), 1));
    EXPECT_EQ(Record()[kDirection], 0);
    ASSERT_TRUE(Send("selectchanged", Find<COptionUI>("deng_FXL_check"), 1));
    EXPECT_EQ(Record()[kDirection], 1);
    // The mouse has no secondary effect.
    EXPECT_FALSE(Send("itemselect", Find<QComboBox>("light_combo_ZZCCmodeSelect"), 1));
}

TEST_F(LightingOwnerTest, MousePadEffectSpeedAndColourReachItsRecordAndItsOwnBytesStay)
{
    Open("mousepaddevice.xml", "mousepad", MousePad, 15);
    ASSERT_EQ(editor->GetDeviceKind(), 3);
    ASSERT_TRUE(SelectEffect(7));
    EXPECT_EQ(Record()[kMode], 7);
    ASSERT_TRUE(SelectEffect(0));
    ASSERT_TRUE(MoveSlider("deng_speed_slider", 4));
    EXPECT_EQ(Record()[kTurnedSpeed], 0);
    Find<CColorPaletteUI>("deng_Color_Pallet")->SetSelectColor(0xFF102030);
    ASSERT_TRUE(Send("colorchanged", Find<CColorPaletteUI>("deng_Color_Pallet")));
    EXPECT_EQ(RecordColour(), (std::array<std::uint8_t, 3>{0x10, 0x20, 0x30}));
    EXPECT_EQ(Record()[kMultiColour], 0);
    // The direction lives in the profile; the record's byte and its tail are the pad's own.
    ASSERT_TRUE(Send("selectchanged", Find<COptionUI>("deng_FXR_check"), 1));
    const auto record = Record();
    EXPECT_EQ(record[kDirection], 1);
    EXPECT_EQ(record[9], 0x10);
    EXPECT_EQ(record[20], 0xC0);
}

TEST_F(LightingOwnerTest, AMouseDragOverEveryZoneSendsTheProfileAgainAndAPartOfThemDoesNot)
{
    Open("mousedevice.xml", "mouse", Mouse, 15);
    auto* panel = Find<CSelectPanelUI>("mouse_device_key_light");
    ASSERT_NE(panel, nullptr);
    const auto buttons = panel->findChildren<CDeviceKeyButtonUI*>();
    for (CDeviceKeyButtonUI* button : buttons)
        button->SetSelected(q31::ui::GetUserData(button) != QStringLiteral("light_3"));
    Send("click_select_end", panel);
    EXPECT_TRUE(bus.TakeCommands().empty());
    for (CDeviceKeyButtonUI* button : buttons)
        button->SetSelected(1);
    Send("click_select_end", panel);
    const auto commands = bus.TakeCommands();
    EXPECT_NE(std::ranges::find(commands, int(kCmdWriteParams)), commands.end());
}

TEST(ZoneChoiceTest, EveryLedSelectedOrHiddenWithOneSelected)
{
    using app::ZoneChoice;
    EXPECT_TRUE(app::CoversEveryLed({{0, true, false}, {1, false, true}}, 2));
    EXPECT_FALSE(app::CoversEveryLed({{0, false, true}, {1, false, true}}, 2));
    EXPECT_FALSE(app::CoversEveryLed({{0, true, false}}, 2));
    // LEDs past the count do not count, nor make up for a missing one.
    EXPECT_FALSE(app::CoversEveryLed({{0, true, false}, {2, true, false}}, 2));
    EXPECT_TRUE(app::CoversEveryLed({{0, true, false}, {1, true, false}, {7, false, false}}, 2));
    EXPECT_FALSE(app::CoversEveryLed({}, 0));
}

}  // namespace
}  // namespace q31::test
