// The mouse's layout, settings record, key table and profile written to and
// read from the simulated mouse through the real HID path, on its cable and
// through its receiver.
#include "devices/mouse_key_table.h"
#include "devices/mouse_layout.h"
#include "devices/mouse_profile_write.h"
#include "devices/mouse_settings_record.h"
#include "hid/hid_catalogue.h"
#include "keys/function_types.h"
#include "profiles/json_file.h"
#include "profiles/mouse_profile_data.h"
#include "protocol/command_codes.h"
#include "protocol/device_link.h"
#include "sim/sim_faults.h"
#include "sim/sim_model.h"
#include "tests/devices/device_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::test {
namespace {

using namespace q31::devices;

constexpr int kSimKeyCount = 11;

// The button the simulated mouse keeps at each slot, from its factory key map.
constexpr std::array<int, kSimKeyCount> kButtonAtSlot = {0, 1, 2, 4, 3, 5, 6, 7, 10, 9, 8};

std::vector<std::uint8_t> Bytes(const auto& from, std::size_t begin, std::size_t end)
{
    return {from.begin() + begin, from.begin() + end};
}

// The data folder's models with the mouse cut down to its first keyCount slots.
std::vector<sim::SimModel> ModelsWithMouseSlots(std::size_t keyCount)
{
    QString error;
    auto models = sim::LoadSimModels(sim::SimModelFolder(), &error);
    if (!models)
        throw std::runtime_error(error.toStdString());
    for (sim::SimModel& model : *models) {
        if (model.name != "mouse")
            continue;
        model.factoryMemory[sim::Region::KeyMap].resize(3 * keyCount);
        model.factoryMemory[sim::Region::DeviceInfo][sim::kKeyCountInfoByte] = std::uint8_t(keyCount);
    }
    return *models;
}

class MouseLinkTest : public ::testing::TestWithParam<std::uint16_t> {
protected:
    void SetUp() override { ASSERT_TRUE(bus.Connect(link, "mouse", GetParam())); }

    bool ThroughReceiver() const { return GetParam() == MouseReceiver; }

    std::vector<std::uint8_t> Memory(sim::Region region) const { return *bus.hub->Dump("mouse", region); }

    // The commands sent, without the online queries: through the receiver
    // each command (its first report) follows one, on the cable none is sent.
    std::vector<int> Commands()
    {
        const std::vector<int> sent = bus.TakeCommands();
        std::vector<int> commands;
        for (std::size_t i = 0; i < sent.size(); ++i) {
            if (sent[i] == kCmdQueryReceiverLink)
                continue;
            const bool nextReport = i > 0 && sent[i - 1] == sent[i];
            if (ThroughReceiver()) {
                EXPECT_TRUE(nextReport || (i > 0 && sent[i - 1] == kCmdQueryReceiverLink)) << "report " << i;
            }
            commands.push_back(sent[i]);
        }
        if (!ThroughReceiver()) {
            EXPECT_EQ(std::count(sent.begin(), sent.end(), kCmdQueryReceiverLink), 0);
        }
        return commands;
    }

    void ExpectBracketsClosed() const
    {
        const auto brackets = bus.hub->Brackets("mouse");
        EXPECT_FALSE(brackets->open);
        EXPECT_EQ(brackets->begun, brackets->ended);
    }

    SimBus bus;
    CDeviceLink link;
};

TEST_P(MouseLinkTest, TheLayoutFindsEveryButtonAndTheDpiLimits)
{
    const MouseLayoutRead read = ReadMouseLayout(link);
    ASSERT_EQ(read.result, kResultSuccess);
    EXPECT_EQ(read.keyCount, kSimKeyCount);
    for (int slot = 0; slot < kSimKeyCount; ++slot)
        EXPECT_EQ(read.buttonSlots[kButtonAtSlot[slot]], slot) << slot;
    EXPECT_EQ(read.dpi, (DpiLimits{100, 153, 200, kCoarseStepSensor}));
    EXPECT_EQ(Bytes(read.keyMap, 0, 3 * kSimKeyCount), Memory(sim::Region::KeyMap));
    const std::vector<int> commands = Commands();
    EXPECT_EQ(commands.front(), kCmdBeginConfig);
    EXPECT_EQ(commands.back(), kCmdEndConfig);
    EXPECT_NE(std::find(commands.begin(), commands.end(), kCmdReadKeyMap), commands.end());
    ExpectBracketsClosed();
}

TEST_P(MouseLinkTest, AFailingLayoutReadGivesItsCodeAndClosesTheBracket)
{
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFE;
    fault.command = kCmdReadKeyMap;
    ASSERT_EQ(bus.hub->AddFault("mouse", fault), "");
    const MouseLayoutRead read = ReadMouseLayout(link);
    EXPECT_EQ(read.result, kResultStatusFE);
    EXPECT_TRUE(std::ranges::all_of(read.buttonSlots, [](int slot) { return slot == kNoSlot; }));
    EXPECT_EQ(Commands().back(), kCmdEndConfig);
    ExpectBracketsClosed();
}

TEST_P(MouseLinkTest, TheSettingsRecordLandsInItsProfilePageAndReadsBack)
{
    MouseSettings settings;
    settings.light = {2, 3, 1, 0, 1, 9, 8, 7};
    settings.system[2] = PackWord(3, 3);
    settings.currentStage = 1;
    settings.stages = {{1, 0, 10, 10, 255, 0, 0}};
    const MouseSettingsRecord record = PackMouseSettings(settings, {0x30, 0x31, 0x32}, 0, 1, {1920, 1080});
    const std::vector<std::uint8_t> before = Memory(sim::Region::Parameters);
    ASSERT_EQ(WriteMouseSettings(link, record, 2), kResultSuccess);
    EXPECT_EQ(Commands(), ThroughReceiver()
                              ? (std::vector<int>{kCmdBeginConfig, kCmdWriteParams, kCmdWriteParams, kCmdWriteParams,
                                                  kCmdEndConfig})
                              : (std::vector<int>{kCmdBeginConfig, kCmdWriteParams, kCmdWriteParams, kCmdEndConfig}));
    const std::vector<std::uint8_t> after = Memory(sim::Region::Parameters);
    EXPECT_EQ(Bytes(after, 256, 256 + kMouseSettingsWriteSize), Bytes(record, 0, kMouseSettingsWriteSize));
    // Bytes 66 to 127 of the page are the mouse's own.
    const std::size_t ownBytes = 256 + kMouseSettingsWriteSize;
    EXPECT_EQ(Bytes(after, ownBytes, 256 + 128), Bytes(before, ownBytes, 256 + 128));
    EXPECT_EQ(Bytes(after, 0, 256), Bytes(before, 0, 256));
    ExpectBracketsClosed();

    ASSERT_EQ(bus.hub->SwitchProfile("mouse", 2), "");
    const MouseSettingsFetch fetch = ReadMouseSettings(link);
    ASSERT_EQ(fetch.result, kResultSuccess);
    EXPECT_EQ(fetch.currentProfile, 2);
    EXPECT_EQ(Bytes(fetch.record, 1, kMouseSettingsWriteSize), Bytes(record, 1, kMouseSettingsWriteSize));
    EXPECT_EQ(Bytes(fetch.record, 0, kMouseSettingsRecordSize), Bytes(after, 256, 256 + kMouseSettingsRecordSize));
}

TEST_P(MouseLinkTest, AProfilePastTheParameterMemoryIsRefused)
{
    EXPECT_EQ(WriteMouseSettings(link, {}, kMouseProfiles), kResultWriteFailed);
    EXPECT_EQ(WriteMouseSettings(link, {}, -1), kResultWriteFailed);
    EXPECT_TRUE(Commands().empty());

    // The mouse names a profile it has no page for: its record is not asked for.
    ASSERT_EQ(bus.hub->SwitchProfile("mouse", kMouseProfiles), "");
    EXPECT_EQ(ReadMouseSettings(link).result, kResultNoReply);
    EXPECT_EQ(Commands(), (std::vector<int>{kCmdReadParams}));
}

TEST_P(MouseLinkTest, TheKeyTableGoesToBankZeroOnly)
{
    const MouseLayoutRead read = ReadMouseLayout(link);
    ASSERT_EQ(read.result, kResultSuccess);
    Commands();
    KeyMapImage block = read.keyMap;
    block[3 * 2] = keys::kMacro;
    EXPECT_EQ(WriteMouseKeyTable(link, block, 1), kResultBadBank);
    EXPECT_TRUE(Commands().empty());

    ASSERT_EQ(WriteMouseKeyTable(link, block, 0), kResultSuccess);
    EXPECT_EQ(Memory(sim::Region::KeyMap), Bytes(block, 0, 3 * kSimKeyCount));
    const std::vector<int> commands = Commands();
    EXPECT_EQ(commands.front(), kCmdBeginConfig);
    EXPECT_NE(std::find(commands.begin(), commands.end(), kCmdReadDeviceInfo), commands.end());
    EXPECT_EQ(commands.back(), kCmdEndConfig);
    ExpectBracketsClosed();
}

TEST_P(MouseLinkTest, AClosedLinkSendsNothing)
{
    link.SetOpen(false);
    EXPECT_EQ(ReadMouseLayout(link).result, kResultNoReply);
    EXPECT_EQ(WriteMouseSettings(link, {}, 0), kResultNoReply);
    EXPECT_EQ(ReadMouseSettings(link).result, kResultNoReply);
    EXPECT_EQ(WriteMouseKeyTable(link, {}, 0), kResultNoReply);
    EXPECT_EQ(WriteMouseProfile(link, {}, {}, std::nullopt).result, kResultNoReply);
    EXPECT_TRUE(bus.TakeCommands().empty());
}

INSTANTIATE_TEST_SUITE_P(CableAndReceiver, MouseLinkTest, ::testing::Values(Mouse, MouseReceiver),
                         [](const auto& info) { return info.param == Mouse ? "Cable" : "Receiver"; });

class UnreachableMouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.Connect(link, "mouse", MouseReceiver));
        ASSERT_EQ(bus.hub->SetReachable("mouse", false), "");
        bus.TakeCommands();
    }

    // Nothing but the one online query went out.
    void ExpectOnlyTheQuery()
    {
        EXPECT_EQ(bus.TakeCommands(), (std::vector<int>{kCmdQueryReceiverLink}));
    }

    SimBus bus;
    CDeviceLink link;
};

TEST_F(UnreachableMouseTest, EveryOperationStopsAfterTheQuery)
{
    EXPECT_EQ(ReadMouseLayout(link).result, kResultUnreachable);
    ExpectOnlyTheQuery();
    EXPECT_EQ(WriteMouseSettings(link, {}, 0), kResultUnreachable);
    ExpectOnlyTheQuery();
    EXPECT_EQ(ReadMouseSettings(link).result, kResultUnreachable);
    ExpectOnlyTheQuery();
    EXPECT_EQ(WriteMouseKeyTable(link, {}, 0), kResultUnreachable);
    ExpectOnlyTheQuery();
    EXPECT_EQ(WriteMouseProfile(link, {}, {}, std::nullopt).result, kResultUnreachable);
    ExpectOnlyTheQuery();
}

class MouseProfileWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.Connect(link, "mouse", Mouse));
        layout = ReadMouseLayout(link);
        ASSERT_EQ(layout.result, kResultSuccess);
        for (int button = 0; button < kMouseButtons; ++button) {
            const FunctionCode factory = MouseButtonTable()[button].factory;
            image.keys.push_back({std::uint16_t(button), factory, factory});
        }
        bus.TakeCommands();
    }

    void WriteMacros(int count)
    {
        const macros::MacroFolder folder(QString::fromStdString(macroFolder.Path()));
        std::vector<macros::MacroEntry> list;
        for (int macro = 0; macro < count; ++macro) {
            const QString guid = QStringLiteral("m%1").arg(macro);
            Json::Value event(Json::objectValue);
            event["Action"] = "down";
            event["Type"] = 1;
            event["Button"] = macro;
            event["Delay"] = "10";
            Json::Value document(Json::objectValue);
            document["Events"].append(event);
            ASSERT_TRUE(folder.WriteMacroDocument(guid, document));
            list.push_back({guid, guid});
        }
        ASSERT_TRUE(folder.WriteList(list));
    }

    MouseProfileWriteResult Write()
    {
        return WriteMouseProfile(link, layout, image, macros::MacroFolder(QString::fromStdString(macroFolder.Path())));
    }

    std::vector<std::uint8_t> Memory(sim::Region region) const { return *bus.hub->Dump("mouse", region); }

    SimBus bus;
    CDeviceLink link;
    MouseLayoutRead layout;
    MouseProfileImage image;
    TempFolder macroFolder;
};

TEST_F(MouseProfileWriteTest, SettingsMacrosAndKeyTableGoInThatOrder)
{
    WriteMacros(8);
    image.keys[3].current = {keys::kMacro, 7, 0};  // forward, at slot 4
    image.keys[4].current = {keys::kMacro, 2, 0};  // back, at slot 3
    image.settings[1] = 0x42;
    const MouseProfileWriteResult written = Write();
    EXPECT_EQ(written.result, kResultSuccess);
    EXPECT_EQ(written.macros, 0);
    const std::vector<int> commands = bus.TakeCommands();
    const auto at = [&](int command) { return std::find(commands.begin(), commands.end(), command); };
    EXPECT_LT(at(kCmdWriteParams), at(kCmdWriteMacros));
    EXPECT_LT(at(kCmdWriteMacros), at(kCmdWriteKeyMap));
    EXPECT_NE(at(kCmdWriteKeyMap), commands.end());

    EXPECT_EQ(Memory(sim::Region::Parameters)[1], 0x42);
    const std::vector<std::uint8_t> macros = Memory(sim::Region::Macros);
    EXPECT_EQ(Bytes(macros, 0, 6), (std::vector<std::uint8_t>{0xAA, 0x55, 36, 0, 2, 0}));
    EXPECT_EQ(macros[16 + 4 + 4 + 3], 7);  // slot 0 holds macro 7
    const std::vector<std::uint8_t> keyMap = Memory(sim::Region::KeyMap);
    EXPECT_EQ(Bytes(keyMap, 3 * 4, 3 * 4 + 2), (std::vector<std::uint8_t>{keys::kMacro, 0}));
    EXPECT_EQ(Bytes(keyMap, 3 * 3, 3 * 3 + 2), (std::vector<std::uint8_t>{keys::kMacro, 1}));
    EXPECT_FALSE(bus.hub->Brackets("mouse")->open);
}

TEST_F(MouseProfileWriteTest, AMacroBlockThatDoesNotFitIsReportedAndTheKeysStillWritten)
{
    WriteMacros(1);
    const macros::MacroFolder folder(QString::fromStdString(macroFolder.Path()));
    Json::Value document(Json::objectValue);
    Json::Value event(Json::objectValue);
    event["Action"] = "down";
    event["Type"] = 1;
    event["Button"] = 4;
    event["Delay"] = "1";
    for (int i = 0; i < 2000; ++i)
        document["Events"].append(event);
    ASSERT_TRUE(folder.WriteMacroDocument(QStringLiteral("m0"), document));
    image.keys[2].current = {keys::kMacro, 0, 0};
    const MouseProfileWriteResult written = Write();
    EXPECT_EQ(written.result, kResultSuccess);
    EXPECT_GT(written.macros, 0);
    const std::vector<int> commands = bus.TakeCommands();
    EXPECT_EQ(std::find(commands.begin(), commands.end(), kCmdWriteMacros), commands.end());
    EXPECT_EQ(Bytes(Memory(sim::Region::KeyMap), 3 * 2, 3 * 2 + 2), (std::vector<std::uint8_t>{keys::kMacro, 0}));
}

TEST_F(MouseProfileWriteTest, AFailingStepEndsTheSequenceWithItsCode)
{
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFF;
    fault.command = kCmdWriteParams;
    ASSERT_EQ(bus.hub->AddFault("mouse", fault), "");
    EXPECT_EQ(Write().result, kResultStatusFF);
    const std::vector<int> commands = bus.TakeCommands();
    EXPECT_EQ(std::find(commands.begin(), commands.end(), kCmdWriteKeyMap), commands.end());
    EXPECT_FALSE(bus.hub->Brackets("mouse")->open);
}

TEST_F(MouseProfileWriteTest, TheImageComesFromTheProfileDocument)
{
    Json::Value section(Json::objectValue);
    section["LightInfo"]["SelectItem"] = 1;
    section["LightInfo"]["Speed"] = 1;
    section["ReportStages"]["StageActive"] = 3;
    section["SystemStages"]["WheelScorlllinse"] = 3;
    section["DPIStages"]["StageActive"] = 1;
    Json::Value stage(Json::objectValue);
    stage["StageActive"] = 1;
    stage["StageDPIX"] = 20;
    section["DPIStages"]["StageDPIs"].append(stage);
    Json::Value correction(Json::objectValue);
    correction["CorrectSelect"] = 1;
    correction["CorrectMinSq"] = 6;
    correction["CorrectPixThresh"] = 9;
    section["CorrectInfo"].append(correction);
    Json::Value key(Json::objectValue);
    key["Assignment"] = 0x100200;
    key["DefaultAssignment"] = 0x100100;
    section["KeyList"].append(key);
    Json::Value document(Json::objectValue);
    document["Device"].append(section);
    const QString path = QString::fromStdString(macroFolder.Path() + "/profile.Json");
    ASSERT_TRUE(WriteJsonFile(path, document));
    CMouseProfiledata profile;
    ASSERT_FALSE(profile.LoadDeviceSection(path).isNull());

    const MouseProfileImage read = MouseProfileImageOf(profile, {0x50, 0x51}, {1920, 1080});
    EXPECT_EQ(read.settings[0], 0);
    EXPECT_EQ(read.settings[1], 0x51);
    EXPECT_EQ(read.settings[3], 3);
    EXPECT_EQ(read.settings[11], 3);
    EXPECT_EQ(read.settings[12], 1);
    EXPECT_EQ(Bytes(read.settings, 14, 18), (std::vector<std::uint8_t>{1, 0, 20, 0}));
    EXPECT_EQ(Bytes(read.settings, 23, 59), std::vector<std::uint8_t>(36, 0));
    EXPECT_EQ(read.settings[59], 1);
    EXPECT_EQ(Bytes(read.settings, 60, 66), (std::vector<std::uint8_t>{0x80, 0x07, 0x38, 0x04, 6, 9}));
    ASSERT_EQ(read.keys.size(), 1u);
    EXPECT_EQ(read.keys[0].current, (FunctionCode{0x10, 0x02, 0x00}));
}

// A mouse with fewer slots than the page has buttons.
class SmallMouseTest : public ::testing::Test {
protected:
    SmallMouseTest() : bus(ModelsWithMouseSlots(3)) {}

    SimBus bus;
    CDeviceLink link;
};

TEST_F(SmallMouseTest, ButtonsTheMouseLacksHaveNoSlotAndAreNotWritten)
{
    ASSERT_TRUE(bus.Connect(link, "mouse", Mouse));
    const MouseLayoutRead read = ReadMouseLayout(link);
    ASSERT_EQ(read.result, kResultSuccess);
    EXPECT_EQ(read.keyCount, 3);
    EXPECT_EQ(Bytes(read.buttonSlots, 0, 3), (std::vector<std::uint8_t>{0, 1, 2}));
    for (int button = 3; button < kMouseButtons; ++button)
        EXPECT_EQ(read.buttonSlots[button], kNoSlot) << button;

    MouseProfileImage image;
    for (int button = 0; button < kMouseButtons; ++button) {
        const FunctionCode factory = MouseButtonTable()[button].factory;
        image.keys.push_back({std::uint16_t(button), {0x20, 0x00, std::uint8_t(0x10 + button)}, factory});
    }
    ASSERT_EQ(WriteMouseProfile(link, read, image, std::nullopt).result, kResultSuccess);
    const std::vector<std::uint8_t> keyMap = *bus.hub->Dump("mouse", sim::Region::KeyMap);
    EXPECT_EQ(keyMap, (std::vector<std::uint8_t>{0x20, 0, 0x10, 0x20, 0, 0x11, 0x20, 0, 0x12}));
}

}  // namespace
}  // namespace q31::test
