#include "hid/device_discovery.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>

#include <chrono>

#include "platform/worker_thread.h"
#include "tests/hid/fake_backend.h"
#include "tests/hid/test_descriptors.h"

using q31::hid::CDeviceDiscovery;
using q31::hid::DeviceSlots;
using q31::test::FakeBackend;

namespace {

constexpr UINT kFirstPassMessage = 0xC123;

struct Message {
    UINT id;
    WPARAM slot;
    bool operator==(const Message&) const = default;
};

// Stands in for the main window: records what discovery tells it, and checks
// that the slot is already in the state the message announces.
class Window : public IMessageReceiver {
public:
    explicit Window(const DeviceSlots& slotTable) : m_slots(slotTable) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == UM_DEVICE_ARRIVAL) {
            EXPECT_TRUE(m_slots.entries.at(wParam).connected);
        }
        if (message == UM_DEVICE_REMOVAL) {
            EXPECT_TRUE(m_slots.entries.at(wParam).devicePath.empty());
        }
        messages.push_back({message, wParam});
        return 0;
    }
    QObject* MessageContext() override { return &m_context; }

    std::vector<Message> Take()
    {
        QCoreApplication::processEvents();
        return std::exchange(messages, {});
    }

    std::vector<Message> messages;

private:
    const DeviceSlots& m_slots;
    QObject m_context;
};

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override { q31::hid::SetHidBackend(m_backend); }
    void TearDown() override { q31::hid::SetHidBackend(nullptr); }

    void AddAll(const std::vector<q31::hid::HidInterfaceInfo>& interfaces)
    {
        for (const auto& info : interfaces)
            m_backend->Add(info);
    }
    void RemoveAll(const std::vector<q31::hid::HidInterfaceInfo>& interfaces)
    {
        for (const auto& info : interfaces)
            m_backend->Remove(info.path);
    }

    std::shared_ptr<FakeBackend> m_backend = std::make_shared<FakeBackend>();
    DeviceSlots m_slots;
    Window m_window{m_slots};
    CDeviceDiscovery m_discovery{m_slots, m_window, kFirstPassMessage};
};

const Message Arrival(WPARAM slot) { return {UM_DEVICE_ARRIVAL, slot}; }
const Message Removal(WPARAM slot) { return {UM_DEVICE_REMOVAL, slot}; }
const Message FirstPass{kFirstPassMessage, 0};

TEST_F(DiscoveryTest, ClaimsCatalogueInterfacesAndAnnouncesTheFirstPassOnce)
{
    AddAll(q31::test::MakeMakerInterfaces(0x6B01));
    m_backend->Add(q31::test::MakeHeadsetInterface());
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(1), Arrival(0), Arrival(10), FirstPass}));
    EXPECT_EQ(m_slots.entries[0].devicePath, q31::test::MakeMakerInterfaces(0x6B01)[3].path);

    // Interfaces outside the catalogue (col01, col02) are never opened.
    EXPECT_EQ(m_backend->Opens(), 3);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_TRUE(m_window.Take().empty());
}

TEST_F(DiscoveryTest, NoDevicesStillEndsTheFirstPass)
{
    ASSERT_TRUE(m_discovery.RunPass());
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), std::vector<Message>{FirstPass});
}

TEST_F(DiscoveryTest, WrongUsagePageIsNotClaimed)
{
    std::vector<std::uint8_t> descriptor = q31::test::kKeyboardInterfaceDescriptor;
    const std::uint8_t vendorPage[] = {0x06, 0x1C, 0xFF};
    auto page = std::search(descriptor.begin(), descriptor.end(), std::begin(vendorPage), std::end(vendorPage));
    ASSERT_NE(page, descriptor.end());
    page[1] = 0x1D;
    m_backend->Add(q31::test::MakeInterface(0x3A9D, 0x6B01, 1, 3, 0x000C, 0x01, descriptor));
    m_backend->Add(q31::test::MakeInterface(0x3A9D, 0x6B01, 1, 4, 0xFF1D, 0x92, descriptor));
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(1), FirstPass}));
    EXPECT_FALSE(m_slots.entries[0].connected);
}

TEST_F(DiscoveryTest, SecondDeviceOfTheSameProductIsIgnored)
{
    AddAll(q31::test::MakeMakerInterfaces(0x6C01, "1"));
    AddAll(q31::test::MakeMakerInterfaces(0x6C01, "2"));
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(5), Arrival(4), FirstPass}));
    EXPECT_EQ(m_slots.entries[4].devicePath, q31::test::MakeMakerInterfaces(0x6C01, "1")[3].path);
}

TEST_F(DiscoveryTest, ArrivalRemovalAndArrivalAgainOfTheSameSlot)
{
    const auto pad = q31::test::MakeMakerInterfaces(0x6D01, "1");
    AddAll(pad);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(9), Arrival(8), FirstPass}));

    RemoveAll(pad);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Removal(8), Removal(9)}));
    EXPECT_FALSE(m_slots.entries[8].connected);

    const auto again = q31::test::MakeMakerInterfaces(0x6D01, "2");
    AddAll(again);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(9), Arrival(8)}));
    EXPECT_EQ(m_slots.entries[8].devicePath, again[3].path);
}

class MonitoredDiscoveryTest : public DiscoveryTest {
protected:
    void SetUp() override
    {
        m_backend = std::make_shared<FakeBackend>(true);
        DiscoveryTest::SetUp();
    }
};

TEST_F(MonitoredDiscoveryTest, NothingIsEnumeratedWhileNothingChanges)
{
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_backend->Enumerations(), 1);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_backend->Enumerations(), 1);

    m_backend->Add(q31::test::MakeHeadsetInterface());
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_backend->Enumerations(), 2);
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(10), FirstPass}));  // the post is queued
}

TEST_F(MonitoredDiscoveryTest, ReplugBetweenTwoPassesIsSeen)
{
    AddAll(q31::test::MakeMakerInterfaces(0x6B01, "1"));
    ASSERT_TRUE(m_discovery.RunPass());
    m_window.Take();

    // Both changes fall into one monitor wake-up: the first pass frees the
    // slots, the next one claims them again although nothing new happened.
    RemoveAll(q31::test::MakeMakerInterfaces(0x6B01, "1"));
    AddAll(q31::test::MakeMakerInterfaces(0x6B01, "2"));
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Removal(0), Removal(1)}));
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), (std::vector<Message>{Arrival(1), Arrival(0)}));
}

TEST_F(MonitoredDiscoveryTest, InterfaceThatCannotBeOpenedYetIsTriedAgain)
{
    const auto headset = q31::test::MakeHeadsetInterface();
    m_backend->SetPermissionDenied(headset.path, true);
    m_backend->Add(headset);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), std::vector<Message>{FirstPass});

    m_backend->SetPermissionDenied(headset.path, false);  // access rights arrive late
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_window.Take(), std::vector<Message>{Arrival(10)});
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_backend->Enumerations(), 2);
}

TEST_F(DiscoveryTest, ThreadReportsToTheUiThreadAndStopsOnRequest)
{
    m_backend->Add(q31::test::MakeHeadsetInterface());
    CWorkerThread thread("discovery");
    ASSERT_TRUE(thread.Start([this](const CStopEvent& stop) { m_discovery.Run(stop); }));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (m_window.messages.size() < 2 && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(m_window.messages, (std::vector<Message>{Arrival(10), FirstPass}));
    EXPECT_TRUE(thread.Stop(1000));
}

}  // namespace
