#include "keys/key_identity.h"
#include "keys/keyboard_keys.h"

#include <gtest/gtest.h>

#include <set>

using namespace q31::keys;

namespace {

TEST(KeyIdentity, EveryRowHasItsOwnScanCode)
{
    const auto codes = ScanCodes();
    ASSERT_EQ(codes.size(), static_cast<std::size_t>(kKeyIdentityRows));
    EXPECT_EQ(std::set<std::uint16_t>(codes.begin(), codes.end()).size(), codes.size());
    for (int row = 0; row < kKeyIdentityRows; ++row) {
        const auto key = KeyFromScanCode(static_cast<std::uint8_t>(codes[row]), codes[row] & 0x100);
        ASSERT_TRUE(key) << row;
        EXPECT_EQ(key->row, row);
    }
}

TEST(KeyIdentity, ExtendedFlagSeparatesKeys)
{
    const auto rightShift = KeyFromScanCode(0x36, true);
    ASSERT_TRUE(rightShift);
    EXPECT_EQ(rightShift->nameKey, "keyboard_key_RShift");
    EXPECT_EQ(rightShift->code, (FunctionCode{0x20, 0x20, 0}));
    EXPECT_FALSE(KeyFromScanCode(0x36, false));

    EXPECT_EQ(KeyFromScanCode(0x1C, false)->nameKey, "keyboard_key_Enter");
    EXPECT_EQ(KeyFromScanCode(0x1C, true)->nameKey, "keyboard_key_Num Enter");
    EXPECT_EQ(KeyFromScanCode(0x35, true)->nameKey, "keyboard_key_Num /");
    EXPECT_EQ(KeyFromScanCode(0x35, false)->nameKey, "keyboard_key_/");
    EXPECT_EQ(KeyFromScanCode(0x4B, true)->nameKey, "keyboard_key_Left");
    EXPECT_EQ(KeyFromScanCode(0x4B, false)->nameKey, "keyboard_key_Num 4");
    EXPECT_EQ(KeyFromScanCode(0x37, true)->nameKey, "keyboard_key_Print Scr");
    EXPECT_EQ(KeyFromScanCode(0x45, false)->nameKey, "keyboard_key_Pause");
    EXPECT_EQ(KeyFromScanCode(0x45, true)->nameKey, "keyboard_key_Num Lock");
    EXPECT_EQ(KeyFromScanCode(0x5D, true)->code, (FunctionCode{0x20, 0, 0x65}));
    EXPECT_EQ(KeyFromScanCode(0x72, false)->nameKey, "keyboard_key_K151");
    EXPECT_FALSE(KeyFromScanCode(0x5B, false));
    EXPECT_FALSE(KeyFromScanCode(0xFF, true));
}

}  // namespace
