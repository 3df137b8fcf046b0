#include "macros/macro_block.h"
#include "macros/macro_download.h"
#include "tests/common/temp_folder.h"
#include "tests/macros/macro_test_support.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace q31::macros;
using namespace q31::macros::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

Json::Value Presses(int count, const std::string& delay = "1")
{
    Json::Value events(Json::arrayValue);
    for (int i = 0; i < count; ++i)
        events.append(Event("down", 10, 4 + i, delay));
    return events;
}

TEST(MacroBlock, EncodesEvents)
{
    using Encoded = std::array<std::uint8_t, 4>;
    EXPECT_EQ(EncodeEvent(Event("down", 10, 4, "300")), (Encoded{0x2C, 0x01, 0x8A, 0x04}));
    EXPECT_EQ(EncodeEvent(Event("up", 10, 4, "0")), (Encoded{0x00, 0x00, 0x0A, 0x04}));
    EXPECT_EQ(EncodeEvent(Event("down", 4, 20, "0"))[2], 0x84);
    // Clamped, not wrapped: 70000 would wrap to 4464 (70 11).
    EXPECT_EQ(EncodeEvent(Event("up", 10, 4, "70000")), (Encoded{0xFF, 0xFF, 0x0A, 0x04}));
    // The type keeps 7 bits, so a press stays a press and a release a release.
    EXPECT_EQ(EncodeEvent(Event("up", 0x8A, 0x104, "0")), (Encoded{0, 0, 0x0A, 0x04}));
    EXPECT_EQ(EncodeEvent(Event("down", 0xFF, 1, "0"))[2], 0xFF);
    Json::Value numeric = Event("down", 1, 1, "0");
    numeric["Delay"] = 12;
    EXPECT_EQ(EncodeEvent(numeric)[0], 12);
}

TEST(MacroBlock, CollectsUsedMacrosInKeyOrder)
{
    std::vector<KeyListEntry> keys(12);
    for (std::uint16_t i = 0; i < keys.size(); ++i)
        keys[i].key = i;
    keys[3].current = {0x70, 4, 0};
    keys[5].current = {0x71, 1, 3};
    keys[9].current = {0x70, 4, 1};
    keys[10].current = {0x70, 7, 0};  // beyond the list
    keys[11].current = {0x70, 2, 0};  // absent from the device
    const auto present = [](std::uint16_t key) { return key != 11; };
    const std::vector<int> used = CollectUsedMacros(keys, present, 5);
    EXPECT_EQ(used, (std::vector<int>{4, 1}));

    const DeviceKeyCodes written = KeyCodesForDevice(keys, used, 5, true);
    EXPECT_EQ(written.codes[3], (FunctionCode{0x70, 0, 0}));
    EXPECT_EQ(written.codes[9], (FunctionCode{0x70, 0, 1}));
    EXPECT_EQ(written.codes[5], (FunctionCode{0x71, 1, 3}));
    EXPECT_EQ(written.codes[10], keys[10].factory);
    EXPECT_TRUE(written.reverted.empty());
}

TEST(MacroBlock, KeysOfAnUnwrittenBlockGetTheirDefaults)
{
    std::vector<KeyListEntry> keys(3);
    for (std::uint16_t i = 0; i < keys.size(); ++i) {
        keys[i].key = i;
        keys[i].factory = {0x20, 0, static_cast<std::uint8_t>(0x04 + i)};
    }
    keys[0].current = {0x70, 1, 0};
    keys[2].current = {0x10, 1, 0};
    const DeviceKeyCodes codes = KeyCodesForDevice(keys, {1}, 2, false);
    EXPECT_EQ(codes.codes[0], keys[0].factory);
    EXPECT_EQ(codes.codes[2], keys[2].current);
    EXPECT_EQ(codes.reverted, (std::vector<std::uint16_t>{0}));
}

class MacroBlockFolder : public ::testing::Test {
protected:
    QString Folder() const { return QString::fromStdString(temp.Path()); }
    q31::test::TempFolder temp;
};

TEST_F(MacroBlockFolder, LaysOutHeaderOffsetsAndMacros)
{
    WriteFolder(Folder(), {{"m0", Presses(1)}, {"m1", Presses(3)}, {"m2", Presses(5, "300")}});
    const MacroBlock block = BuildMacroBlock(MacroFolder(Folder()), {1, 2}, 1024);
    ASSERT_EQ(block.tooLargeBy, 0);
    ASSERT_EQ(block.bytes.size(), 60u);
    EXPECT_EQ(Bytes(block.bytes.begin(), block.bytes.begin() + 6), (Bytes{0xAA, 0x55, 0x3C, 0x00, 0x02, 0x00}));
    EXPECT_EQ(Bytes(block.bytes.begin() + 6, block.bytes.begin() + 16), Bytes(10, 0));
    EXPECT_EQ(Bytes(block.bytes.begin() + 16, block.bytes.begin() + 20), (Bytes{0x14, 0x00, 0x24, 0x00}));
    EXPECT_EQ(Bytes(block.bytes.begin() + 0x14, block.bytes.begin() + 0x18), (Bytes{3, 0, 0, 0}));
    EXPECT_EQ(Bytes(block.bytes.begin() + 0x18, block.bytes.begin() + 0x1C), (Bytes{1, 0, 0x8A, 4}));
    EXPECT_EQ(Bytes(block.bytes.begin() + 0x24, block.bytes.begin() + 0x2C), (Bytes{5, 0, 0, 0, 0x2C, 1, 0x8A, 4}));
}

TEST_F(MacroBlockFolder, MissingMacrosKeepTheirSlots)
{
    WriteFolder(Folder(), {{"m0", Presses(2)}, {"gone", Presses(0)}});
    ASSERT_TRUE(QFile::remove(*MacroFolder(Folder()).MacroPath("gone")));
    const MacroBlock block = BuildMacroBlock(MacroFolder(Folder()), {1, 0, 9}, 1024);
    ASSERT_EQ(block.bytes.size(), 16u + 18u + 8u);
    EXPECT_EQ(Bytes(block.bytes.begin() + 16, block.bytes.begin() + 22), (Bytes{0x16, 0, 0x1A, 0, 0x26, 0}));
    EXPECT_EQ(block.bytes[0x16], 0);
    EXPECT_EQ(block.bytes[0x1A], 2);
    EXPECT_EQ(block.bytes[0x26], 0);
}

TEST_F(MacroBlockFolder, TooLargeGivesTheExcessInEvents)
{
    // 16 + 6 + 4 x 252 = 1030 bytes against 1024.
    WriteFolder(Folder(), {{"big", Presses(252)}});
    const MacroBlock block = BuildMacroBlock(MacroFolder(Folder()), {0}, 1024);
    EXPECT_EQ(block.tooLargeBy, 2);
    EXPECT_TRUE(block.bytes.empty());
    EXPECT_EQ(BuildMacroBlock(MacroFolder(Folder()), {0}, 1030).bytes.size(), 1030u);
}

TEST_F(MacroBlockFolder, NothingToWriteWithoutAList)
{
    EXPECT_TRUE(BuildMacroBlock(MacroFolder(Folder()), {0}, 1024).bytes.empty());
    WriteFolder(Folder(), {{"m0", Presses(1)}});
    EXPECT_TRUE(BuildMacroBlock(MacroFolder(Folder()), {}, 1024).bytes.empty());
}

TEST(MacroWriteOutcome, FailuresAreNeverTooLarge)
{
    EXPECT_EQ(OutcomeOfMacroWrite(0), MacroWriteOutcome::Written);
    EXPECT_EQ(OutcomeOfMacroWrite(-1), MacroWriteOutcome::NoMemory);
    EXPECT_EQ(OutcomeOfMacroWrite(3), MacroWriteOutcome::TooLarge);
    EXPECT_EQ(OutcomeOfMacroWrite(kMacrosNotWritten), MacroWriteOutcome::Failed);
    EXPECT_EQ(OutcomeOfMacroWrite(-101), MacroWriteOutcome::Failed);
}

}  // namespace
