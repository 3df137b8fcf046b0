// The mouse page the program ships, over the simulated mouse on its cable and
// through its receiver: what it learns at activation, what each control
// leaves in the mouse's memory, and what the mouse reports by itself.
#include "devices/halvorin_mouse_device.h"

#include "devices/device_views.h"
#include "keys/function_types.h"
#include "macros/macro_files.h"
#include "platform/folders.h"
#include "protocol/command_codes.h"
#include "sim/sim_faults.h"
#include "tests/devices/colour_dialog_driver.h"
#include "tests/devices/device_test_support.h"
#include "ui/option_ui.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace q31::test {
namespace {

constexpr int kStageRecords = 14;  // settings record byte of stage 0
constexpr int kRightButton = 1;
constexpr int kForwardButton = 3;

class MouseDeviceTest : public ::testing::TestWithParam<std::uint16_t> {
protected:
    void SetUp() override
    {
        QDir(UserDataFolder(QStringLiteral("mouse"))).removeRecursively();
        page = qobject_cast<CHalvorinMouseDevice*>(builder.BuildShipped("mousedevice.xml"));
        ASSERT_NE(page, nullptr);
        page->SetKindName(QStringLiteral("mouse"));
        page->SetKeyCount(devices::kMouseButtons);
        page->SetLightCount(15);
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "mouse", GetParam()));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
        bus.TakeCommands();
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    std::vector<std::uint8_t> Parameters() const { return *bus.hub->Dump("mouse", sim::Region::Parameters); }

    FunctionCode KeyMapAt(int slot) const
    {
        const auto map = *bus.hub->Dump("mouse", sim::Region::KeyMap);
        return {map[3 * slot], map[3 * slot + 1], map[3 * slot + 2]};
    }

    template <class Control>
    Control* Find(const QString& name) const
    {
        return page->findChild<Control*>(name);
    }

    // A control's event as the page's notifier passes it on.
    void Send(const char* type, QWidget* sender, WPARAM wParam = 0)
    {
        ASSERT_NE(sender, nullptr);
        TNotifyUI msg{QString::fromLatin1(type), sender, wParam, 0};
        page->NotifyPump(msg);
        ASSERT_TRUE(WaitForResults());
    }

    // The settings record writes since the last call: each is one configuration bracket.
    int SettingsWrites()
    {
        const auto commands = bus.TakeCommands();
        return int(std::count(commands.begin(), commands.end(), int(kCmdBeginConfig)));
    }

    std::array<std::uint8_t, 9> StageRecord(int stage) const
    {
        const auto memory = Parameters();
        std::array<std::uint8_t, 9> record{};
        std::copy_n(memory.begin() + kStageRecords + 9 * stage, 9, record.begin());
        return record;
    }

    SimBus bus;
    PageBuilder builder;
    CHalvorinMouseDevice* page = nullptr;
};

TEST_P(MouseDeviceTest, ActivationLearnsTheButtonSlotsAndDpiLimitsAndCreatesTheProfile)
{
    const auto& layout = page->Layout();
    EXPECT_EQ(layout.keyCount, 11);
    // The simulated key map has forward and back, and the last three buttons, in other orders.
    const devices::MouseSlotMap expected{0, 1, 2, 4, 3, 5, 6, 7, 10, 9, 8};
    EXPECT_EQ(layout.buttonSlots, expected);
    EXPECT_EQ(layout.dpi, (devices::DpiLimits{100, 153, 200, 0x3325}));
    EXPECT_EQ(Find<QSlider>(QStringLiteral("DPI_slider_4"))->maximum(), 153);
    EXPECT_TRUE(QFile::exists(UserDataFolder(QStringLiteral("mouse")) + QStringLiteral("/ProfileList.ini")));
}

TEST_P(MouseDeviceTest, EachDpiControlWritesTheStageRecordOnce)
{
    Find<QSlider>(QStringLiteral("DPI_slider_1"))->setValue(20);
    Send("valuechanged", Find<QSlider>(QStringLiteral("DPI_slider_1")), 20);
    EXPECT_EQ(SettingsWrites(), 1);
    EXPECT_EQ(StageRecord(1)[2], 20);
    EXPECT_EQ(StageRecord(1)[3], 0);
    EXPECT_EQ(Find<QLineEdit>(QStringLiteral("DPI_edit_1"))->text(), QStringLiteral("2200"));

    // 5200 DPI on this sensor is index 49, which shows 5200 again.
    auto* edit = Find<QLineEdit>(QStringLiteral("DPI_edit_2"));
    edit->setText(QStringLiteral("5200"));
    Send("return", edit);
    EXPECT_EQ(SettingsWrites(), 1);
    EXPECT_EQ(StageRecord(2)[2], 49);
    EXPECT_EQ(edit->text(), QStringLiteral("5200"));
    // Leaving the field afterwards changes nothing, so nothing more is sent.
    Send("killfocus", edit);
    EXPECT_EQ(SettingsWrites(), 0);

    Send("selectchanged", Find<COptionUI>(QStringLiteral("DPI_select_check_3")), 1);
    EXPECT_EQ(SettingsWrites(), 1);
    EXPECT_EQ(Parameters()[12], 3);
    EXPECT_EQ(page->Profile().DeviceSection()["DPIStages"]["StageActive"].asInt(), 3);
    EXPECT_FALSE(Find<COptionUI>(QStringLiteral("DPI_enable_check_3"))->isEnabled());

    Send("selectchanged", Find<COptionUI>(QStringLiteral("DPI_enable_check_4")), 0);
    EXPECT_EQ(SettingsWrites(), 1);
    EXPECT_EQ(StageRecord(4)[0], 0);
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("DPI_layout_4"))->isEnabled());

    page->SetStageColour(0, 0x12, 0x34, 0x56);
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(SettingsWrites(), 1);
    EXPECT_EQ(StageRecord(0)[6], 0x12);
    EXPECT_EQ(StageRecord(0)[7], 0x34);
    EXPECT_EQ(StageRecord(0)[8], 0x56);
}

TEST_P(MouseDeviceTest, AStageColourFromTheColourDialogIsStoredOnlyWhenAccepted)
{
    const auto before = StageRecord(1);
    WhenColourDialogShows([](QWidget& dialog) {
        EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("color_option_0")));
        EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("closebtn")));
    });
    Send("click", Find<QWidget>(QStringLiteral("DPI_color_option_1")));
    EXPECT_EQ(StageRecord(1), before);
    EXPECT_EQ(SettingsWrites(), 0);

    WhenColourDialogShows([this](QWidget& dialog) {
        // Single colours only, and no second dialog while this one is open.
        auto* spectrum = dialog.findChild<QWidget*>(QStringLiteral("7color_layout"));
        EXPECT_TRUE(spectrum && !spectrum->isVisible());
        TNotifyUI again{QStringLiteral("click"), Find<QWidget>(QStringLiteral("DPI_color_option_2")), 0, 0};
        page->NotifyPump(again);
        EXPECT_EQ(OpenColourDialogs(), 1);
        EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("color_option_0")));
        EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("okbtn")));
    });
    Send("click", Find<QWidget>(QStringLiteral("DPI_color_option_1")));
    const auto after = StageRecord(1);
    EXPECT_EQ(after[6], 0xFF);
    EXPECT_EQ(after[7], 0x00);
    EXPECT_EQ(after[8], 0x00);
    EXPECT_EQ(SettingsWrites(), 1);
}

TEST_P(MouseDeviceTest, TheLastEnabledStageCannotBeCleared)
{
    Send("selectchanged", Find<COptionUI>(QStringLiteral("DPI_select_check_0")), 1);
    for (int stage = 1; stage < 4; ++stage)
        Send("selectchanged", Find<COptionUI>(QStringLiteral("DPI_enable_check_%1").arg(stage)), 0);
    // Stage 4 and the current stage 0 are left; clearing 4 would leave 0 alone.
    Send("selectchanged", Find<COptionUI>(QStringLiteral("DPI_enable_check_4")), 0);
    EXPECT_FALSE(Find<COptionUI>(QStringLiteral("DPI_enable_check_0"))->isEnabled());
    bus.TakeCommands();
    Send("selectchanged", Find<COptionUI>(QStringLiteral("DPI_enable_check_0")), 0);
    EXPECT_EQ(SettingsWrites(), 0);
    EXPECT_EQ(StageRecord(0)[0], 1);
}

TEST_P(MouseDeviceTest, PollingAndPointerSettings)
{
    Send("selectchanged", Find<COptionUI>(QStringLiteral("polling_rate_option_3")), 1);
    EXPECT_EQ(SettingsWrites(), 1);
    EXPECT_EQ(Parameters()[11], 3);
    const auto memory = Parameters();
    EXPECT_EQ(memory[59], 1);

    // The pointer settings stay in the profile: the mouse hears nothing of them.
    Send("valuechanged", Find<QSlider>(QStringLiteral("pointer_speed_slider")), 7);
    Send("selectchanged", Find<COptionUI>(QStringLiteral("scrolls_page_check")), 1);
    EXPECT_EQ(SettingsWrites(), 0);
    EXPECT_EQ(HighHalf(page->SystemSettings()[0]), 7);
    EXPECT_EQ(HighHalf(page->SystemSettings()[1]), 1);
    Send("valuechanged", Find<QSlider>(QStringLiteral("scroll_speed_slider")), 5);
    EXPECT_EQ(HighHalf(page->SystemSettings()[1]), 0);
    EXPECT_FALSE(Find<COptionUI>(QStringLiteral("scrolls_page_check"))->IsSelected());
    EXPECT_EQ(HighHalf(page->SystemSettings()[2]), 3);
}

TEST_P(MouseDeviceTest, MacroBoundButtonsCarryTheSlotsOfTheMacroBlock)
{
    const macros::MacroFolder folder(UserDataFolder(QStringLiteral("mouse")));
    std::vector<macros::MacroEntry> entries;
    for (int i = 0; i < 8; ++i)
        entries.push_back({QStringLiteral("m%1").arg(i), QStringLiteral("m%1").arg(i)});
    ASSERT_TRUE(folder.WriteList(entries));
    std::vector<KeyListEntry> keys = page->GetKeyList();
    ASSERT_GE(keys.size(), std::size_t(devices::kMouseButtons));
    keys[kRightButton].current = {keys::kMacro, 7, 0};
    keys[kForwardButton].current = {keys::kMacro, 2, 0};
    page->SetKeyList(keys);
    page->WriteKeyTableCurrent(0);
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(KeyMapAt(1), (FunctionCode{keys::kMacro, 0, 0}));
    EXPECT_EQ(KeyMapAt(4), (FunctionCode{keys::kMacro, 1, 0}));
    EXPECT_EQ(KeyMapAt(0), (FunctionCode{0x10, 0x01, 0x00}));
    // The profile keeps its own macro numbers.
    EXPECT_EQ(page->GetKeyList()[kRightButton].current.data1, 7);
}

TEST_P(MouseDeviceTest, TheMousesOwnStageButtonMovesThePagesCurrentStage)
{
    const std::string path = bus.NotificationPath(GetParam() == Mouse ? Mouse : MouseReceiver);
    ASSERT_FALSE(path.empty());
    page->AttachNotification(path, GetParam() == Mouse ? Mouse : MouseReceiver);
    ASSERT_EQ(bus.hub->ChangeDpiStage("mouse", 2), "");
    ASSERT_TRUE(QTest::qWaitFor([this] { return page->CurrentStage() == 2; }, 3000));
    EXPECT_TRUE(Find<COptionUI>(QStringLiteral("DPI_select_check_2"))->IsSelected());
    EXPECT_FALSE(Find<COptionUI>(QStringLiteral("DPI_select_check_0"))->IsSelected());
    page->DetachNotification(GetParam() == Mouse ? Mouse : MouseReceiver);
}

TEST_P(MouseDeviceTest, ASyncTakesTheMousesStageAndLighting)
{
    ASSERT_EQ(bus.hub->ChangeDpiStage("mouse", 4), "");
    page->SyncFromDevice();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(page->CurrentStage(), 4);
    EXPECT_EQ(page->Profile().DeviceSection()["DPIStages"]["StageActive"].asInt(), 4);
}

TEST_P(MouseDeviceTest, AProfileSwitchPutsSettingsAndButtonsOnTheMouse)
{
    std::vector<KeyListEntry> keys = page->GetKeyList();
    ASSERT_GE(keys.size(), std::size_t(devices::kMouseButtons));
    keys[kRightButton].current = keys[2].factory;
    page->SetKeyList(keys);
    page->SetPollingRate(4);
    ASSERT_TRUE(WaitForResults());
    bus.TakeCommands();
    page->ApplyProfileToDevice();
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(SettingsWrites(), 2);  // the settings record, then the key table
    EXPECT_EQ(KeyMapAt(1), keys[2].factory);
    EXPECT_EQ(Parameters()[11], 4);
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("device_status_line"))->isVisible());
}

// Whatever the mouse takes to answer, the window goes on meanwhile.
TEST_P(MouseDeviceTest, ThePowerStateIsReadOnTheWorkerWhileTheWindowGoesOn)
{
    struct Recorder : IDevicePowerControl {
        void ShowPowerLayout(int) override {}
        void ShowPowerStatus(const PowerStatus& status) override
        {
            events.push_back("shown");
            shown.push_back(status);
        }
        std::vector<std::string> events;
        std::vector<PowerStatus> shown;
    } power;
    page->SetPowerControl(&power);
    ASSERT_EQ(bus.hub->SetBattery("mouse", 15, 1), "");
    sim::SimFault slow;
    slow.kind = sim::FaultKind::DelayedReply;
    slow.delayMs = 800;
    slow.command = kCmdReadStatus;
    ASSERT_EQ(bus.hub->AddFault("mouse", slow), "");

    page->RefreshPower();
    QTimer::singleShot(0, [&power] { power.events.push_back("turned"); });
    EXPECT_TRUE(QTest::qWaitFor([&power] { return power.shown.size() == 1; }, 5000));
    EXPECT_EQ(power.events, (std::vector<std::string>{"turned", "shown"}));
    ASSERT_EQ(power.shown.size(), 1u);
    EXPECT_EQ(power.shown[0][0], 15);
    EXPECT_EQ(power.shown[0][kPowerStatusReceiverByte], GetParam() == MouseReceiver ? 1 : 0);
    page->SetPowerControl(nullptr);
}

// A mouse (or its receiver) that never answers keeps only the worker waiting.
TEST_P(MouseDeviceTest, ASilentMouseDoesNotHoldTheWindow)
{
    sim::SimFault silent;
    silent.times = sim::SimFault::kAlways;
    ASSERT_EQ(bus.hub->AddFault("mouse", silent), "");
    QElapsedTimer held;
    held.start();
    page->RefreshPower();
    bool turned = false;
    QTimer::singleShot(0, [&turned] { turned = true; });
    EXPECT_TRUE(QTest::qWaitFor([&turned] { return turned; }, 1000));
    EXPECT_LT(held.elapsed(), 1000);
}

INSTANTIATE_TEST_SUITE_P(CableAndReceiver, MouseDeviceTest, ::testing::Values(Mouse, MouseReceiver),
                         [](const auto& info) { return info.param == Mouse ? "Cable" : "Receiver"; });

class UnreachableMouseTest : public MouseDeviceTest {};

TEST_P(UnreachableMouseTest, AReceiverWhoseMouseIsOutOfReachWritesNothingAndSaysSo)
{
    ASSERT_EQ(bus.hub->SetReachable("mouse", false), "");
    Send("selectchanged", Find<COptionUI>(QStringLiteral("polling_rate_option_2")), 1);
    const auto commands = bus.TakeCommands();
    EXPECT_FALSE(commands.empty());
    EXPECT_TRUE(std::all_of(commands.begin(), commands.end(), [](int c) { return c == kCmdQueryReceiverLink; }));
    EXPECT_TRUE(Find<QWidget>(QStringLiteral("device_status_line"))->isVisible());
    // The profile keeps the change for the next write that reaches the mouse.
    EXPECT_EQ(HighHalf(page->SystemSettings()[2]), 2);
    const macros::MacroFolder folder(UserDataFolder(QStringLiteral("mouse")));
    ASSERT_TRUE(folder.WriteList({{QStringLiteral("Burst"), QStringLiteral("m0")}}));
    page->WriteKeyTableCurrent(0);
    page->WriteMacros({0});
    ASSERT_TRUE(WaitForResults());
    const auto more = bus.TakeCommands();
    EXPECT_TRUE(std::all_of(more.begin(), more.end(), [](int c) { return c == kCmdQueryReceiverLink; }));
    ASSERT_EQ(bus.hub->SetReachable("mouse", true), "");
    Send("selectchanged", Find<COptionUI>(QStringLiteral("polling_rate_option_2")), 1);
    EXPECT_EQ(Parameters()[11], 2);
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("device_status_line"))->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Receiver, UnreachableMouseTest, ::testing::Values(MouseReceiver));

// The shipped mouse page over the simulated mouse on its cable, activated.
void OpenShippedMouse(SimBus& bus, PageBuilder& builder, CHalvorinMouseDevice*& page)
{
    QDir(UserDataFolder(QStringLiteral("mouse"))).removeRecursively();
    page = qobject_cast<CHalvorinMouseDevice*>(builder.BuildShipped("mousedevice.xml"));
    ASSERT_NE(page, nullptr);
    page->SetKindName(QStringLiteral("mouse"));
    page->SetLightCount(15);
    page->CreatePage();
    ASSERT_TRUE(bus.Connect(page->CommandLink(), "mouse", Mouse));
    page->OnActivated();
    ASSERT_TRUE(WaitForDeviceWork(*page));
}

TEST(MousePreviewTest, AKeyPressOnTheCableStartsARippleInTheRippleMode)
{
    SimBus bus;
    PageBuilder builder;
    CHalvorinMouseDevice* page = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenShippedMouse(bus, builder, page));
    // Ripple at full brightness and the fastest speed: dark until a key is pressed.
    page->SetLightSettings(6 | 4 << 8 | 4 << 16, 0, 0, 0);
    const auto lit = [page] {
        for (int led = 0; led < 15; ++led)
            if (page->GetDevedOzirav(led) >> 24)
                return true;
        return false;
    };
    QTest::qWait(300);
    EXPECT_FALSE(lit());
    page->AttachNotification(bus.NotificationPath(Mouse), Mouse);
    ASSERT_EQ(bus.hub->PressKey("mouse", 0), "");
    EXPECT_TRUE(QTest::qWaitFor(lit, 3000));
    page->DetachNotification(Mouse);
}

// Restoring the defaults puts the shipped document's settings into the
// profile in use and its file, not the profile's own settings again.
TEST(MouseProfileTest, ResetTakesTheShippedDefaults)
{
    SimBus bus;
    PageBuilder builder;
    CHalvorinMouseDevice* page = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenShippedMouse(bus, builder, page));
    const LightSettings shipped = page->Profile().ReadLightInfo();
    LightSettings changed = shipped;
    changed[0] = shipped[0] == 3 ? 4 : 3;
    page->Profile().WriteLightInfo(changed);
    page->SaveProfile();
    page->ResetFromProfile();
    EXPECT_EQ(page->Profile().ReadLightInfo(), shipped);
    EXPECT_EQ(page->GetLightSettingsBytes()[0], shipped[0]);
    page->ReloadProfile();
    EXPECT_EQ(page->Profile().ReadLightInfo(), shipped);
}

// Modes past the mouse's ten play entry mode - 10 of its custom effect list,
// from its own folder, on the running preview thread, named by its tool tip.
TEST(MousePreviewTest, ACustomModePlaysItsEntryOfTheCustomEffectList)
{
    const QString folder = UserDataFolder(QStringLiteral("mouse"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const auto write = [&folder](const QString& name, const char* text) {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(QStringLiteral("quorl_light.config"),
          R"({"LightInfo": [[], [{"LightName": "A", "Guid": "a"}, {"LightName": "B", "Guid": "glow"}]]})");
    write(QStringLiteral("glow.light"),
          R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "LEDSpeed": 4, "green": 200, "Time": 60000}]})");
    SimBus bus;
    PageBuilder builder;
    auto* page = qobject_cast<CHalvorinMouseDevice*>(builder.BuildShipped("mousedevice.xml"));
    ASSERT_NE(page, nullptr);
    page->SetKindName(QStringLiteral("mouse"));
    page->SetLightCount(15);
    page->CreatePage();
    ASSERT_TRUE(bus.Connect(page->CommandLink(), "mouse", Mouse));
    page->OnActivated();
    ASSERT_TRUE(WaitForDeviceWork(*page));
    LightSettings light = page->Profile().ReadLightInfo();
    light[0] = 11;
    page->Profile().WriteLightInfo(light);
    page->ApplyProfile();
    const std::uint32_t green = devices::PackLightRecord({0, 200, 0, 255});
    EXPECT_TRUE(QTest::qWaitFor([page, green] { return page->GetDevedOzirav(14) == green; }, 3000));
    // The effect's name is the combo's tool tip while it plays, and only then.
    auto* combo = page->findChild<QWidget*>(QStringLiteral("light_combo_modeSelect"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->toolTip(), QStringLiteral("B"));
    light[0] = 2;
    page->Profile().WriteLightInfo(light);
    page->ApplyProfile();
    EXPECT_NE(combo->toolTip(), QStringLiteral("B"));
}

}  // namespace
}  // namespace q31::test
