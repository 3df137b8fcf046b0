// WriteMacros against the simulated keyboard, over the real link and HID path.
#include "hid/hid_catalogue.h"
#include "hid/hid_backend.h"
#include "macros/macro_download.h"
#include "protocol/device_link.h"
#include "protocol/link_attach.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_hub.h"
#include "tests/common/temp_folder.h"
#include "tests/macros/macro_test_support.h"

#include <gtest/gtest.h>

using namespace q31::macros;
using namespace q31::macros::test;

namespace {

Json::Value Presses(int count)
{
    Json::Value events(Json::arrayValue);
    for (int i = 0; i < count; ++i)
        events.append(Event(i % 2 ? "up" : "down", 10, 4, "300"));
    return events;
}

class MacroDownload : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        hub = q31::sim::SimHub::FromDataFolder(&error, 0);
        ASSERT_TRUE(hub) << error.toStdString();
        q31::hid::SetHidBackend(std::make_shared<q31::sim::SimHidBackend>(hub));
        ASSERT_TRUE(hub->Plug("keyboard", q31::sim::Route::Cable).empty());
        for (const auto& info : hub->Enumerate()) {
            if (info.productId == 0x6B01 && info.usagePage == 0xFF1C) {
                ASSERT_TRUE(q31::AttachCommandInterface(link, info.path, Keyboard));
            }
        }
        ASSERT_TRUE(link.IsOpen());
        hub->Log().Clear();
    }
    void TearDown() override
    {
        q31::DetachCommandInterfaces(link);
        q31::hid::SetHidBackend(nullptr);
    }

    std::vector<int> Commands()
    {
        std::vector<int> commands;
        for (const auto& entry : hub->Log().Entries()) {
            if (entry.direction == q31::sim::Direction::ToDevice && entry.bytes.size() > 3)
                commands.push_back(entry.bytes[3]);
        }
        return commands;
    }

    QString Folder() const { return QString::fromStdString(temp.Path()); }

    q31::test::TempFolder temp;
    std::shared_ptr<q31::sim::SimHub> hub;
    CDeviceLink link;
};

TEST_F(MacroDownload, WritesTheBlockAtAddressZeroInsideTheBracket)
{
    WriteFolder(Folder(), {{"m0", Presses(3)}, {"m1", Presses(5)}});
    const auto before = hub->Brackets("keyboard");
    ASSERT_EQ(WriteMacros(link, MacroFolder(Folder()), {1, 0}), 0);

    const auto memory = hub->Dump("keyboard", q31::sim::Region::Macros);
    ASSERT_TRUE(memory);
    ASSERT_GE(memory->size(), 60u);
    const std::vector<std::uint8_t> header(memory->begin(), memory->begin() + 20);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0xAA, 0x55, 0x3C, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                 0x14, 0, 0x2C, 0}));
    EXPECT_EQ((*memory)[0x14], 5);
    EXPECT_EQ((*memory)[0x2C], 3);
    EXPECT_EQ((*memory)[0x1A], 0x8A);

    const auto brackets = hub->Brackets("keyboard");
    ASSERT_TRUE(brackets && before);
    EXPECT_EQ(brackets->begun, before->begun + 1);
    EXPECT_EQ(brackets->ended, before->ended + 1);
    EXPECT_EQ(brackets->writesOutside, before->writesOutside);
    const std::vector<int> commands = Commands();
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands.front(), 0x03);
    EXPECT_EQ(commands[1], 0x01);
    EXPECT_EQ(commands.back(), 0x02);
}

TEST_F(MacroDownload, TooLargeSendsNothingButTheInformationRead)
{
    // The keyboard holds 64 x 128 = 8192 bytes; 16 + 6 + 4 x 2100 = 8422.
    WriteFolder(Folder(), {{"big", Presses(2100)}});
    EXPECT_EQ(WriteMacros(link, MacroFolder(Folder()), {0}), (8422 - 8192) / 4 + 1);
    EXPECT_EQ(Commands(), (std::vector<int>{0x03}));
    const auto memory = hub->Dump("keyboard", q31::sim::Region::Macros);
    ASSERT_TRUE(memory && !memory->empty());
    EXPECT_NE((*memory)[0], 0xAA);
}

TEST_F(MacroDownload, NothingToWriteSendsNothing)
{
    WriteFolder(Folder(), {{"m0", Presses(1)}});
    EXPECT_EQ(WriteMacros(link, MacroFolder(Folder()), {}), 0);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MacroDownload, LinkFailureIsNotDone)
{
    WriteFolder(Folder(), {{"m0", Presses(1)}});
    ASSERT_TRUE(hub->Unplug("keyboard", q31::sim::Route::Cable).empty());
    const int result = WriteMacros(link, MacroFolder(Folder()), {0});
    EXPECT_LT(result, -1);
    EXPECT_EQ(OutcomeOfMacroWrite(result), MacroWriteOutcome::Failed);
}

}  // namespace
