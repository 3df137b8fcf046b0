// The main window against the simulated devices, on the offscreen platform:
// what it shows after the first scan, and how it follows devices coming,
// switching between cable and receiver, and going.
#include "app/device_classes.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "app/sleep_watch.h"
#include "app/start_up.h"
#include "devices/halvorin_usb_device.h"
#include "platform/bus_endpoint.h"
#include "platform/named_mutex.h"
#include "platform/registry_settings.h"
#include "sim/sim_hub.h"
#include "tests/app/desktop_test.h"
#include "tests/common/event_counter.h"
#include "tests/common/sanitizer_limits.h"
#include "ui/container_ui.h"
#include "ui/control_factory.h"
#include "ui/menu_wnd.h"
#include "ui/option_ui.h"

#include <QAbstractButton>
#include <QLabel>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using q31::sim::Route;

constexpr int kKeyboardKind = 0;
constexpr int kMousePadKind = 2;
constexpr int kSettleMs = 3000;

// A device that asks the receiver whether it is reached, as the keyboard does,
// and counts the re-reads of its state.
class CReachableDevice : public CHalvorinUSBDevice {
public:
    using CHalvorinUSBDevice::CHalvorinUSBDevice;
    bool IsOnline() override
    {
        return m_commandLink.IsOpen() && m_commandLink.IsReceiverMode() && m_commandLink.QueryReceiverLink();
    }
    void SyncFromDevice() override { ++syncs; }
    void RefreshPower() override { ++powerRefreshes; }

    int syncs = 0;
    int powerRefreshes = 0;
};

// Counts the events of the given types that reach the objects it is installed on.
class CCountingFilter : public QObject {
public:
    CCountingFilter(int& count, std::initializer_list<QEvent::Type> types) : m_count(count), m_types(types) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (std::ranges::find(m_types, event->type()) != m_types.end())
            ++m_count;
        return false;
    }

private:
    int& m_count;
    std::vector<QEvent::Type> m_types;
};

class MainWindowTest : public q31::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        // Every page, those of the keyboard and mouse too, is the counting stand-in.
        for (const q31::app::DeviceClass& page : q31::app::DeviceClasses()) {
            CControlFactory::GetInstance().RegisterControlClass(
                QString::fromLatin1(page.className),
                [](QWidget* parent) -> QWidget* { return new CReachableDevice(parent); });
        }
    }

    // The window, once the first scan has shown it.
    CMainWnd& OpenWindow()
    {
        m_window = std::make_unique<CMainWnd>();
        EXPECT_TRUE(m_window->CreateMainWindow());
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_window->GetHWND()->isVisible(); }, kSettleMs));
        return *m_window;
    }

    CDeviceOptionUI* EntryOfKind(int kind) const
    {
        CHalvorinUSBDevice* device = m_window->DeviceOfKind(kind);
        for (CDeviceOptionUI* entry : m_window->SelectorEntries()) {
            if (entry->GetDevice() == device)
                return entry;
        }
        return nullptr;
    }

    template <class T = QWidget>
    T* Control(const char* name)
    {
        return m_window->GetPaintManager().FindControl<T>(QString::fromLatin1(name));
    }

    bool WaitFor(const std::function<bool()>& condition, int timeoutMs = kSettleMs)
    {
        return QTest::qWaitFor(condition, timeoutMs);
    }
};

TEST_F(MainWindowTest, WithoutDevicesItShowsTheNoDevicePanelOnTabZero)
{
    CMainWnd& window = OpenWindow();
    EXPECT_TRUE(window.GetHWND()->isVisible());
    ASSERT_TRUE(Control("No_device_Link"));
    EXPECT_TRUE(Control("No_device_Link")->isVisible());
    EXPECT_EQ(Control<CTabLayoutUI>("device_switch")->GetCurSel(), 0);
    EXPECT_EQ(Control<CTabLayoutUI>("device_power_switch")->GetCurSel(), 0);
    // The keyboard and the mouse exist from the start, hidden.
    ASSERT_EQ(window.SelectorEntries().size(), 2u);
    for (CDeviceOptionUI* entry : window.SelectorEntries())
        EXPECT_FALSE(entry->IsEntryVisible());
}

TEST_F(MainWindowTest, KeyboardMovesFromCableToReceiverWithoutLeavingTheSelector)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Cable).empty());
    CDeviceOptionUI* entry = EntryOfKind(kKeyboardKind);
    ASSERT_TRUE(entry);
    ASSERT_TRUE(WaitFor([&] { return entry->IsEntryVisible(); }));
    EXPECT_TRUE(entry->IsSelected());
    EXPECT_FALSE(Control("No_device_Link")->isVisible());
    EXPECT_EQ(Control<CTabLayoutUI>("device_switch")->currentWidget(), window.DeviceOfKind(kKeyboardKind));

    CDeviceLink& link = window.DeviceOfKind(kKeyboardKind)->CommandLink();
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Receiver).empty());
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard lock(window.Slots().mutex);
        return window.Slots().entries[2].connected != 0;
    }));
    QTest::qWait(200);
    EXPECT_FALSE(link.IsReceiverMode());
    EXPECT_TRUE(entry->IsEntryVisible());

    ASSERT_TRUE(m_hub->Unplug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return link.IsReceiverMode(); }));
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(link.ChunkSize(), 24);
    EXPECT_TRUE(entry->IsEntryVisible());
}

TEST_F(MainWindowTest, ReceiverDeviceThatStopsAnsweringIsHiddenAndComesBack)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Receiver).empty());
    CDeviceOptionUI* entry = EntryOfKind(kKeyboardKind);
    ASSERT_TRUE(WaitFor([&] { return entry->IsEntryVisible(); }));
    ASSERT_TRUE(m_hub->Unplug("keyboard", Route::Cable).empty());
    CDeviceLink& link = window.DeviceOfKind(kKeyboardKind)->CommandLink();
    ASSERT_TRUE(WaitFor([&] { return link.IsReceiverMode(); }));

    ASSERT_TRUE(m_hub->SetReachable("keyboard", false).empty());
    EXPECT_TRUE(WaitFor([&] { return !entry->IsEntryVisible(); }, 3500));
    EXPECT_TRUE(Control("No_device_Link")->isVisible());
    ASSERT_TRUE(m_hub->SetReachable("keyboard", true).empty());
    EXPECT_TRUE(WaitFor([&] { return entry->IsEntryVisible(); }, 3500));
}

TEST_F(MainWindowTest, MouseMovingToAnUnansweringReceiverKeepsTheWindowResponsive)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("mouse", Route::Cable).empty());
    ASSERT_TRUE(m_hub->Plug("mouse", Route::Receiver).empty());
    ASSERT_TRUE(WaitFor([&] { return EntryOfKind(1)->IsEntryVisible(); }));
    QTest::qWait(300);
    auto* mouse = static_cast<CReachableDevice*>(window.DeviceOfKind(1));
    ASSERT_TRUE(m_hub->SetReachable("mouse", false).empty());

    // The receiver is asked for well over a second; meanwhile the UI thread keeps ticking.
    QElapsedTimer clock;
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    clock.start();
    ticker.start(10);
    ASSERT_TRUE(m_hub->Unplug("mouse", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return mouse->CommandLink().IsReceiverMode(); }));
    const int refreshesBefore = mouse->powerRefreshes;
    QTest::qWait(1800);
    EXPECT_LT(longestGap, 500);
    EXPECT_GT(mouse->powerRefreshes, refreshesBefore);  // once the asking has ended
}

TEST_F(MainWindowTest, ADeviceThatComesBackKeepsItsObjectAndPage)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("mousepad", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return window.DeviceOfKind(kMousePadKind) != nullptr; }));
    CHalvorinUSBDevice* pad = window.DeviceOfKind(kMousePadKind);
    CDeviceOptionUI* entry = EntryOfKind(kMousePadKind);
    ASSERT_TRUE(WaitFor([&] { return entry->IsEntryVisible(); }));
    const std::size_t entries = window.SelectorEntries().size();

    ASSERT_TRUE(m_hub->Unplug("mousepad", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return !entry->IsEntryVisible(); }));
    EXPECT_FALSE(pad->CommandLink().IsOpen());
    EXPECT_TRUE(Control("No_device_Link")->isVisible());

    ASSERT_TRUE(m_hub->Plug("mousepad", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return entry->IsEntryVisible(); }));
    EXPECT_EQ(window.DeviceOfKind(kMousePadKind), pad);
    EXPECT_EQ(window.SelectorEntries().size(), entries);
    EXPECT_TRUE(pad->CommandLink().IsOpen());
}

TEST_F(MainWindowTest, NotificationInterfacesFollowTheDeviceAndAskForARead)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Cable).empty());
    auto* keyboard = static_cast<CReachableDevice*>(window.DeviceOfKind(kKeyboardKind));
    ASSERT_TRUE(WaitFor([&] { return keyboard->IsNotificationAttached(Keyboard); }));
    ASSERT_TRUE(WaitFor([&] { return EntryOfKind(kKeyboardKind)->IsEntryVisible(); }));

    // "Settings changed" from the keyboard: its state is read again half a second later.
    ASSERT_TRUE(m_hub->Notify("keyboard", 0x0401).empty());
    EXPECT_TRUE(WaitFor([&] { return keyboard->syncs == 1; }));
    ASSERT_TRUE(m_hub->Notify("keyboard", 0x0402).empty());
    QTest::qWait(700);
    EXPECT_EQ(keyboard->syncs, 1);

    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Receiver).empty());
    EXPECT_TRUE(WaitFor([&] { return keyboard->IsNotificationAttached(KeyboardReceiver); }));
    ASSERT_TRUE(m_hub->Unplug("keyboard", Route::Cable).empty());
    EXPECT_TRUE(WaitFor([&] { return !keyboard->IsNotificationAttached(Keyboard); }));
    EXPECT_TRUE(keyboard->IsNotificationAttached(KeyboardReceiver));
    // The cable's next arrival opens its interface again.
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Cable).empty());
    EXPECT_TRUE(WaitFor([&] { return keyboard->IsNotificationAttached(Keyboard); }));
}

TEST_F(MainWindowTest, LightChangesReachTheDeviceQuicklyAndStillLightsAreNotResent)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("mouse", Route::Cable).empty());
    CHalvorinUSBDevice* mouse = window.DeviceOfKind(1);
    ASSERT_TRUE(WaitFor([&] { return EntryOfKind(1)->IsEntryVisible(); }));
    QTest::qWait(1200);  // long past the first frame: the preview has slowed down

    const auto frameStarts = [this] {
        int starts = 0;
        for (const q31::sim::TrafficEntry& entry : m_hub->Log().Entries()) {
            // A frame's first report: the light stream command at offset 0.
            if (entry.direction == q31::sim::Direction::ToDevice && entry.bytes.size() > 6 && entry.bytes[3] == 0x12 &&
                entry.bytes[5] == 0 && entry.bytes[6] == 0)
                ++starts;
        }
        return starts;
    };
    m_hub->Log().Clear();
    QTest::qWait(1500);
    EXPECT_LE(frameStarts(), 2);  // only the once-a-second repeat

    mouse->SetDevedOzirav(0, 0xFF0000FF);  // full red
    EXPECT_TRUE(WaitFor([&] { return (*m_hub->Dump("mouse", q31::sim::Region::LightFrame))[0] == 254; }, 400));
}

TEST_F(MainWindowTest, CloseKeepsRunningAndASecondStartBringsTheWindowBack)
{
    Q31_SKIP_WHEN_CHILDREN_CONFUSE_THE_THREAD_CHECKER();
    CMainWnd& window = OpenWindow();
    CNamedMutex running(QStringLiteral("Q-31"));
    ASSERT_TRUE(running.IsOwned());
    QWidget* host = window.GetHWND();
    Control<QAbstractButton>("closebtn")->click();
    const auto away = [host] { return !host->isVisible() || host->isMinimized(); };
    EXPECT_TRUE(away());
    EXPECT_EQ(window.GetHWND(), host);

    QProcess second;
    second.start(QStringLiteral(Q31_PROGRAM));
    ASSERT_TRUE(second.waitForStarted());
    EXPECT_TRUE(WaitFor([&] { return !away(); }, 10000));
    // The hand-over may have ended the second process while the window came up.
    ASSERT_TRUE(second.state() == QProcess::NotRunning || second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
}

TEST_F(MainWindowTest, LanguageSwitchShowsTheNewTextsAndIsRemembered)
{
    CMainWnd& window = OpenWindow();
    auto* text = Control<QLabel>("no_device_text");
    ASSERT_TRUE(text);
    EXPECT_EQ(window.GetLanguageIndex(), 0);
    const QString english = text->text();
    SendMessageTo(window, CMainWnd::kLanguageChanged, 1, 0);
    EXPECT_EQ(window.GetLanguageIndex(), 1);
    EXPECT_NE(text->text(), english);
    EXPECT_EQ(q31::ReadLanguageSetting(), std::optional<DWORD>(2052));
    SendMessageTo(window, CMainWnd::kLanguageChanged, 0, 0);
    EXPECT_EQ(text->text(), english);
    EXPECT_EQ(q31::ReadLanguageSetting(), std::optional<DWORD>(1033));
}

TEST_F(MainWindowTest, LightingSwitchReachesEveryDeviceAndOtherPrograms)
{
    CMainWnd& window = OpenWindow();
    EXPECT_TRUE(window.IsLightingControlled());
    Control<QAbstractButton>("control_light_status")->click();
    EXPECT_FALSE(window.IsLightingControlled());
    for (int kind : {0, 1})
        EXPECT_EQ(window.DeviceOfKind(kind)->IsLiveLightingEnabled(), 0);
    // Another program asks for it back.
    SendMessageTo(window, g_msgLightRequest, 1, 1);
    EXPECT_TRUE(window.IsLightingControlled());
    for (int kind : {0, 1})
        EXPECT_EQ(window.DeviceOfKind(kind)->IsLiveLightingEnabled(), 1);
}

TEST_F(MainWindowTest, PreviousAndNextSkipHiddenDevices)
{
    CMainWnd& window = OpenWindow();
    for (const char* device : {"mouse", "keyboard", "mousepad"})
        ASSERT_TRUE(m_hub->Plug(device, Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return window.SelectorEntries().size() == 3 && EntryOfKind(kMousePadKind)->IsEntryVisible(); }));
    ASSERT_TRUE(m_hub->Unplug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return !EntryOfKind(kKeyboardKind)->IsEntryVisible(); }));
    CDeviceOptionUI* mouse = EntryOfKind(1);
    CDeviceOptionUI* pad = EntryOfKind(kMousePadKind);
    mouse->SelectOption()->click();
    ASSERT_TRUE(mouse->IsSelected());

    Control<QAbstractButton>("device_select_next")->click();
    EXPECT_TRUE(pad->IsSelected());
    EXPECT_FALSE(mouse->IsSelected());
    EXPECT_EQ(Control<CTabLayoutUI>("device_switch")->currentWidget(), window.DeviceOfKind(kMousePadKind));
    Control<QAbstractButton>("device_select_next")->click();
    EXPECT_TRUE(pad->IsSelected());
    Control<QAbstractButton>("device_select_prev")->click();
    EXPECT_TRUE(mouse->IsSelected());
    // Clicking the device on show keeps it on show.
    mouse->SelectOption()->click();
    EXPECT_TRUE(mouse->IsSelected());
}

TEST_F(MainWindowTest, SelectorArrowsShowOnlyWhenTheEntriesOverflow)
{
    CMainWnd& window = OpenWindow();
    for (const char* device : {"mouse", "keyboard"})
        ASSERT_TRUE(m_hub->Plug(device, Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return EntryOfKind(kKeyboardKind)->IsEntryVisible() && EntryOfKind(1)->IsEntryVisible(); }));
    QTest::qWait(50);
    EXPECT_TRUE(Control("device_select_prev")->isHidden());
    EXPECT_TRUE(Control("device_select_next")->isHidden());

    // Entries far wider than the screen.
    for (CDeviceOptionUI* entry : window.SelectorEntries())
        entry->setMinimumWidth(window.GetHWND()->screen()->availableGeometry().width());
    EXPECT_TRUE(WaitFor([&] { return !Control("device_select_prev")->isHidden(); }));
    EXPECT_FALSE(Control("device_select_next")->isHidden());
    for (CDeviceOptionUI* entry : window.SelectorEntries())
        entry->setMinimumWidth(0);
    EXPECT_TRUE(WaitFor([&] { return Control("device_select_prev")->isHidden(); }));
}

TEST_F(MainWindowTest, SelectorArrowsSettleWhenFourEntriesJustOverflow)
{
    CMainWnd& window = OpenWindow();
    for (const char* device : {"mouse", "keyboard", "mousepad", "headset"})
        ASSERT_TRUE(m_hub->Plug(device, Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] {
        return std::ranges::count_if(window.SelectorEntries(), [](auto* entry) { return entry->IsEntryVisible(); }) == 4;
    }));
    QTest::qWait(200);
    int changes = 0;
    const auto watch = std::make_unique<CCountingFilter>(changes, std::initializer_list<QEvent::Type>{QEvent::Show, QEvent::Hide});
    Control("device_select_prev")->installEventFilter(watch.get());
    QTest::qWait(300);
    EXPECT_EQ(changes, 0);
}

TEST_F(MainWindowTest, BringingTheWindowToTheFrontDoesNotHideItOnTheWay)
{
    CMainWnd& window = OpenWindow();
    q31::test::EventCounter hides(QEvent::Hide);
    window.GetHWND()->installEventFilter(&hides);
    SendMessageTo(window, g_msgInstance, 0, 1);
    QTest::qWait(50);
    EXPECT_EQ(hides.Count(), 0);
    EXPECT_TRUE(window.GetHWND()->isVisible());
    window.GetHWND()->removeEventFilter(&hides);
}

TEST_F(MainWindowTest, AsleepOnlyDiscoveryAndTheTrayAreHeardAndExitStillWorks)
{
    CMainWnd& window = OpenWindow();
    auto* sleepWatch = window.GetHWND()->findChild<CSleepWatch*>();
    ASSERT_TRUE(sleepWatch);
    ASSERT_TRUE(QMetaObject::invokeMethod(sleepWatch, "OnPrepareForSleep", Q_ARG(bool, true)));
    SendMessageTo(window, g_msgLightRequest, 1, 0);
    EXPECT_TRUE(window.IsLightingControlled());  // not heard while asleep

    MenuCmd exit;
    exit.szName = QStringLiteral("exit");
    SendMessageTo(window, CMenuWnd::kMenuCommand, reinterpret_cast<WPARAM>(&exit), 0);
    EXPECT_TRUE(WaitFor([&] { return window.GetHWND() == nullptr; }));
}

TEST_F(MainWindowTest, DeviceQueryAnswersZovuDoraWithTheDeviceTable)
{
    CMainWnd& window = OpenWindow();
    QByteArray table;
    std::uint64_t kind = 0;
    q31::bus::CBusEndpoint zovuDora([&](const q31::bus::BusDelivery& delivery) -> LRESULT {
        kind = delivery.dwData;
        table = delivery.data;
        return 1;
    });
    ASSERT_TRUE(zovuDora.Open(QStringLiteral("ZovuDoraWnd"), QStringLiteral("ZovuDora")));
    SendMessageTo(window, g_msgDeviceQuery, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !table.isEmpty(); }));
    EXPECT_EQ(kind, 5u);
    ASSERT_EQ(table.size(), 1024);
    const auto* words = reinterpret_cast<const std::uint32_t*>(table.constData());
    EXPECT_EQ((std::vector<std::uint32_t>(words, words + 8)), (std::vector<std::uint32_t>{2, 3, 0, 2, 4, 0x3A9D, 0x6C01, 2}));
    EXPECT_EQ(words[14], 0x0C76u);
    EXPECT_EQ(words[15], 0x1630u);
    EXPECT_EQ(words[16], 7u);
    EXPECT_EQ(words[17], 0u);
}

TEST_F(MainWindowTest, KeyboardAndMouseExistFromTheStartUnderTheirKinds)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(window.DeviceOfKind(kKindMouse));
    ASSERT_TRUE(window.DeviceOfKind(kKindKeyboard));
    EXPECT_EQ(window.DeviceOfKind(kKindMouse)->GetKindName(), QStringLiteral("mouse"));
    EXPECT_EQ(window.DeviceOfKind(kKindKeyboard)->GetKindName(), QStringLiteral("keyboard"));
    EXPECT_FALSE(window.DeviceOfKind(kKindMousePad));
    EXPECT_FALSE(window.DeviceOfKind(kKindHeadset));
    // The selector lists them in the order of the device option table: the mouse first.
    ASSERT_EQ(window.SelectorEntries().size(), 2u);
    EXPECT_EQ(window.SelectorEntries()[0]->GetDevice(), window.DeviceOfKind(kKindMouse));
    EXPECT_EQ(window.SelectorEntries()[1]->GetDevice(), window.DeviceOfKind(kKindKeyboard));
}

TEST_F(MainWindowTest, AnOwnerJoiningFromOutsideGetsOnlyTheNotificationsOfItsControls)
{
    CMainWnd& window = OpenWindow();
    QStringList heard;
    ASSERT_TRUE(window.NotifyOwners().Register(q31::app::NotifyOwner::ShootingData, [&](TNotifyUI& msg) {
        heard << msg.sType + QLatin1Char(' ') + msg.pSender->objectName();
    }));
    EXPECT_FALSE(window.NotifyOwners().Register(q31::app::NotifyOwner::MainWindow, [](TNotifyUI&) {}));
    // The settings window, the profile bar and the headset's sound have joined already.
    EXPECT_FALSE(window.NotifyOwners().Register(q31::app::NotifyOwner::Settings, [](TNotifyUI&) {}));
    EXPECT_FALSE(window.NotifyOwners().Register(q31::app::NotifyOwner::HeadsetSound, [](TNotifyUI&) {}));
    EXPECT_FALSE(window.NotifyOwners().Register(q31::app::NotifyOwner::ProfileOperations, [](TNotifyUI&) {}));

    QWidget saveButton(window.GetHWND());
    saveButton.setObjectName(QStringLiteral("bullet_count_edit"));
    window.GetPaintManager().SendNotify(&saveButton, QStringLiteral("click"));
    // The window's own controls still work and stay its own.
    Control<QAbstractButton>("control_light_status")->click();
    EXPECT_FALSE(window.IsLightingControlled());
    EXPECT_EQ(heard, QStringList{QStringLiteral("click bullet_count_edit")});
    EXPECT_TRUE(window.GetHWND()->isVisible());
}

TEST_F(MainWindowTest, FunctionTabsChooseThePanelOfTheDeviceOnShow)
{
    CMainWnd& window = OpenWindow();
    ASSERT_TRUE(m_hub->Plug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(WaitFor([&] { return EntryOfKind(kKindKeyboard)->IsSelected(); }));
    QWidget tab(window.GetHWND());
    tab.setObjectName(QStringLiteral("macro_Op_tab"));
    window.GetPaintManager().SendNotify(&tab, QStringLiteral("selectchanged"), 0);
    EXPECT_NE(window.DeviceOfKind(kKindKeyboard)->GetFunctionPanel(), 3);
    window.GetPaintManager().SendNotify(&tab, QStringLiteral("selectchanged"), 1);
    EXPECT_EQ(window.DeviceOfKind(kKindKeyboard)->GetFunctionPanel(), 3);
}

TEST_F(MainWindowTest, OwnersTimersAndMessagesReachOnlyTheirOwners)
{
    CMainWnd& window = OpenWindow();
    q31::app::CNotifyOwners& owners = window.NotifyOwners();
    int restores = 0;
    // The profile bar has the switch timer already.
    EXPECT_FALSE(owners.RegisterTimer(CMainWnd::kTimerProfileSwitch, [] {}));
    EXPECT_FALSE(owners.StartTimer(CMainWnd::kTimerGameEffectRestore, 10));
    ASSERT_TRUE(owners.RegisterTimer(CMainWnd::kTimerGameEffectRestore, [&] { ++restores; }));
    ASSERT_TRUE(owners.StartTimer(CMainWnd::kTimerGameEffectRestore, 10));
    EXPECT_TRUE(WaitFor([&] { return restores == 1; }, 1000));
    // The window stops the timer before its owner runs: it fires once.
    QTest::qWait(200);
    EXPECT_EQ(restores, 1);

    std::vector<WPARAM> notices;
    owners.RegisterMessage(CMainWnd::kUpdateNoticeSeen, [&](WPARAM wParam, LPARAM) { notices.push_back(wParam); });
    SendMessageTo(window, CMainWnd::kUpdateNoticeSeen, 7, 0);
    SendMessageTo(window, CMainWnd::kShowSettingProgress, 8, 0);
    EXPECT_EQ(notices, std::vector<WPARAM>{7});
}

}  // namespace
