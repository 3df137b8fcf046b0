#include "devices/halvorin_usb_device.h"

#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "devices/device_views.h"
#include "devices/light_records.h"
#include "protocol/command_codes.h"
#include "tests/devices/device_test_support.h"
#include "ui/container_ui.h"

#include <QDir>

#include <gtest/gtest.h>

#include <thread>

namespace q31::test {
namespace {

using devices::LightColour;
using devices::PackLightRecord;

const HidInterfaceEntry& CatalogueEntry(std::uint16_t type)
{
    for (const HidInterfaceEntry& entry : kHidInterfaceTable) {
        if (entry.type == type && entry.channel == kChannelCommand)
            return entry;
    }
    throw std::logic_error("no such entry");
}

// Filled in as discovery does, for a device of this page row.
void Prepare(CHalvorinUSBDevice& device, int keyCount, int lightCount, const QString& kindName, std::uint16_t type)
{
    device.SetKeyCount(keyCount);
    device.SetLightCount(lightCount);
    device.SetKindName(kindName);
    device.BindIdentity(CatalogueEntry(type));
}

class DevicePageTest : public ::testing::Test {
protected:
    CHalvorinUSBDevice* BuildPage(const QString& children)
    {
        CHalvorinUSBDevice* page = builder.Build(WritePageSkin(skin, children));
        EXPECT_NE(page, nullptr);
        return page;
    }

    TempFolder skin;
    PageBuilder builder;
};

TEST_F(DevicePageTest, BindsKeyAndLightButtonsOfTheSelectPanel)
{
    const QString panel =
        "<widget class=\"QWidget\" name=\"picture\"><widget class=\"SelectPanel\" name=\"device_key_light\">" +
        KeyButtonElement("key_0", "light_2") + KeyButtonElement("KEY_2") + KeyButtonElement("key_3", "Light_0") +
        KeyButtonElement("keys_1", "light_9") + KeyButtonElement("caption", "light_1") +
        "<widget class=\"QWidget\" name=\"group\">" + KeyButtonElement("key_1") + "</widget>" +
        "</widget></widget>" + KeyButtonElement("key_1", "light_1");
    CHalvorinUSBDevice* page = BuildPage(panel);
    ASSERT_TRUE(page);
    Prepare(*page, 3, 3, "keyboard", Keyboard);
    EXPECT_EQ(page->CreatePage(), 1);

    ASSERT_NE(page->GetSelectPanel(), nullptr);
    EXPECT_EQ(page->GetSelectPanel()->objectName(), "device_key_light");
    ASSERT_NE(page->GetKeyButton(0), nullptr);
    EXPECT_EQ(page->GetKeyButton(0)->objectName(), "key_0");
    EXPECT_EQ(page->GetKeyButton(1), nullptr);  // only nested deeper, or outside the panel
    ASSERT_NE(page->GetKeyButton(2), nullptr);
    EXPECT_EQ(page->GetKeyButton(2)->objectName(), "KEY_2");
    EXPECT_EQ(page->GetKeyButton(3), nullptr);  // beyond the key count

    EXPECT_EQ(page->GetLightButton(0)->objectName(), "key_3");
    EXPECT_EQ(page->GetLightButton(1)->objectName(), "caption");
    EXPECT_EQ(page->GetLightButton(2)->objectName(), "key_0");
    for (int i = 0; i < 3; ++i) {
        const CDeviceKeyButtonUI* light = page->GetLightButton(i);
        EXPECT_TRUE(light->IsLightShown());
        EXPECT_EQ(light->GetLightColour(), 0xFFFFFFu);
        EXPECT_EQ(light->GetLightLevel(), 255);
    }
    EXPECT_FALSE(page->GetKeyButton(2)->IsLightShown());
}

TEST_F(DevicePageTest, PageWithoutSelectPanelBindsNothingAndStillWorks)
{
    CHalvorinUSBDevice* page = BuildPage(KeyButtonElement("key_0", "light_0"));
    ASSERT_TRUE(page);
    Prepare(*page, 2, 2, "mouse", Mouse);
    EXPECT_EQ(page->CreatePage(), 1);
    EXPECT_EQ(page->GetSelectPanel(), nullptr);
    EXPECT_EQ(page->GetKeyButton(0), nullptr);
    EXPECT_EQ(page->GetLightButton(0), nullptr);
    page->SetDevedOzirav(1, 0x01020304);
    page->PaintLedPreview();
    EXPECT_EQ(page->GetDevedOzirav(1), 0x01020304u);
}

TEST_F(DevicePageTest, EmptyKindNameEmptiesTheTables)
{
    CHalvorinUSBDevice* page = BuildPage(
        "<widget class=\"SelectPanel\" name=\"panel\">" + KeyButtonElement("key_0", "light_0") + "</widget>");
    ASSERT_TRUE(page);
    Prepare(*page, 4, 4, "", Keyboard);
    page->CreatePage();
    EXPECT_EQ(page->GetKeyCount(), 0);
    EXPECT_EQ(page->GetLightCount(), 0);
    EXPECT_EQ(page->GetKeyButton(0), nullptr);
    EXPECT_EQ(page->GetDevedOzirav(0), 0u);
}

TEST_F(DevicePageTest, NotificationsOfThePageOnlyReachItsPump)
{
    struct CountingDevice : CHalvorinUSBDevice {
        using CHalvorinUSBDevice::CHalvorinUSBDevice;
        void NotifyPump(TNotifyUI& msg) override { received << msg.sType; }
        QStringList received;
    } device;
    auto* inside = new QWidget(new QWidget(&device));
    QWidget outside;
    TNotifyUI fromInside{"click", inside};
    TNotifyUI fromOutside{"click", &outside};
    TNotifyUI fromNobody{"timer", nullptr};
    device.PageNotifier().Notify(fromInside);
    device.PageNotifier().Notify(fromOutside);
    device.PageNotifier().Notify(fromNobody);
    EXPECT_EQ(device.received, QStringList{"click"});
}

TEST_F(DevicePageTest, FunctionTabsSelectTheirPanels)
{
    CHalvorinUSBDevice device;
    auto* functions = new CTabLayoutUI(&device);
    functions->setObjectName("device_function_switch");
    auto* keyFunctions = new CTabLayoutUI(new QWidget(&device));
    keyFunctions->setObjectName("device_key_function_switch");
    for (int i = 0; i < 4; ++i) {
        functions->addWidget(new QWidget);
        keyFunctions->addWidget(new QWidget);
    }
    device.BindIdentity(CatalogueEntry(MousePad));
    EXPECT_EQ(device.GetFunctionPanel(), 1);

    device.SelectFunctionPanel(2);
    EXPECT_EQ(functions->GetCurSel(), 0);
    EXPECT_EQ(keyFunctions->GetCurSel(), 1);
    device.SelectFunctionPanel(8);
    EXPECT_EQ(functions->GetCurSel(), 1);
    EXPECT_EQ(keyFunctions->GetCurSel(), 1);
    device.SelectFunctionPanel(4);  // a mouse pad has no system panel
    EXPECT_EQ(functions->GetCurSel(), 0);
    EXPECT_EQ(keyFunctions->GetCurSel(), 2);
    EXPECT_EQ(device.GetFunctionPanel(), 4);

    device.BindIdentity(CatalogueEntry(Keyboard));
    device.SelectFunctionPanel(4);
    EXPECT_EQ(functions->GetCurSel(), 3);
}

TEST(DeviceStateTest, LightRecordAccessStaysInsideTheLightCount)
{
    CHalvorinUSBDevice device;
    device.SetLightCount(15);
    device.SetDevedOzirav(14, 0xAABBCCDD);
    device.SetDevedOzirav(15, 0x11111111);
    device.SetDevedOzirav(-1, 0x11111111);
    EXPECT_EQ(device.GetDevedOzirav(14), 0xAABBCCDDu);
    EXPECT_EQ(device.GetDevedOzirav(15), 0u);
    EXPECT_EQ(device.GetDevedOzirav(-1), 0u);
    EXPECT_EQ(device.GetDevedOzirav(1000), 0u);
    // Setting the light count starts the records afresh.
    device.SetLightCount(15);
    EXPECT_EQ(device.GetDevedOzirav(14), 0u);
}

TEST(DeviceStateTest, LightSettingsWordsDriveTheEffects)
{
    CHalvorinUSBDevice device;
    device.SetLightCount(3);
    // Effect 1, brightness 2, speed 3, direction 1 | multi-colour 0, red 0x10, green 0x20, blue 0x30.
    device.SetLightSettings(0x01030201, 0x30201000, 0, 0xFFFF0102);
    const LightSettings bytes = device.GetLightSettingsBytes();
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[7], 0x30);
    EXPECT_EQ(bytes[12], 2);
    EXPECT_EQ(bytes[13], 1);
    EXPECT_EQ(device.StepStatic(), 3);
    EXPECT_EQ(device.GetDevedOzirav(2), PackLightRecord({0x10, 0x20, 0x30, 135}));
    EXPECT_EQ(device.StepOff(), 3);
    EXPECT_EQ(device.GetDevedOzirav(2), 0u);
}

TEST(DeviceStateTest, KeyLightHelpersWorkOnTheKeyIntensities)
{
    struct Probe : CHalvorinUSBDevice {
        int Intensity(int key) const { return m_keyLights.Intensity(key); }
        void SetRing(int index) { m_keyLights.SetRingByte(index, 1); }
    } device;
    device.SetRing(22);
    device.RotateRing(1);
    device.TriggerRingKeys();
    EXPECT_EQ(device.Intensity(0), 255);
    device.DecayKeyLight(0, 0);
    EXPECT_EQ(device.Intensity(0), 215);
    device.ClearKeyLights();
    EXPECT_EQ(device.Intensity(0), 0);
}

TEST(DeviceStateTest, DiscoveryValuesAndViews)
{
    struct PowerView : IDevicePowerControl {
        void ShowPowerLayout(int show) override { shown.push_back(show); }
        void ShowPowerStatus(const PowerStatus&) override {}
        std::vector<int> shown;
    } power;
    struct EditorView : IDeviceLightEditor {
        void SetLightInfo(DWORD a, DWORD b, DWORD c) override { info = {a, b, c}; }
        std::array<DWORD, 3> GetLightInfo(int index) override { return {DWORD(index), 0, 0}; }
        std::array<DWORD, 3> info{};
    } editor;

    CHalvorinUSBDevice device;
    EXPECT_EQ(device.GetSelectorIndex(), -1);
    EXPECT_EQ(device.GetSelectedKey(), -1);
    EXPECT_EQ(device.IsLiveLightingEnabled(), 1);
    EXPECT_EQ(device.GetPreviewRefresh(), 1);
    device.SetPowerDisplay(1);
    device.SetPowerControl(&power);
    device.SetPowerDisplay(0);
    EXPECT_EQ(power.shown, (std::vector<int>{1, 0}));

    EXPECT_EQ(device.GetLightInfo(0), (std::array<DWORD, 3>{0, 0, 0}));
    device.SetLightInfo(1, 2, 3);
    device.SetLightEditor(&editor);
    device.SetLightInfo(4, 5, 6);
    EXPECT_EQ(editor.info, (std::array<DWORD, 3>{4, 5, 6}));
    EXPECT_EQ(device.GetLightInfo(7), (std::array<DWORD, 3>{7, 0, 0}));

    device.BindIdentity(CatalogueEntry(MouseReceiver));
    EXPECT_EQ(device.GetType(), MouseReceiver);
    EXPECT_EQ(device.GetChannel(), 0);
    EXPECT_EQ(device.GetIdentity().productId, 0x6C02);
    device.SetKindIndex(1);
    EXPECT_EQ(device.GetKindIndex(), 1);
}

TEST(DeviceStateTest, FolderHelpers)
{
    CHalvorinUSBDevice device;
    device.SetKindName("MousePad");
    const QString user = device.UserDataFolder();
    EXPECT_TRUE(user.endsWith("/Q-31/MousePad/"));
    EXPECT_TRUE(QDir(user).exists());
    EXPECT_TRUE(device.DefaultDataFolder().endsWith("DefaultData/"));
    EXPECT_EQ(device.DefaultProfilePath(), device.DefaultDataFolder() + "MousePad.Json");
}

// The live light frame as the simulated keyboard receives it.
class LiveFrameTest : public ::testing::Test {
protected:
    void Connect(std::uint16_t type, int lightCount)
    {
        Prepare(device, 0, lightCount, "keyboard", type);
        ASSERT_TRUE(bus.Connect(device.CommandLink(), "keyboard", type));
    }
    std::vector<std::uint8_t> Received() const { return *bus.hub->Dump("keyboard", sim::Region::LightFrame); }
    int StreamReports() { return int(std::count(commands.begin(), commands.end(), kCmdStreamLights)); }
    void Paint()
    {
        device.PaintLedPreview();
        EXPECT_TRUE(WaitForDeviceWork(device));
        commands = bus.TakeCommands();
    }

    SimBus bus;
    CHalvorinUSBDevice device;
    std::vector<int> commands;
};

TEST_F(LiveFrameTest, SendsEachLightScaledByItsBrightness)
{
    Connect(Keyboard, 170);
    for (int i = 0; i < 170; ++i)
        device.SetDevedOzirav(i, PackLightRecord({std::uint8_t(i), 200, 255, std::uint8_t(255 - i)}));
    Paint();
    EXPECT_EQ(StreamReports(), 10);  // 510 bytes in 56-byte chunks
    const std::vector<std::uint8_t> frame = Received();
    ASSERT_GE(frame.size(), 512u);
    for (int i = 0; i < 170; ++i) {
        const int a = 255 - i;
        ASSERT_EQ(frame[3 * i], i * a >> 8) << i;
        ASSERT_EQ(frame[3 * i + 1], 200 * a >> 8) << i;
        ASSERT_EQ(frame[3 * i + 2], 255 * a >> 8) << i;
    }
}

TEST_F(LiveFrameTest, AFrameTheDeviceHoldsIsNotSentAgainUntilALightChanges)
{
    Connect(Keyboard, 15);
    device.SetDevedOzirav(0, PackLightRecord({255, 0, 0, 255}));
    Paint();
    EXPECT_EQ(StreamReports(), 1);
    Paint();
    EXPECT_EQ(StreamReports(), 0);
    device.SetDevedOzirav(1, PackLightRecord({0, 255, 0, 255}));
    Paint();
    EXPECT_EQ(StreamReports(), 1);
    EXPECT_EQ(Received()[4], 254);
    // Lighting handed back and taken again: the device may have shown its own, so the frame goes again.
    device.EnableLiveLighting(0);
    device.EnableLiveLighting(1);
    Paint();
    EXPECT_EQ(StreamReports(), 1);
}

TEST_F(LiveFrameTest, LeavesLight170OutOfTheFrame)
{
    Connect(Keyboard, 171);
    for (int i = 0; i < 171; ++i)
        device.SetDevedOzirav(i, PackLightRecord({255, 255, 255, 255}));
    Paint();
    const std::vector<std::uint8_t> frame = Received();
    EXPECT_EQ(frame[509], 254);
    EXPECT_EQ(frame[510], 0);
    EXPECT_EQ(frame[511], 0);
}

TEST_F(LiveFrameTest, NothingIsSentThroughTheReceiverOrWithLiveLightingOff)
{
    Connect(KeyboardReceiver, 170);
    device.SetDevedOzirav(0, PackLightRecord({255, 0, 0, 255}));
    Paint();
    EXPECT_EQ(StreamReports(), 0);
    EXPECT_EQ(Received()[0], 0);
}

TEST_F(LiveFrameTest, NothingIsStreamedToTheHeadset)
{
    Prepare(device, 0, 13, "HD", Headset);
    ASSERT_TRUE(bus.Connect(device.CommandLink(), "headset", Headset));
    device.SetDevedOzirav(0, PackLightRecord({255, 0, 0, 255}));
    Paint();
    EXPECT_EQ(StreamReports(), 0);
}

TEST_F(LiveFrameTest, LiveLightingOffSendsAndPaintsNothing)
{
    Connect(Keyboard, 15);
    device.EnableLiveLighting(0);
    device.SetDevedOzirav(0, PackLightRecord({255, 0, 0, 255}));
    Paint();
    EXPECT_TRUE(commands.empty());
    device.EnableLiveLighting(1);
    Paint();
    EXPECT_EQ(Received()[0], 254);
}

TEST_F(LiveFrameTest, FailedFrameRestsTheStreamWithoutBlocking)
{
    Connect(Keyboard, 15);
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFF;
    fault.command = kCmdStreamLights;
    ASSERT_EQ(bus.hub->AddFault("keyboard", fault), "");
    Paint();
    EXPECT_EQ(StreamReports(), 1);
    Paint();
    EXPECT_EQ(StreamReports(), 0);  // resting
    std::this_thread::sleep_for(std::chrono::milliseconds(220));
    Paint();
    EXPECT_EQ(StreamReports(), 1);
}

TEST_F(LiveFrameTest, PaintsTheOverlaysOfVisibleLightButtons)
{
    TempFolder skin;
    PageBuilder builder;
    CHalvorinUSBDevice* page = builder.Build(WritePageSkin(
        skin, "<widget class=\"SelectPanel\" name=\"panel\">" + KeyButtonElement("key_0", "light_0") +
                  KeyButtonElement("key_1", "light_1") + "</widget>"));
    ASSERT_TRUE(page);
    Prepare(*page, 2, 2, "mouse", Mouse);
    page->CreatePage();
    builder.host->show();
    page->GetLightButton(1)->hide();
    page->SetDevedOzirav(0, PackLightRecord({0x11, 0x22, 0x33, 0x44}));
    page->SetDevedOzirav(1, PackLightRecord({0x55, 0x66, 0x77, 0x88}));
    page->PaintLedPreview();
    EXPECT_EQ(page->GetLightButton(0)->GetLightColour(), 0x223311u);
    EXPECT_EQ(page->GetLightButton(0)->GetLightLevel(), 0x44);
    EXPECT_EQ(page->GetLightButton(1)->GetLightColour(), 0xFFFFFFu);  // hidden: untouched
}

TEST_F(LiveFrameTest, LightControlGoesToAKeyboardOnItsCableOnly)
{
    Connect(Keyboard, 15);
    device.EnableLiveLighting(0);
    EXPECT_FALSE(*bus.hub->LightControlTaken("keyboard"));
    device.EnableLiveLighting(1);
    ASSERT_TRUE(WaitForDeviceWork(device));
    EXPECT_TRUE(*bus.hub->LightControlTaken("keyboard"));

    CHalvorinUSBDevice mouse;
    Prepare(mouse, 0, 15, "mouse", Mouse);
    ASSERT_TRUE(bus.Connect(mouse.CommandLink(), "mouse", Mouse));
    mouse.EnableLiveLighting(1);
    ASSERT_TRUE(WaitForDeviceWork(mouse));
    commands = bus.TakeCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), kCmdTakeLightControl), 0);
    EXPECT_FALSE(*bus.hub->LightControlTaken("mouse"));
}

}  // namespace
}  // namespace q31::test

namespace q31::test {
namespace {

// An effect worker stepping while the UI thread paints and the lighting
// editor changes the settings: the records and settings are shared safely.
TEST(DeviceConcurrencyTest, EffectWorkerAndUiThreadShareTheLightState)
{
    CHalvorinUSBDevice device;
    device.SetLightCount(170);
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        while (!stop) {
            device.StepBreathingSpectrum();
            device.StepBlinkSpectrum();
            device.DecayKeyLight(3, 0);
            device.TriggerRingKeys();
            device.RotateRing(1);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        device.SetLightSettings(0x01000401 + DWORD(i % 3) * 0x100, 0x00FF0001, 0, 0);
        device.SetDevedOzirav(i % 170, DWORD(i));
        device.PaintLedPreview();
        device.ClearKeyLights();
    }
    stop = true;
    worker.join();
    // The last settings: brightness 5 (beyond the table: full), green.
    device.StepStatic();
    EXPECT_EQ(device.GetDevedOzirav(169), PackLightRecord({0, 255, 0, 255}));
}

}  // namespace
}  // namespace q31::test
