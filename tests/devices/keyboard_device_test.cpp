// The keyboard against the simulated keyboard: what it learns at activation,
// what its writes leave in the keyboard's memory, and what the keyboard
// reports by itself.
#include "devices/halvorin_keyboard_device.h"

#include "devices/device_views.h"
#include "devices/keyboard_light_modes.h"
#include "devices/keyboard_profile_write.h"
#include "keys/function_types.h"
#include "macros/macro_files.h"
#include "platform/folders.h"
#include "platform/ui_message.h"
#include "protocol/command_codes.h"
#include "protocol/link_attach.h"
#include "tests/devices/device_test_support.h"
#include "ui/resource_manager.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace q31::test {
namespace {

using devices::kNoKeyEntry;

// Logical keys and where the simulated keyboard has them.
constexpr int kEsc = 0;
constexpr int kQ = 43;
constexpr int kW = 44;
constexpr int kE = 45;
constexpr int kSpace = 108;
constexpr int kM1 = 120;
constexpr int kQPosition = 40;
constexpr int kWPosition = 41;
constexpr int kEPosition = 42;
constexpr int kSpacePosition = 104;
constexpr int kM1Position = 116;

// The power control and the main window as the keyboard sees them.
struct PowerView : IDevicePowerControl {
    void ShowPowerLayout(int) override {}
    void ShowPowerStatus(const PowerStatus& status) override { shown.push_back(status); }
    std::vector<PowerStatus> shown;
};

struct WindowView : IMessageReceiver {
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        messages.emplace_back(message, wParam);
        return 0;
    }
    QObject* MessageContext() override { return &context; }
    QObject context;
    std::vector<std::pair<UINT, WPARAM>> messages;
};

class KeyboardDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(UserDataFolder(QStringLiteral("keyboard"))).removeRecursively();
        auto* built = builder.Build(WritePageSkin(skin, QString(), QStringLiteral("HalvorinKeyboardDevice")));
        page = qobject_cast<CHalvorinKeyboardDevice*>(built);
        ASSERT_TRUE(page);
        page->SetKindName(QStringLiteral("keyboard"));
        page->CreatePage();
        builder.host->show();
    }

    void Activate(std::uint16_t type = Keyboard)
    {
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "keyboard", type));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    std::vector<std::uint8_t> Dump(sim::Region region) const { return *bus.hub->Dump("keyboard", region); }

    FunctionCode KeyMapAt(int position) const
    {
        const auto map = Dump(sim::Region::KeyMap);
        return {map[3 * position], map[3 * position + 1], map[3 * position + 2]};
    }

    // Macro i has events on button 4 + i.
    void WriteMacroList(int count, int events = 1)
    {
        const macros::MacroFolder folder(UserDataFolder(QStringLiteral("keyboard")));
        std::vector<macros::MacroEntry> entries;
        for (int i = 0; i < count; ++i) {
            const QString guid = QStringLiteral("m%1").arg(i);
            entries.push_back({guid, guid});
            Json::Value event(Json::objectValue);
            event["Action"] = "down";
            event["Type"] = 1;
            event["Button"] = 4 + i;
            event["Delay"] = "10";
            Json::Value document(Json::objectValue);
            for (int e = 0; e < events; ++e)
                document["Events"].append(event);
            ASSERT_TRUE(folder.WriteMacroDocument(guid, document));
        }
        ASSERT_TRUE(folder.WriteList(entries));
    }

    int Count(const std::vector<int>& commands, int command) const
    {
        return int(std::count(commands.begin(), commands.end(), command));
    }

    SimBus bus;
    TempFolder skin;
    PageBuilder builder;
    CHalvorinKeyboardDevice* page = nullptr;
};

TEST_F(KeyboardDeviceTest, ActivationLearnsWhereTheKeysAndLightsAre)
{
    Activate();
    const auto& layout = page->Layout();
    EXPECT_EQ(layout.positions, 122);
    EXPECT_EQ(layout.positionOfKey[kEsc], 0);
    EXPECT_EQ(layout.positionOfKey[kQ], kQPosition);
    EXPECT_EQ(layout.positionOfKey[kSpace], kSpacePosition);
    EXPECT_EQ(layout.positionOfKey[kM1], kM1Position);
    EXPECT_EQ(layout.lightOfKey[kQ], kQPosition);
    EXPECT_EQ(layout.lightOfKey[kM1], kM1Position);
    const auto brackets = bus.hub->Brackets("keyboard");
    EXPECT_FALSE(brackets->open);
    EXPECT_EQ(brackets->begun, brackets->ended);
}

TEST_F(KeyboardDeviceTest, AFailedLayoutReadStillClosesTheBracketAndKeepsTheMaps)
{
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFF;
    fault.command = kCmdReadKeyMap;
    ASSERT_EQ(bus.hub->AddFault("keyboard", fault), "");
    Activate();
    EXPECT_EQ(page->Layout().positionOfKey[kQ], kNoKeyEntry);
    const auto brackets = bus.hub->Brackets("keyboard");
    EXPECT_FALSE(brackets->open);
    EXPECT_GE(brackets->ended, 1);
}

TEST_F(KeyboardDeviceTest, FirstActivationCreatesTheProfileAndTakesTheKeyboardsSettings)
{
    Activate();
    EXPECT_TRUE(QFileInfo::exists(UserDataFolder(QStringLiteral("keyboard")) + QStringLiteral("/ProfileList.ini")));
    // The simulated keyboard is in profile 0, whose record starts 00 01 04 02 00 01 FF.
    EXPECT_EQ(page->SettingsRecord()[0], 0);
    EXPECT_EQ(page->Profile().ReadLightInfo()[1], 4);  // brightness
    EXPECT_EQ(page->Profile().ReadLightInfo()[2], 2);  // speed: 4 less byte 3
}

TEST_F(KeyboardDeviceTest, AReadWithoutTheKeyboardKeepsTheProfilesLightingAndFlags)
{
    Activate();
    const LightSettings light = page->Profile().ReadLightInfo();
    const SystemWords words = page->SystemSettings();
    q31::DetachCommandInterfaces(page->CommandLink());
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(page->Profile().ReadLightInfo(), light);
    EXPECT_EQ(page->SystemSettings(), words);
    EXPECT_EQ(page->SettingsRecord(), q31::devices::KeyboardSettingsRecord{});
}

TEST_F(KeyboardDeviceTest, AChangedSystemSettingWritesTheRecordOnceToAddressZero)
{
    Activate();
    bus.TakeCommands();
    page->SetPollingRate(3);
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(Count(bus.TakeCommands(), kCmdWriteParams), 1);
    auto memory = Dump(sim::Region::Parameters);
    EXPECT_EQ(memory[22], 3);
    EXPECT_EQ(memory[0], 0);

    // Changes made while the keyboard is busy go out as one record.
    std::atomic<bool> release{false};
    page->RunOnDevice([&release](const CStopEvent& cancel) {
        while (!release && !cancel.Wait(1))
            continue;
    });
    page->SetFlag(CHalvorinKeyboardDevice::Flag::Key6, true);
    page->SetPollingRate(1);
    release = true;
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(Count(bus.TakeCommands(), kCmdWriteParams), 1);
    memory = Dump(sim::Region::Parameters);
    EXPECT_EQ(memory[20], 1);
    EXPECT_EQ(memory[22], 1);
    EXPECT_EQ(HighHalf(page->SystemSettings()[1]), 1);
}

TEST_F(KeyboardDeviceTest, MacroBoundKeysCarryTheSlotsOfTheMacroBlock)
{
    Activate();
    WriteMacroList(6);

    std::vector<KeyListEntry> keys = page->GetKeyList();
    ASSERT_GT(keys.size(), std::size_t(kE));
    keys[kQ].current = {keys::kMacro, 5, 0};
    keys[kW].current = {keys::kMacroRepeated, 1, 3};
    keys[kE].current = {keys::kMacro, 9, 0};  // past the macro list
    page->SetKeyList(keys);

    EXPECT_EQ(page->CollectKeyMacros(), (std::vector<int>{5, 1}));
    bus.TakeCommands();
    page->WriteMacros(page->CollectKeyMacros());
    page->WriteKeyTableCurrent(0);
    ASSERT_TRUE(WaitForResults());

    EXPECT_EQ(KeyMapAt(kQPosition), (FunctionCode{keys::kMacro, 0, 0}));
    EXPECT_EQ(KeyMapAt(kWPosition), (FunctionCode{keys::kMacroRepeated, 1, 3}));
    EXPECT_EQ(KeyMapAt(kEPosition), keys[kE].factory);
    EXPECT_EQ(KeyMapAt(kSpacePosition), keys[kSpace].factory);
    // The block holds the two macros, macro 5 in slot 0: its one event names button 9.
    const auto macroMemory = Dump(sim::Region::Macros);
    EXPECT_EQ(macroMemory[4], 2);
    const int first = macroMemory[16] | macroMemory[17] << 8;
    EXPECT_EQ(macroMemory[first + 4 + 3], 9);
    // The own key list keeps the macro numbers.
    EXPECT_EQ(page->GetKeyList()[kQ].current.data1, 5);
    const auto commands = bus.TakeCommands();
    EXPECT_EQ(Count(commands, kCmdBeginConfig), Count(commands, kCmdEndConfig));
}

TEST_F(KeyboardDeviceTest, AProfileGoesToTheKeyboardAsSettingsMacrosColoursThenKeys)
{
    Activate();
    WriteMacroList(2);
    std::vector<KeyListEntry> keys = page->GetKeyList();
    ASSERT_GT(keys.size(), std::size_t(kW));
    keys[kQ].current = {keys::kMacro, 1, 0};
    keys[kW].current = {keys::kMacro, 0, 0};
    page->SetKeyList(keys);
    constexpr int kGroup = 2;
    LightSettings light = page->Profile().ReadLightInfo();
    light[0] = devices::kCustomColourMode;
    light[devices::kKeyboardCustomGroup] = kGroup;
    page->Profile().WriteLightInfo(light);
    std::vector<CustomColour> colours(devices::kKeyboardKeys);
    colours[kQ] = {200, 100, 50, 128};
    colours[kM1] = {255, 255, 255, 255};
    page->Profile().WriteCustomLightColors(kGroup, colours);

    bus.TakeCommands();
    page->ApplyProfileToDevice();
    ASSERT_TRUE(WaitForResults());

    std::vector<int> writes = bus.TakeCommands();
    const std::vector<int> kinds{kCmdWriteParams, kCmdWriteMacros, kCmdWritePage, kCmdWriteKeyMap};
    std::erase_if(writes, [&](int command) { return std::find(kinds.begin(), kinds.end(), command) == kinds.end(); });
    writes.erase(std::unique(writes.begin(), writes.end()), writes.end());
    EXPECT_EQ(writes, kinds);

    EXPECT_EQ(Dump(sim::Region::Parameters)[25], kGroup);
    EXPECT_EQ(Dump(sim::Region::Macros)[4], 2);
    // Brightness 128 halves the colour.
    const auto pages = Dump(sim::Region::ColourPages);
    const std::size_t qLight = kGroup * devices::kColourPageSize + 3 * kQPosition;
    EXPECT_EQ((std::vector<int>{pages[qLight], pages[qLight + 1], pages[qLight + 2]}), (std::vector<int>{100, 50, 25}));
    EXPECT_EQ(pages[kGroup * devices::kColourPageSize + 3 * kM1Position], 254);
    // Macro 1 is used first, by Q: slot 0.
    EXPECT_EQ(KeyMapAt(kQPosition), (FunctionCode{keys::kMacro, 0, 0}));
    EXPECT_EQ(KeyMapAt(kWPosition), (FunctionCode{keys::kMacro, 1, 0}));
    const auto brackets = bus.hub->Brackets("keyboard");
    EXPECT_FALSE(brackets->open);
    EXPECT_EQ(brackets->begun, brackets->ended);
    EXPECT_EQ(brackets->writesOutside, 0);
}

// A translation that holds other format sequences besides its count.
class TranslatedTexts : public IQueryControlText {
public:
    TranslatedTexts() { CResourceManager::GetInstance().SetTextQueryInterface(this); }
    ~TranslatedTexts() override { CResourceManager::GetInstance().SetTextQueryInterface(nullptr); }
    QString QueryControlText(const QString& id, const QString&) override
    {
        return id == QLatin1String("message_text_16") ? QStringLiteral("%s %n: %d") : QString();
    }
};

TEST_F(KeyboardDeviceTest, AMacroBlockTooLargeIsToldWithItsCountAndTheKeysStillGo)
{
    Activate();
    // 16 + 6 + 4 x 2100 bytes against 64 blocks of 128: 58 events too many.
    WriteMacroList(1, 2100);
    std::vector<KeyListEntry> keys = page->GetKeyList();
    keys[kQ].current = {keys::kMacro, 0, 0};
    page->SetKeyList(keys);
    TranslatedTexts texts;
    QSignalSpy told(page, &CHalvorinKeyboardDevice::MacroMessageShown);

    page->ApplyProfileToDevice();
    ASSERT_TRUE(WaitForResults());
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0][0].toString(), QStringLiteral("%s %n: 58"));
    EXPECT_EQ(Dump(sim::Region::Macros)[0], 0);
    EXPECT_EQ(KeyMapAt(kQPosition), (FunctionCode{keys::kMacro, 0, 0}));

    page->WriteMacros(page->CollectKeyMacros());
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(told.size(), 2);
}

TEST_F(KeyboardDeviceTest, KeyPressesOnTheCableFindTheirLogicalKey)
{
    Activate();
    ASSERT_FALSE(bus.NotificationPath(Keyboard).empty());
    page->AttachNotification(bus.NotificationPath(Keyboard), Keyboard);
    QSignalSpy reported(page, &CHalvorinKeyboardDevice::KeyReported);
    ASSERT_EQ(bus.hub->PressKey("keyboard", kQPosition), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return reported.size() >= 2; }, 3000));
    EXPECT_EQ(reported[0], (QList<QVariant>{kQ, 1}));
    EXPECT_EQ(reported[1], (QList<QVariant>{kQ, 2}));
    // A position without a key is dropped.
    ASSERT_EQ(bus.hub->Notify("keyboard", 0x05C8), "");
    ASSERT_EQ(bus.hub->PressKey("keyboard", kSpacePosition), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return reported.size() >= 4; }, 3000));
    EXPECT_EQ(reported[2], (QList<QVariant>{kSpace, 1}));
}

TEST_F(KeyboardDeviceTest, AnOnBoardProfileSwitchThroughTheReceiverIsTakenIntoTheRecord)
{
    Activate(KeyboardReceiver);
    const std::string path = bus.NotificationPath(KeyboardReceiver);
    ASSERT_FALSE(path.empty());
    page->AttachNotification(path, KeyboardReceiver);
    QSignalSpy refreshed(page, &CHalvorinKeyboardDevice::PageRefreshed);
    ASSERT_EQ(bus.hub->Notify("keyboard", 0x1123), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return refreshed.size() >= 1; }, 3000));
    EXPECT_EQ(page->SettingsRecord()[0], 3);
    EXPECT_EQ(page->SettingsRecord()[17], 2);
}

TEST_F(KeyboardDeviceTest, AProfileNumberOnTheCableChangesNothing)
{
    Activate();
    page->AttachNotification(bus.NotificationPath(Keyboard), Keyboard);
    QSignalSpy refreshed(page, &CHalvorinKeyboardDevice::PageRefreshed);
    QSignalSpy reported(page, &CHalvorinKeyboardDevice::KeyReported);
    ASSERT_EQ(bus.hub->Notify("keyboard", 0x1123), "");
    ASSERT_EQ(bus.hub->PressKey("keyboard", kQPosition), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return reported.size() >= 2; }, 3000));
    EXPECT_EQ(refreshed.size(), 0);
    EXPECT_EQ(page->SettingsRecord()[0], 0);
    EXPECT_EQ(page->SettingsRecord()[17], 0);
}

TEST_F(KeyboardDeviceTest, AResetPutsTheShippedDefaultsIntoTheProfileInUse)
{
    Activate();
    const SystemWords shipped = page->SystemSettings();
    page->SetPollingRate(shipped[1] >> 16 == 2 ? 3 : 2);
    page->SetFlag(CHalvorinKeyboardDevice::Flag::WinLock, !(shipped[2] >> 16));
    ASSERT_TRUE(WaitForResults());
    ASSERT_NE(page->SystemSettings(), shipped);
    const QString document = page->Profile().GetDocumentPath();

    page->ResetFromProfile();
    EXPECT_EQ(page->SystemSettings(), shipped);
    // Stored too: the next start finds the defaults.
    CKeyboardProfiledata reread;
    reread.LoadDeviceSection(document);
    EXPECT_EQ(reread.ReadKeyboardSystem(), shipped);
}

TEST_F(KeyboardDeviceTest, KeysOfMacrosNoLongerListedTakeTheirDefaultInTheProfile)
{
    Activate();
    WriteMacroList(1);
    std::vector<KeyListEntry> keys = page->GetKeyList();
    ASSERT_GT(keys.size(), std::size_t(kE));
    keys[kQ].current = {keys::kMacro, 0, 0};
    keys[kW].current = {keys::kMacroRepeated, 1, 2};
    keys[kE].current = {keys::kMacro, 5, 0};
    page->SetKeyList(keys);
    bus.TakeCommands();

    page->DropDanglingMacroKeys();
    const std::vector<KeyListEntry> kept = page->Profile().ReadKeyList();
    ASSERT_GT(kept.size(), std::size_t(kE));
    EXPECT_EQ(kept[kQ].current, (FunctionCode{keys::kMacro, 0, 0}));
    EXPECT_EQ(kept[kW].current, kept[kW].factory);
    EXPECT_EQ(kept[kE].current, kept[kE].factory);
    EXPECT_EQ(page->GetKeyList()[kW].current, kept[kW].factory);
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(bus.TakeCommands().empty());
}

TEST_F(KeyboardDeviceTest, ThePowerStateGoesToThePowerControlAndTheWindowUnlessPollingIsOff)
{
    PowerView power;
    WindowView window;
    page->SetPowerControl(&power);
    page->SetMainWindow(&window);
    ASSERT_EQ(bus.hub->SetBattery("keyboard", 57, 1), "");
    page->RefreshPower();  // no link yet
    Activate(KeyboardReceiver);
    bus.TakeCommands();
    page->RefreshPower();
    ASSERT_TRUE(WaitForResults());
    ASSERT_EQ(power.shown.size(), 1u);
    EXPECT_EQ(power.shown[0][0], 57);
    EXPECT_EQ(power.shown[0][1], 1);
    EXPECT_EQ(power.shown[0][kPowerStatusReceiverByte], 1);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], std::make_pair(kDeviceStatusMessage, WPARAM(power.shown[0][kPowerStatusWindowByte])));
    const std::vector<int> commands = bus.TakeCommands();
    EXPECT_EQ(Count(commands, kCmdQueryReceiverLink), 1);
    EXPECT_EQ(Count(commands, kCmdReadStatus), 1);

    page->SetStatusPollingOff(1);
    page->RefreshPower();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(power.shown.size(), 1u);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(Count(bus.TakeCommands(), kCmdReadStatus), 0);
    page->SetPowerControl(nullptr);
    page->SetMainWindow(nullptr);
}

TEST_F(KeyboardDeviceTest, OnTheCableThePowerStateSaysSo)
{
    PowerView power;
    page->SetPowerControl(&power);
    Activate();
    page->RefreshPower();
    ASSERT_TRUE(WaitForResults());
    ASSERT_EQ(power.shown.size(), 1u);
    EXPECT_EQ(power.shown[0][kPowerStatusReceiverByte], 0);
    page->SetPowerControl(nullptr);
}

// The keyboard's light thread and its stream, with a preview entry per logical key.
class KeyboardLightTest : public KeyboardDeviceTest {
protected:
    static constexpr int kLights = 170;
    static constexpr int kStreamReports = 7;  // 340 bytes in 56-byte chunks

    void SetUp() override
    {
        KeyboardDeviceTest::SetUp();
        page->SetKeyCount(kLights);
        page->SetLightCount(kLights);
    }
    // Mode, brightness 4 and speed 4: a step on every tick of the light thread.
    void SetMode(int mode) { page->SetLightSettings(DWORD(mode) | 4u << 8 | 4u << 16, 0, 0, 0); }
    void SendLevels(int red, int green, int blue)
    {
        const int levels[devices::kAudioLevelCount] = {red, green, blue, 1, 2, 3};
        page->OnAudioLevels(levels);
    }
    bool WaitForRecord(int key, std::uint32_t record)
    {
        return QTest::qWaitFor([&] { return page->GetDevedOzirav(key) == record; }, 3000);
    }
    int StreamReportsOfPaint()
    {
        bus.TakeCommands();
        page->PaintLedPreview();
        EXPECT_TRUE(WaitForResults());
        return Count(bus.TakeCommands(), kCmdStreamLights);
    }
    std::array<int, 3> StreamedAt(int light) const
    {
        const auto frame = Dump(sim::Region::LightFrame);
        return {frame[3 * light], frame[3 * light + 1], frame[3 * light + 2]};
    }
};

TEST_F(KeyboardLightTest, TheLevelColourModeStreamsItsFramesToTheKeyboardOnItsCable)
{
    Activate();
    SetMode(devices::kKeyboardModeLevelColour);
    SendLevels(200, 100, 0x132);
    ASSERT_TRUE(WaitForRecord(kQ, devices::PackLightRecord({200, 100, 0x32, 255})));
    EXPECT_EQ(StreamReportsOfPaint(), kStreamReports);
    EXPECT_EQ(StreamedAt(kQPosition), (std::array<int, 3>{199, 99, 49}));
    EXPECT_EQ(StreamedAt(kSpacePosition), (std::array<int, 3>{199, 99, 49}));
    // The keyboard takes 340 bytes: lights from 114 on, M1's among them, are not sent.
    EXPECT_EQ(StreamedAt(kM1Position), (std::array<int, 3>{0, 0, 0}));

    SendLevels(0, 0, 255);
    ASSERT_TRUE(WaitForRecord(kQ, devices::PackLightRecord({0, 0, 255, 255})));
    EXPECT_EQ(StreamReportsOfPaint(), kStreamReports);
    EXPECT_EQ(StreamedAt(kQPosition), (std::array<int, 3>{0, 0, 254}));
}

TEST_F(KeyboardLightTest, InItsOtherModesTheKeyboardGetsNoFramesAndComingBackSendsAtOnce)
{
    Activate();
    SetMode(devices::kKeyboardModeLevelColour);
    SendLevels(10, 20, 30);
    ASSERT_TRUE(WaitForRecord(kQ, devices::PackLightRecord({10, 20, 30, 255})));
    ASSERT_EQ(StreamReportsOfPaint(), kStreamReports);

    SetMode(devices::kKeyboardModeSpectrum);
    // The spectrum moves the records on the light thread; none of it is sent.
    const std::uint32_t before = page->GetDevedOzirav(kQ);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->GetDevedOzirav(kQ) != before; }, 3000));
    EXPECT_EQ(StreamReportsOfPaint(), 0);
    SetMode(devices::kKeyboardModeOff);
    ASSERT_TRUE(WaitForRecord(kQ, 0));
    EXPECT_EQ(StreamReportsOfPaint(), 0);

    // Meanwhile the keyboard showed its own lights: the same frame as before goes again.
    SetMode(devices::kKeyboardModeLevelColour);
    ASSERT_TRUE(WaitForRecord(kQ, devices::PackLightRecord({10, 20, 30, 255})));
    EXPECT_EQ(StreamReportsOfPaint(), kStreamReports);
}

TEST_F(KeyboardLightTest, ThroughItsReceiverTheKeyboardGetsNoFrames)
{
    Activate(KeyboardReceiver);
    SetMode(devices::kKeyboardModeLevelColour);
    SendLevels(10, 20, 30);
    ASSERT_TRUE(WaitForRecord(kQ, devices::PackLightRecord({10, 20, 30, 255})));
    EXPECT_EQ(StreamReportsOfPaint(), 0);
    EXPECT_EQ(StreamedAt(kQPosition), (std::array<int, 3>{0, 0, 0}));
}

// The keyboard reports the press on its cable; the page's key lights up by the mode's reaction.
TEST_F(KeyboardLightTest, AReportedKeyPressStartsTheReactionOfTheKeyModes)
{
    Activate();
    page->AttachNotification(bus.NotificationPath(Keyboard), Keyboard);
    const auto brightness = [&] { return devices::UnpackLightRecord(page->GetDevedOzirav(kQ)).a; };
    for (const int mode : {7, 8, 9, 25}) {
        SetMode(mode);
        ASSERT_TRUE(QTest::qWaitFor([&] { return brightness() == 0; }, 3000)) << mode;
        QSignalSpy reported(page, &CHalvorinKeyboardDevice::KeyReported);
        ASSERT_EQ(bus.hub->PressKey("keyboard", kQPosition), "");
        ASSERT_TRUE(QTest::qWaitFor([&] { return reported.size() >= 2; }, 3000)) << mode;
        EXPECT_TRUE(QTest::qWaitFor([&] { return brightness() > 0; }, 3000)) << mode;
    }
    // Other modes take no notice of key presses.
    SetMode(10);
    QSignalSpy reported(page, &CHalvorinKeyboardDevice::KeyReported);
    ASSERT_EQ(bus.hub->PressKey("keyboard", kQPosition), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return reported.size() >= 2; }, 3000));
    EXPECT_EQ(page->Effects().State().fade[kQ], 0);
}

TEST_F(KeyboardLightTest, OnlyTheAudioAndLevelColourModesStreamTheirFrames)
{
    Activate();
    SendLevels(10, 20, 30);
    for (int mode = 1; mode <= 30; ++mode) {
        SetMode(mode);
        QTest::qWait(40);
        const bool streamed = mode == devices::kKeyboardModeAudio || mode == devices::kKeyboardModeLevelColour;
        EXPECT_EQ(StreamReportsOfPaint(), streamed ? kStreamReports : 0) << mode;
    }
}

TEST_F(KeyboardLightTest, TheBuiltInModesDrawTheKeys)
{
    // No activation: no light thread, the steps are taken by hand.
    const std::uint32_t kept = devices::PackLightRecord({1, 2, 3, 4});
    for (int mode : {1, 6, 17, 29}) {
        page->SetDevedOzirav(kQ, kept);
        SetMode(mode);
        page->StepMode();
        EXPECT_NE(page->GetDevedOzirav(kQ), kept) << mode;
    }
    SetMode(devices::kKeyboardModeSpectrum);
    page->StepMode();
    EXPECT_NE(page->GetDevedOzirav(kQ), kept);
    SetMode(devices::kKeyboardModeOff);
    page->StepMode();
    EXPECT_EQ(page->GetDevedOzirav(kQ), 0u);
    SetMode(devices::kKeyboardModeBreathingColours);
    page->StepMode();
    EXPECT_EQ(devices::UnpackLightRecord(page->GetDevedOzirav(kQ)).g, 255);  // the first fixed colour
    SetMode(devices::kKeyboardModeLevelColour);
    SendLevels(7, 8, 9);
    page->StepMode();
    EXPECT_EQ(page->GetDevedOzirav(kQ), devices::PackLightRecord({7, 8, 9, 255}));
}

// Modes 0 and 20 play the first custom effect, modes past the 31 built-in ones
// entry mode - 31; the steps come from the keyboard's own folder.
TEST_F(KeyboardLightTest, TheCustomModesPlayTheirEntryOfTheCustomEffectList)
{
    const QString folder = UserDataFolder(QStringLiteral("keyboard")) + QLatin1Char('/');
    QDir().mkpath(folder);
    QFile list(folder + QStringLiteral("quorl_light.config"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(R"({"LightInfo": [[{"LightName": "A", "Guid": "first"}, {"LightName": "B", "Guid": "second"}]]})");
    list.close();
    for (const char* name : {"first", "second"}) {
        QFile steps(folder + QLatin1String(name) + QStringLiteral(".light"));
        ASSERT_TRUE(steps.open(QIODevice::WriteOnly));
        const int red = name == std::string("first") ? 11 : 22;
        steps.write(QStringLiteral(R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "LEDSpeed": 4,
            "red": %1, "Time": 60000}]})").arg(red).toUtf8());
    }
    for (const auto& [mode, red] : {std::pair{0, 11}, {20, 11}, {32, 22}}) {
        LightSettings light = page->Profile().ReadLightInfo();
        light[0] = std::uint8_t(mode);
        page->Profile().WriteLightInfo(light);
        page->ApplyProfile();
        page->SetDevedOzirav(kQ, 0);
        for (int pass = 0; pass < 7; ++pass)
            page->StepMode();
        EXPECT_EQ(page->GetDevedOzirav(kQ), devices::PackLightRecord({std::uint8_t(red), 0, 0, 255})) << mode;
    }
    LightSettings light = page->Profile().ReadLightInfo();
    light[0] = 40;
    page->Profile().WriteLightInfo(light);
    page->ApplyProfile();
    page->StepMode();
    EXPECT_EQ(page->GetDevedOzirav(kQ), 0u) << "an entry the list lacks plays nothing: every light off";
}

TEST_F(KeyboardDeviceTest, ASilentKeyboardNeverStallsThePage)
{
    sim::SimFault fault;
    fault.kind = sim::FaultKind::NoReply;
    fault.times = sim::SimFault::kAlways;
    ASSERT_EQ(bus.hub->AddFault("keyboard", fault), "");
    ASSERT_TRUE(bus.Connect(page->CommandLink(), "keyboard", Keyboard));
    const auto start = std::chrono::steady_clock::now();
    page->OnActivated();
    page->SetPollingRate(2);
    page->WriteKeyTableCurrent(0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(page->IsPageReadPending());
    EXPECT_TRUE(page->StopDeviceWork(QStringLiteral("unplugged")));
}

}  // namespace
}  // namespace q31::test
