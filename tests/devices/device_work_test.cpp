// The device's work on its own thread, against the simulated keyboard: the
// page never waits on it, and what the user changed reaches the device or
// says that it did not.
#include "devices/halvorin_usb_device.h"

#include "protocol/command_codes.h"
#include "protocol/result_codes.h"
#include "tests/devices/device_test_support.h"
#include "ui/control_text.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>

namespace q31::test {
namespace {

using namespace std::chrono_literals;

constexpr std::uint16_t kSettingsAddress = 0;
constexpr std::uint16_t kLightsAddress = 8;

class DeviceWorkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = builder.Build(WritePageSkin(
            skin, QStringLiteral("<widget class=\"QWidget\" name=\"profile_area\"/>\n"
                                 "<widget class=\"QLabel\" name=\"device_status_line\"/>\n"
                                 "<widget class=\"QWidget\" name=\"device_picture\"/>\n")));
        ASSERT_TRUE(page);
        page->SetKindName(QStringLiteral("keyboard"));
        page->CreatePage();
        builder.host->show();
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "keyboard", Keyboard));
    }

    void AddFault(sim::FaultKind kind, int times)
    {
        sim::SimFault fault;
        fault.kind = kind;
        fault.times = times;
        fault.command = kCmdWriteParams;
        ASSERT_EQ(bus.hub->AddFault("keyboard", fault), "");
    }

    // Writes one byte of the settings memory, noting in order which writes ran.
    void Write(const std::string& key, std::uint16_t address, std::uint8_t value)
    {
        page->PostWrite(key, [this, address, value](CDeviceLink& link) {
            {
                std::lock_guard lock(mutex);
                written.push_back(value);
            }
            started = true;
            return link.WriteParams(&value, 1, address);
        });
    }

    std::uint8_t Stored(std::uint16_t address) const
    {
        return bus.hub->Dump("keyboard", sim::Region::Parameters)->at(address);
    }

    QLabel* StatusLine() const { return page->findChild<QLabel*>(QStringLiteral("device_status_line")); }
    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    SimBus bus;
    TempFolder skin;
    PageBuilder builder;
    CHalvorinUSBDevice* page = nullptr;
    std::mutex mutex;
    std::vector<int> written;
    std::atomic<bool> started{false};
};

TEST_F(DeviceWorkTest, WritesMadeWhileTheDeviceWasSilentArriveInOrderOrCoalesced)
{
    AddFault(sim::FaultKind::NoReply, 1);
    Write("settings", kSettingsAddress, 1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return started.load(); }, 5000));
    // The page goes on while the device is silent; these wait behind the first.
    Write("lights", kLightsAddress, 7);
    Write("settings", kSettingsAddress, 2);
    Write("settings", kSettingsAddress, 3);
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(written, (std::vector<int>{1, 7, 3}));
    EXPECT_EQ(Stored(kSettingsAddress), 3);
    EXPECT_EQ(Stored(kLightsAddress), 7);
}

TEST_F(DeviceWorkTest, AFailedWriteSaysSoUnderTheProfileBarUntilAWriteSucceeds)
{
    ASSERT_TRUE(StatusLine());
    EXPECT_TRUE(StatusLine()->isHidden());
    AddFault(sim::FaultKind::StatusFF, 1);
    Write("settings", kSettingsAddress, 5);
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(StatusLine()->isVisible());
    EXPECT_EQ(ui::TextId(StatusLine()), QStringLiteral("device_write_failed_text"));
    Write("settings", kSettingsAddress, 5);
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(StatusLine()->isHidden());
    EXPECT_EQ(Stored(kSettingsAddress), 5);
}

TEST_F(DeviceWorkTest, APageReadDisablesTheWriteControlsUntilItsResultArrives)
{
    QWidget* profileArea = page->findChild<QWidget*>(QStringLiteral("profile_area"));
    QWidget* picture = page->findChild<QWidget*>(QStringLiteral("device_picture"));
    std::atomic<bool> release{false};
    int answer = 0;
    page->ReadForPage<int>(
        [&release](const CStopEvent& cancel) {
            while (!release && !cancel.Wait(1))
                continue;
            return 42;
        },
        [&answer](int result) { answer = result; });
    EXPECT_TRUE(page->IsPageReadPending());
    EXPECT_FALSE(profileArea->isEnabled());
    EXPECT_TRUE(picture->isEnabled());
    release = true;
    ASSERT_TRUE(QTest::qWaitFor([&answer] { return answer == 42; }, 5000));
    EXPECT_TRUE(profileArea->isEnabled());
    EXPECT_FALSE(page->IsPageReadPending());
}

TEST_F(DeviceWorkTest, PageReadsDroppedUnrunGiveTheControlsBack)
{
    QWidget* profileArea = page->findChild<QWidget*>(QStringLiteral("profile_area"));
    std::atomic<bool> release{false};
    const auto holdTheWorker = [&] {
        page->RunOnDevice([&release](const CStopEvent& cancel) {
            while (!release && !cancel.Wait(1))
                continue;
        });
    };
    std::vector<int> answers;
    const auto read = [&](int value, const std::string& key) {
        page->ReadForPage<int>([value](const CStopEvent&) { return value; },
                               [&answers](int result) { answers.push_back(result); }, key);
    };

    // A newer read of the same kind supersedes the waiting one.
    holdTheWorker();
    read(1, "settings read");
    read(2, "settings read");
    read(3, "layout");
    EXPECT_FALSE(profileArea->isEnabled());
    release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return profileArea->isEnabled(); }, 5000));
    EXPECT_EQ(answers, (std::vector<int>{2, 3}));

    // Cancelled reads never answer, and the page is given back all the same.
    release = false;
    answers.clear();
    holdTheWorker();
    read(4, "settings read");
    read(5, "layout");
    EXPECT_FALSE(profileArea->isEnabled());
    page->CancelDeviceWork(QStringLiteral("reached another way"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return profileArea->isEnabled(); }, 5000));
    EXPECT_FALSE(page->IsPageReadPending());
    EXPECT_TRUE(answers.empty());
}

TEST_F(DeviceWorkTest, AnUnplugDuringABlockedExchangeFreesTheDeviceWithinASecond)
{
    AddFault(sim::FaultKind::NoReply, sim::SimFault::kAlways);
    Write("settings", kSettingsAddress, 1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return started.load(); }, 5000));
    Write("lights", kLightsAddress, 7);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(page->StopDeviceWork(QStringLiteral("unplugged")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(page->IsDeviceWorkIdle());
    std::lock_guard lock(mutex);
    EXPECT_EQ(written, std::vector<int>{1});  // the queued write was dropped
}

}  // namespace
}  // namespace q31::test
