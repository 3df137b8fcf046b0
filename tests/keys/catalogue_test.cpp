#include "keys/catalogue_lists.h"
#include "keys/function_types.h"
#include "keys/keyboard_keys.h"

#include <gtest/gtest.h>

#include <set>

using namespace q31::keys;

namespace {

const CatalogueRow& KeyRow(int row)
{
    return KeyboardKeyRows().at(static_cast<std::size_t>(row));
}

TEST(Catalogue, ListsHaveTheirSizes)
{
    const std::pair<CatalogueList, std::size_t> sizes[] = {
        {CatalogueList::MouseButtons, 5},    {CatalogueList::ScrollDirections, 4}, {CatalogueList::DpiActions, 3},
        {CatalogueList::RapidFire, 1},       {CatalogueList::MediaAndBrowser, 18}, {CatalogueList::System, 3},
        {CatalogueList::EditorShortcuts, 11}, {CatalogueList::EditShortcuts, 9},  {CatalogueList::RecoilProfiles, 4},
        {CatalogueList::MouseSpecial, 6},    {CatalogueList::KeyboardKeys, 142},
    };
    for (const auto& [list, size] : sizes)
        EXPECT_EQ(Rows(list).size(), size) << static_cast<int>(list);
}

TEST(Catalogue, KeyboardRowsFollowTheirRules)
{
    EXPECT_EQ(KeyRow(0).nameKey, "keyboard_key_LCtrl");
    EXPECT_EQ(KeyRow(7).code, (FunctionCode{0x20, 0x80, 0}));
    EXPECT_EQ(KeyRow(8).nameKey, "keyboard_key_A");
    EXPECT_EQ(KeyRow(8).code, (FunctionCode{0x20, 0, 0x04}));
    EXPECT_EQ(KeyRow(33).code.data2, 0x1D);  // Z
    EXPECT_EQ(KeyRow(34).nameKey, "keyboard_key_1");
    EXPECT_EQ(KeyRow(43).nameKey, "keyboard_key_0");
    EXPECT_EQ(KeyRow(43).code.data2, 0x27);
    EXPECT_EQ(KeyRow(56).nameKey, "keyboard_key_`");
    EXPECT_EQ(KeyRow(56).code.data2, 0x35);
    EXPECT_EQ(KeyRow(61).nameKey, "keyboard_key_F1");
    EXPECT_EQ(KeyRow(72).nameKey, "keyboard_key_F12");
    EXPECT_EQ(KeyRow(72).code.data2, 0x45);
    EXPECT_EQ(KeyRow(92).nameKey, "keyboard_key_Num 1");
    EXPECT_EQ(KeyRow(92).code.data2, 0x59);
    EXPECT_EQ(KeyRow(101).nameKey, "keyboard_key_Num 0");
    EXPECT_EQ(KeyRow(101).code.data2, 0x62);
    EXPECT_EQ(KeyRow(113).nameKey, "keyboard_key_K42");
    EXPECT_EQ(KeyRow(114).code, (FunctionCode{0x30, 0x92, 0x01}));
    EXPECT_EQ(KeyRow(130).nameKey, "wed_stop");
    EXPECT_EQ(KeyRow(132).code, (FunctionCode{0x40, 0x01, 0}));
    EXPECT_EQ(KeyRow(135).code, (FunctionCode{0xD0, 0xA2, 0x01}));
    EXPECT_EQ(KeyRow(139).code, (FunctionCode{0xD0, 0xA2, 0x05}));
    EXPECT_EQ(KeyRow(141).nameKey, "keyboard_key_GM");

    std::set<std::string> names;
    for (int row = 0; row < kKeyboardCodeRows; ++row) {
        EXPECT_EQ(KeyRow(row).code.type, kKeyboardKey) << row;
        names.insert(KeyRow(row).nameKey);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kKeyboardCodeRows));
}

TEST(Catalogue, ConsumerCodesKeepTheLowByteFirst)
{
    EXPECT_EQ(CodeAt(CatalogueList::MediaAndBrowser, 1), (FunctionCode{0x30, 0xCD, 0x00}));  // media_play
    EXPECT_EQ(CodeAt(CatalogueList::MediaAndBrowser, 8), (FunctionCode{0x30, 0x23, 0x02}));  // web_text
}

TEST(Catalogue, LooksUpByPositionAndByCode)
{
    EXPECT_EQ(CodeAt(CatalogueList::EditorShortcuts, 0), (FunctionCode{0x20, 0x01, 0x12}));
    EXPECT_EQ(CodeAt(CatalogueList::EditShortcuts, 8), (FunctionCode{0x22, 0, 8}));
    EXPECT_EQ(CodeAt(CatalogueList::RecoilProfiles, 3), (FunctionCode{0x72, 3, 0}));
    EXPECT_FALSE(CodeAt(CatalogueList::RecoilProfiles, 4));
    EXPECT_FALSE(CodeAt(CatalogueList::MouseButtons, -1));

    EXPECT_EQ(PositionOf(CatalogueList::MouseButtons, {0x10, 0x02, 0}), 2);
    EXPECT_EQ(PositionOf(CatalogueList::EditorShortcuts, {0x20, 0x01, 0x04}), 8);
    // The type is not compared: the first row with both data bytes.
    EXPECT_EQ(PositionOf(CatalogueList::KeyboardKeys, {0x00, 0x02, 0}), 1);
    EXPECT_FALSE(PositionOf(CatalogueList::System, {0x40, 0x08, 0}));
}

TEST(Catalogue, PacksAndMasksStoredIntegers)
{
    EXPECT_EQ(PackFunctionCode({0x30, 0xCD, 0x00}), 3198208);
    EXPECT_EQ(PackFunctionCode({0xD0, 0xA2, 0x05}), 13672965);
    EXPECT_EQ(UnpackStoredCode(13672965), (FunctionCode{0xD0, 0xA2, 0x05}));
    EXPECT_EQ(UnpackStoredCode(0x7F30CD00LL), (FunctionCode{0x30, 0xCD, 0x00}));
    EXPECT_EQ(UnpackStoredCode(-1), (FunctionCode{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(UnpackStoredCode(0x1000000), (FunctionCode{0, 0, 0}));
}

}  // namespace
