// A profile written to the simulated keyboard without the page: a failing
// step ends the sequence with its code, and the bracket is closed each time.
#include "devices/keyboard_profile_write.h"

#include "devices/keyboard_layout_read.h"
#include "hid/hid_catalogue.h"
#include "protocol/command_codes.h"
#include "protocol/device_link.h"
#include "sim/sim_faults.h"
#include "tests/devices/device_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::test {
namespace {

using namespace q31::devices;

class KeyboardProfileWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.Connect(link, "keyboard", Keyboard));
        read = ReadKeyboardLayout(link);
        ASSERT_EQ(read.result, kResultSuccess);
        profile.keys.assign(kKeyboardKeys, KeyListEntry{});
        for (int key = 0; key < kKeyboardKeys; ++key)
            profile.keys[key].current = profile.keys[key].factory = FactoryKeyCodes()[key];
        profile.colours = KeyboardCustomColours{1, std::vector<CustomColour>(kKeyboardKeys, {10, 20, 30, 255})};
        bus.TakeCommands();
    }

    KeyboardProfileWriteResult Write()
    {
        return WriteKeyboardProfile(link, read.keyMap, read.layout, profile,
                                    macros::MacroFolder(QString::fromStdString(macroFolder.Path())));
    }

    void FailOn(std::uint8_t command)
    {
        sim::SimFault fault;
        fault.kind = sim::FaultKind::StatusFF;
        fault.command = command;
        ASSERT_EQ(bus.hub->AddFault("keyboard", fault), "");
    }

    bool Sent(int command) const
    {
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }

    void ExpectBracketsClosed() const
    {
        const auto brackets = bus.hub->Brackets("keyboard");
        EXPECT_FALSE(brackets->open);
        EXPECT_EQ(brackets->begun, brackets->ended);
    }

    SimBus bus;
    CDeviceLink link;
    KeyboardLayoutRead read;
    KeyboardProfileImage profile;
    TempFolder macroFolder;
    std::vector<int> commands;
};

TEST_F(KeyboardProfileWriteTest, EveryStepRunsWhenTheKeyboardTakesThem)
{
    const KeyboardProfileWriteResult written = Write();
    commands = bus.TakeCommands();
    EXPECT_EQ(written.result, kResultSuccess);
    EXPECT_EQ(written.macros, 0);
    EXPECT_TRUE(Sent(kCmdWriteParams));
    EXPECT_TRUE(Sent(kCmdWritePage));
    EXPECT_TRUE(Sent(kCmdWriteKeyMap));
    ExpectBracketsClosed();
}

TEST_F(KeyboardProfileWriteTest, AFailingStepEndsTheSequenceWithItsCode)
{
    FailOn(kCmdWriteParams);
    EXPECT_EQ(Write().result, kResultStatusFF);
    commands = bus.TakeCommands();
    EXPECT_FALSE(Sent(kCmdWritePage));
    EXPECT_FALSE(Sent(kCmdWriteKeyMap));
    ExpectBracketsClosed();

    FailOn(kCmdWritePage);
    EXPECT_EQ(Write().result, kResultStatusFF);
    commands = bus.TakeCommands();
    EXPECT_TRUE(Sent(kCmdWriteParams));
    EXPECT_FALSE(Sent(kCmdWriteKeyMap));
    ExpectBracketsClosed();

    FailOn(kCmdWriteKeyMap);
    EXPECT_EQ(Write().result, kResultStatusFF);
    ExpectBracketsClosed();
}

TEST_F(KeyboardProfileWriteTest, AColourGroupPastTheAddressSpaceIsRefusedBeforeItIsSent)
{
    profile.colours->group = 0x10000 / kColourPageSize;
    EXPECT_EQ(Write().result, kResultWriteFailed);
    commands = bus.TakeCommands();
    EXPECT_FALSE(Sent(kCmdWritePage));
    EXPECT_FALSE(Sent(kCmdWriteKeyMap));
    ExpectBracketsClosed();
}

TEST_F(KeyboardProfileWriteTest, AClosedLinkSendsNothing)
{
    link.SetOpen(false);
    EXPECT_EQ(Write().result, kResultNoReply);
    EXPECT_TRUE(bus.TakeCommands().empty());
}

TEST_F(KeyboardProfileWriteTest, TheColourPageHoldsEachKeysScaledColourAtItsLight)
{
    std::vector<CustomColour> colours(kKeyboardKeys);
    colours[43] = {255, 128, 2, 128};
    const KeyboardImage page = CustomColourPage(read.layout, colours);
    const int light = read.layout.lightOfKey[43];
    ASSERT_NE(light, kNoKeyEntry);
    EXPECT_EQ(page[3 * light], 127);
    EXPECT_EQ(page[3 * light + 1], 64);
    EXPECT_EQ(page[3 * light + 2], 1);
    EXPECT_EQ(std::count(page.begin(), page.end(), 0), int(page.size()) - 3);
}

}  // namespace
}  // namespace q31::test
