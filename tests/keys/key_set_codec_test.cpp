#include "keys/catalogue_lists.h"
#include "keys/key_set_codec.h"
#include "keys/keyboard_keys.h"

#include <gtest/gtest.h>

using namespace q31::keys;

namespace {

constexpr FunctionCode kOtherDefault{0x99, 0, 0};

FunctionCode Encode(const KeySetFields& fields, FunctionCode current = {}, int macroCount = 0)
{
    return EncodeKeySet(fields, current, kOtherDefault, macroCount);
}

DecodedKeySet Decode(FunctionCode code, Page page = Page::Mouse, int macroCount = 0)
{
    return DecodeKeySet({}, code, code, kOtherDefault, page, macroCount);
}

KeySetFields InCategory(int category)
{
    KeySetFields fields;
    fields.category = category;
    return fields;
}

TEST(KeySetEncode, EveryCategoryBuildsItsCode)
{
    KeySetFields fields = InCategory(kCategoryMouseButton);
    fields.mouseButton = 2;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x10, 0x02, 0}));
    fields = InCategory(kCategoryDpi);
    fields.dpiAction = 2;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x13, 0x03, 0}));
    fields = InCategory(kCategoryRapidFire);
    fields.fireInterval = 0x150;  // only the low byte is kept
    fields.fireShots = 2;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x14, 0x50, 2}));
    fields = InCategory(kCategoryMedia);
    fields.media = 1;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x30, 0xCD, 0x00}));
    fields.media = 8;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x30, 0x23, 0x02}));
    fields = InCategory(kCategorySystem);
    fields.system = 1;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x40, 0x02, 0}));
    fields = InCategory(kCategoryRecoil);
    fields.recoil = 3;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x72, 3, 0}));
    fields = InCategory(kCategoryShortcut);
    fields.shortcut = 9;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x20, 0x01, 0x2D}));
    EXPECT_EQ(Encode(InCategory(kCategoryDefault)), kOtherDefault);
    EXPECT_EQ(Encode(InCategory(42)), kOtherDefault);
}

TEST(KeySetEncode, ScrollAndWheelPackDelaySpeedAndCount)
{
    KeySetFields fields = InCategory(kCategoryScroll);
    fields.scrollDelay = 3;
    fields.scrollSpeed = 9;
    fields.scrollCount = 5;
    fields.scrollDirection = 1;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x11, 0x39, 0x85}));
    fields.scrollDelay = 17;
    fields.scrollSpeed = 17;
    fields.scrollDirection = 0;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x11, 0x11, 0x05}));

    fields = InCategory(kCategoryWheel);
    fields.wheelDelay = 8;
    fields.wheelSpeed = 5;
    fields.wheelCount = 3;
    fields.wheelDirection = 1;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x12, 0x85, 0xFD}));
    fields.wheelDirection = 0;
    EXPECT_EQ(Encode(fields), (FunctionCode{0x12, 0x85, 0x03}));
}

TEST(KeySetEncode, CountsAreHeldWithin0To127AndDownwardZeroIsZero)
{
    KeySetFields wheel = InCategory(kCategoryWheel);
    wheel.wheelDirection = 1;
    wheel.wheelCount = 0;
    EXPECT_EQ(Encode(wheel).data2, 0x00);  // not 0x80, which the device reads as -128
    wheel.wheelCount = 300;
    EXPECT_EQ(Encode(wheel).data2, 0x81);  // -127
    wheel.wheelDirection = 0;
    EXPECT_EQ(Encode(wheel).data2, 0x7F);
    wheel.wheelCount = -4;
    EXPECT_EQ(Encode(wheel).data2, 0x00);

    KeySetFields scroll = InCategory(kCategoryScroll);
    scroll.scrollCount = 200;
    EXPECT_EQ(Encode(scroll).data2, 0x7F);
    scroll.scrollDirection = 1;
    EXPECT_EQ(Encode(scroll).data2, 0xFF);
}

TEST(KeySetEncode, KeyCategoryTakesTheModifierOptionAndTheCapturedUsage)
{
    KeySetFields fields = InCategory(kCategoryKey);
    fields.modifier = 3;
    fields.keyNameKey = "keyboard_key_A";
    EXPECT_EQ(Encode(fields, {0x20, 0, 0x04}), (FunctionCode{0x20, 0x04, 0x04}));
    fields.keyNameKey.clear();  // an empty key field gives no key
    EXPECT_EQ(Encode(fields, {0x20, 0, 0x04}), (FunctionCode{0x20, 0x04, 0}));
    fields.modifier = kNone;
    EXPECT_EQ(Encode(fields, {0x20, 0, 0x04}), (FunctionCode{0x20, 0, 0}));
}

TEST(KeySetEncode, MacroNeedsAMacroThatExists)
{
    const FunctionCode current{0x10, 0x01, 0};
    KeySetFields fields = InCategory(kCategoryMacro);
    fields.macro = 1;
    fields.macroMode = 2;
    EXPECT_EQ(Encode(fields, current, 2), (FunctionCode{0x70, 1, 2}));
    fields.macroMode = kMacroRepeatCountMode;
    fields.macroRepeat = 7;
    EXPECT_EQ(Encode(fields, current, 2), (FunctionCode{0x71, 1, 7}));
    EXPECT_EQ(Encode(fields, current, 0), current);  // no macros
    fields.macro = 2;
    EXPECT_EQ(Encode(fields, current, 2), current);  // one past the last macro
    fields.macro = kNone;
    EXPECT_EQ(Encode(fields, current, 2), current);
}

TEST(KeySetDecode, FillsThePageOfEachType)
{
    DecodedKeySet decoded = Decode({0x11, 0x39, 0x85});
    EXPECT_EQ(decoded.shownCategory, kCategoryScroll);
    EXPECT_EQ(decoded.fields.scrollDelay, 3);
    EXPECT_EQ(decoded.fields.scrollSpeed, 9);
    EXPECT_EQ(decoded.fields.scrollCount, 5);
    EXPECT_EQ(decoded.fields.scrollDirection, 1);

    decoded = Decode({0x12, 0x85, 0xFD});
    EXPECT_EQ(decoded.shownCategory, kCategoryWheel);
    EXPECT_EQ(decoded.fields.wheelCount, 3);
    EXPECT_EQ(decoded.fields.wheelDirection, 1);
    EXPECT_EQ(decoded.fields.wheelDelay, 8);
    EXPECT_EQ(decoded.fields.wheelSpeed, 5);

    decoded = Decode({0x14, 0x50, 2});
    EXPECT_EQ(decoded.shownCategory, kCategoryRapidFire);
    EXPECT_EQ(decoded.fields.fireInterval, 0x50);
    EXPECT_EQ(decoded.fields.fireShots, 2);

    EXPECT_EQ(Decode({0x72, 2, 0}).fields.recoil, 2);
    EXPECT_EQ(Decode({0x72, 9, 0}).fields.recoil, kNone);
    EXPECT_EQ(Decode({0xB0, 0, 0}).shownCategory, kCategoryShortcut);
}

TEST(KeySetDecode, TheDefaultCodeShowsTheDefaultPage)
{
    const FunctionCode code{0x20, 0, 0x04};
    const DecodedKeySet decoded = DecodeKeySet({}, code, code, code, Page::Keyboard, 0);
    EXPECT_EQ(decoded.shownCategory, kCategoryDefault);
    EXPECT_EQ(decoded.fields.category, kCategoryDefault);
}

TEST(KeySetDecode, KeyboardCodes)
{
    DecodedKeySet decoded = Decode({0x20, 0x03, 0x04}, Page::Keyboard);
    EXPECT_EQ(decoded.shownCategory, kCategoryKey);
    EXPECT_EQ(decoded.fields.modifier, 0);  // two modifiers are no single option
    EXPECT_EQ(decoded.fields.keyNameKey, "keyboard_key_A");
    EXPECT_EQ(Encode(decoded.fields, decoded.current), (FunctionCode{0x20, 0, 0x04}));

    decoded = Decode({0x20, 0x40, 0x05}, Page::Keyboard);
    EXPECT_EQ(decoded.fields.modifier, 3);
    EXPECT_EQ(decoded.fields.keyNameKey, "keyboard_key_B");

    // A usage no key has: no option, an empty field and a cleared record.
    decoded = Decode({0x20, 0, 0xF0}, Page::Keyboard);
    EXPECT_EQ(decoded.fields.modifier, kNone);
    EXPECT_TRUE(decoded.fields.keyNameKey.empty());
    EXPECT_EQ(decoded.current, (FunctionCode{0x20, 0, 0}));

    // A modifier with no key keeps what the field showed.
    KeySetFields shown;
    shown.keyNameKey = "keyboard_key_Q";
    decoded = DecodeKeySet(shown, {0x20, 0x02, 0}, {0x20, 0x02, 0}, kOtherDefault, Page::Keyboard, 0);
    EXPECT_EQ(decoded.fields.modifier, 2);
    EXPECT_EQ(decoded.fields.keyNameKey, "keyboard_key_Q");

    EXPECT_EQ(Decode({0x20, 0x81, 0x04}).shownCategory, kCategoryShortcut);
}

TEST(KeySetDecode, MacroCodes)
{
    DecodedKeySet decoded = Decode({0x70, 1, 3}, Page::Mouse, 2);
    EXPECT_EQ(decoded.shownCategory, kCategoryMacro);
    EXPECT_EQ(decoded.fields.macro, 1);
    EXPECT_EQ(decoded.fields.macroMode, 3);
    EXPECT_FALSE(decoded.fields.macroRepeatShown);

    decoded = Decode({0x71, 0, 9}, Page::Mouse, 2);
    EXPECT_EQ(decoded.fields.macro, 0);
    EXPECT_EQ(decoded.fields.macroMode, kMacroRepeatCountMode);
    EXPECT_EQ(decoded.fields.macroRepeat, 9);
    EXPECT_TRUE(decoded.fields.macroRepeatShown);
}

TEST(KeySetDecode, AMacroPastTheListSelectsNothing)
{
    for (const std::uint8_t number : {2, 3, 200}) {
        const DecodedKeySet decoded = Decode({0x70, number, 1}, Page::Mouse, 2);
        EXPECT_EQ(decoded.shownCategory, kCategoryMacro);
        EXPECT_EQ(decoded.fields.macro, kNone) << int(number);
        EXPECT_EQ(decoded.fields.macroMode, kNone) << int(number);
    }
    EXPECT_EQ(Decode({0x71, 2, 5}, Page::Mouse, 2).fields.macro, kNone);
}

TEST(KeySetDecode, CategoriesTheDeviceLacksHideThePanel)
{
    for (const std::uint8_t type : {0x16, 0x22, 0x23, 0xA0, 0xD0})
        EXPECT_FALSE(Decode({type, 0x01, 0x01}).shownCategory) << int(type);
    EXPECT_FALSE(Decode({0x13, 1, 0}, Page::Keyboard).shownCategory);
    EXPECT_FALSE(Decode({0x72, 1, 0}, Page::Keyboard).shownCategory);
    EXPECT_EQ(Decode({0x13, 1, 0}, Page::Mouse).shownCategory, kCategoryDpi);
}

// code -> editor -> code for every row the editor can show.
void ExpectRoundTrip(FunctionCode code, FunctionCode expected, Page page, int macroCount = 0)
{
    const DecodedKeySet decoded = DecodeKeySet({}, code, code, kOtherDefault, page, macroCount);
    ASSERT_TRUE(decoded.shownCategory);
    EXPECT_EQ(EncodeKeySet(decoded.fields, decoded.current, kOtherDefault, macroCount), expected)
        << int(code.type) << ' ' << int(code.data1) << ' ' << int(code.data2);
}

TEST(KeySetRoundTrip, EveryListRowComesBack)
{
    for (const CatalogueList list : {CatalogueList::MouseButtons, CatalogueList::DpiActions,
                                     CatalogueList::MediaAndBrowser, CatalogueList::System,
                                     CatalogueList::EditorShortcuts, CatalogueList::RecoilProfiles}) {
        for (const CatalogueRow& row : Rows(list))
            ExpectRoundTrip(row.code, row.code, Page::Mouse);
    }
}

TEST(KeySetRoundTrip, KeyboardRowsComeBackWithLeftHandModifiers)
{
    const auto& rows = KeyboardKeyRows();
    for (int row = 0; row < 4; ++row)
        ExpectRoundTrip(rows[static_cast<std::size_t>(row)].code, rows[static_cast<std::size_t>(row)].code,
                        Page::Keyboard);
    for (int row = 4; row < kModifierRows; ++row)
        ExpectRoundTrip(rows[static_cast<std::size_t>(row)].code, rows[static_cast<std::size_t>(row - 4)].code,
                        Page::Keyboard);
    for (int row = kModifierRows; row <= 134; ++row)
        ExpectRoundTrip(rows[static_cast<std::size_t>(row)].code, rows[static_cast<std::size_t>(row)].code,
                        Page::Keyboard);
}

TEST(KeySetRoundTrip, MacroCodesComeBack)
{
    for (const FunctionCode code : {FunctionCode{0x70, 0, 0}, FunctionCode{0x70, 2, 3}, FunctionCode{0x71, 1, 40}})
        ExpectRoundTrip(code, code, Page::Keyboard, 3);
}

TEST(KeySetCapture, ModifiersSelectTheirOptionAndKeysTheirUsage)
{
    KeySetFields fields = InCategory(kCategoryKey);
    // Right Shift: scan 0x36 with the extended flag
    auto captured = CaptureKey(fields, {0x20, 0, 0x04}, 0x36, true);
    ASSERT_TRUE(captured);
    EXPECT_EQ(captured->fields.modifier, 2);
    EXPECT_TRUE(captured->fields.keyNameKey.empty());
    EXPECT_EQ(Encode(captured->fields, captured->current), (FunctionCode{0x20, 0x02, 0}));

    fields.modifier = 3;  // Alt
    captured = CaptureKey(fields, {}, 0x1E, false);  // A
    ASSERT_TRUE(captured);
    EXPECT_EQ(captured->fields.keyNameKey, "keyboard_key_A");
    EXPECT_EQ(Encode(captured->fields, captured->current), (FunctionCode{0x20, 0x04, 0x04}));

    fields.modifier = kNone;
    captured = CaptureKey(fields, {}, 0x48, true);  // Up
    ASSERT_TRUE(captured);
    EXPECT_EQ(captured->fields.modifier, 0);
    EXPECT_EQ(Encode(captured->fields, captured->current), (FunctionCode{0x20, 0, 0x52}));

    captured = CaptureKey(fields, {}, 0x5C, true);  // right Win
    ASSERT_TRUE(captured);
    EXPECT_EQ(Encode(captured->fields, captured->current), (FunctionCode{0x20, 0x08, 0}));

    EXPECT_FALSE(CaptureKey(fields, {}, 0x6F, false));  // no key of the table
}

}  // namespace
