#include "keys/function_naming.h"

#include <gtest/gtest.h>

using namespace q31::keys;

namespace {

CodeName Keys(std::vector<std::string> nameKeys)
{
    return {CodeName::Kind::NameKeys, std::move(nameKeys), -1};
}

const CodeName kUnchanged{};
const CodeName kClosed{CodeName::Kind::Closed, {}, -1};

CodeName OnKeyboard(FunctionCode code, int macros = 0)
{
    return NameOfCode(code, {Page::Keyboard, macros, 4});
}

CodeName OnMouse(FunctionCode code, int recoilNames = 4)
{
    return NameOfCode(code, {Page::Mouse, 0, recoilNames});
}

TEST(Naming, KeyboardCodes)
{
    EXPECT_EQ(OnKeyboard({0x20, 0x02, 0x00}), Keys({"keyboard_key_LShift"}));
    EXPECT_EQ(OnKeyboard({0x20, 0x00, 0x00}), Keys({"close_text"}));
    EXPECT_EQ(OnKeyboard({0x00, 0x00, 0x00}), Keys({"close_text"}));
    EXPECT_EQ(OnKeyboard({0x20, 0x00, 0x04}), Keys({"keyboard_key_A"}));
    // The first row with both data bytes, whatever its type.
    EXPECT_EQ(OnKeyboard({0x20, 0xCD, 0x00}), Keys({"keyboard_key_Media Play Pause"}));
    EXPECT_EQ(OnKeyboard({0x20, 0x01, 0x04}), Keys({"keyboard_key_LCtrl", "keyboard_key_A"}));
}

TEST(Naming, CompositesNameEveryModifierBit)
{
    EXPECT_EQ(OnKeyboard({0x20, 0x03, 0x04}), Keys({"keyboard_key_LCtrl", "keyboard_key_LShift", "keyboard_key_A"}));
    EXPECT_EQ(OnKeyboard({0x20, 0x05, 0x00}), Keys({"keyboard_key_LCtrl", "keyboard_key_LAlt"}));
    EXPECT_EQ(OnKeyboard({0x20, 0x90, 0x3A}), Keys({"keyboard_key_RCtrl", "keyboard_key_RWin", "keyboard_key_F1"}));
    EXPECT_EQ(OnKeyboard({0x20, 0x00, 0xF0}), kUnchanged);  // no key has usage 0xF0
    EXPECT_EQ(OnKeyboard({0x00, 0x03, 0x04}), kUnchanged);  // no row of type 0
}

TEST(Naming, MouseAndMediaCodes)
{
    EXPECT_EQ(OnMouse({0x10, 0x02, 0x00}), Keys({"mouse_key_right"}));
    EXPECT_EQ(OnMouse({0x10, 0x04, 0x33}), Keys({"mouse_key_middle"}));
    EXPECT_EQ(OnMouse({0x12, 0x85, 0xFD}), Keys({"mouse_key_down_Swing"}));
    EXPECT_EQ(OnMouse({0x12, 0x85, 0x03}), Keys({"mouse_key_up_Swing"}));
    EXPECT_EQ(OnMouse({0x11, 0x00, 0x83}), Keys({"mouse_key_right_Swing"}));
    EXPECT_EQ(OnMouse({0x13, 0x03, 0x00}), Keys({"mouse_key_DPI_loop"}));
    EXPECT_EQ(OnMouse({0x14, 0x50, 0x02}), Keys({"mouse_key_fire_key"}));
    EXPECT_EQ(OnMouse({0x16, 0x12, 0x34}), Keys({"mouse_key_DPI_shift"}));
    EXPECT_EQ(OnMouse({0x22, 0x00, 0x04}), Keys({"custem_select_all"}));
    EXPECT_EQ(OnMouse({0x23, 0x00, 0x00}), Keys({"show_window"}));
    EXPECT_EQ(OnMouse({0x30, 0x23, 0x02}), Keys({"web_text"}));
    EXPECT_EQ(OnMouse({0x40, 0x04, 0x00}), Keys({"system_wake_up"}));
    EXPECT_EQ(OnMouse({0xA0, 0x02, 0x00}), Keys({"mouse_key_smart_key"}));
    EXPECT_EQ(OnMouse({0xA0, 0x00, 0x00}), Keys({"close_text"}));
    EXPECT_EQ(OnKeyboard({0xA0, 0x1B, 0x00}), Keys({"keyboard_key_GM"}));
    EXPECT_EQ(OnKeyboard({0xD0, 0xA2, 0x05}), Keys({"keyboard_key_M5"}));
    EXPECT_EQ(OnKeyboard({0xD0, 0xA2, 0x06}), kUnchanged);
}

TEST(Naming, MacroCodesNameListEntries)
{
    EXPECT_EQ(OnKeyboard({0x70, 1, 0}, 2), (CodeName{CodeName::Kind::Macro, {}, 1}));
    EXPECT_EQ(OnKeyboard({0x71, 0, 5}, 2), (CodeName{CodeName::Kind::Macro, {}, 0}));
    EXPECT_EQ(OnKeyboard({0x70, 2, 0}, 2), kUnchanged);
    EXPECT_EQ(OnKeyboard({0x70, 0, 0}, 0), kUnchanged);
}

TEST(Naming, RecoilCodesStayWithinTheNames)
{
    EXPECT_EQ(OnMouse({0x72, 3, 0}), Keys({"gun_4_txt"}));
    EXPECT_EQ(OnMouse({0x72, 4, 0}), kUnchanged);
    EXPECT_EQ(OnMouse({0x72, 200, 0}), kUnchanged);
    EXPECT_EQ(OnMouse({0x72, 2, 0}, 2), kUnchanged);
    EXPECT_EQ(OnKeyboard({0x72, 0, 0}), kClosed);
}

TEST(Naming, OtherTypes)
{
    for (const std::uint8_t type : {0x15, 0x21, 0x50, 0x60, 0xB0, 0xC0})
        EXPECT_EQ(OnKeyboard({type, 1, 1}), kUnchanged) << int(type);
    EXPECT_EQ(OnKeyboard({0x99, 0, 0}), kClosed);
    EXPECT_EQ(OnMouse({0xFF, 1, 2}), kClosed);
}

}  // namespace
