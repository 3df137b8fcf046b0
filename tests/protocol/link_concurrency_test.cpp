// Several threads on one link: every exchange keeps its own reply, and the
// light stream gives way to commands.
#include "tests/protocol/link_test_support.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "hid/hid_catalogue.h"
#include "protocol/command_codes.h"
#include "protocol/link_attach.h"
#include "protocol/result_codes.h"

namespace q31::test {
namespace {

using LinkConcurrencyTest = SimLinkTest;

// Busy-waits, so that a change made on another core is seen within
// nanoseconds, but lets a thread that shares this core run after a while.
template <typename Condition>
void SpinUntil(Condition done)
{
    constexpr int kSpinsBeforeYielding = 20000;
    for (int spins = 0; !done(); ++spins) {
        if (spins >= kSpinsBeforeYielding)
            std::this_thread::yield();
    }
}

TEST_F(LinkConcurrencyTest, ConcurrentCommandsNeverTakeEachOthersReplies)
{
    CDeviceLink link;
    Connect(link, "mouse", Mouse);
    constexpr int kRounds = 40;
    std::atomic<int> failures{0};
    std::atomic<bool> streaming{true};

    const auto paramsWorker = [&](std::uint16_t base, std::uint8_t seed) {
        for (int round = 0; round < kRounds; ++round) {
            const auto data = Pattern(71, static_cast<std::uint8_t>(seed + round));
            std::vector<std::uint8_t> back(data.size());
            if (link.WriteParams(data.data(), data.size(), base) != kResultSuccess ||
                link.ReadParams(back.data(), back.size(), base) != kResultSuccess || back != data)
                ++failures;
        }
    };
    std::vector<std::thread> threads;
    threads.emplace_back(paramsWorker, 0, 1);
    threads.emplace_back(paramsWorker, 128, 2);
    threads.emplace_back([&] {
        for (int round = 0; round < kRounds; ++round) {
            const auto shoot = Pattern(100, static_cast<std::uint8_t>(round));
            std::array<std::uint8_t, 34> info{};
            if (link.WriteShootData(shoot.data(), shoot.size()) != kResultSuccess ||
                link.ReadDeviceInfo(info) != kResultSuccess || info[5] == 0)
                ++failures;
        }
    });
    threads.emplace_back([&] {
        const auto frame = Pattern(45, 5);
        while (streaming)
            if (link.StreamLights(frame.data(), frame.size()) != kResultSuccess)
                ++failures;
    });
    for (std::size_t i = 0; i + 1 < threads.size(); ++i)
        threads[i].join();
    streaming = false;
    threads.back().join();
    EXPECT_EQ(failures, 0);
    EXPECT_FALSE(link.IsBusy());
}

TEST_F(LinkConcurrencyTest, TheLightStreamSendsNothingWhileACommandWaitsForItsReply)
{
    CDeviceLink link;
    Connect(link, "mouse", Mouse);
    sim::SimFault slow;
    slow.kind = sim::FaultKind::DelayedReply;
    slow.delayMs = 300;
    slow.command = kCmdBeginConfig;
    ASSERT_EQ(hub->AddFault("mouse", slow), "");

    DebugCapture capture;
    std::atomic<int> beginResult{0};
    std::thread command([&] { beginResult = link.BeginConfig(); });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!link.IsBusy() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(link.IsBusy());
    const auto frame = Pattern(45, 1);
    EXPECT_EQ(link.StreamLights(frame.data(), frame.size()), kResultSuccess);
    command.join();
    EXPECT_EQ(beginResult, kResultSuccess);

    const auto requests = TakeRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0][kCommandByte], kCmdBeginConfig);
    EXPECT_TRUE(capture.Lines().contains(QStringLiteral("放弃灯光数据")));
}

TEST_F(LinkConcurrencyTest, ACommandThatWaitedOutASwitchGoesToTheNewInterface)
{
    CDeviceLink link;
    Connect(link, "keyboard", Keyboard);
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Receiver), "");
    const std::string receiverPath = InterfacePath(*hub, KeyboardReceiver, kChannelCommand);
    std::atomic<int> result{0};
    std::thread command;
    {
        // The switch holds the I/O lock throughout, as the main window's does.
        std::lock_guard io(link.IoLock());
        command = std::thread([&] { result = link.BeginConfig(); });
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!link.IsBusy() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // on to the I/O lock
        link.SetOpen(false);
        link.CableInterface().Close();
        EXPECT_TRUE(AttachCommandInterface(link, receiverPath, KeyboardReceiver));
    }
    command.join();
    EXPECT_EQ(result, kResultSuccess);
}

TEST_F(LinkConcurrencyTest, WhoeverSeesALinkOpenSeesTheModeItWasOpenedWith)
{
    // Marking the link open and setting its mode lie a few instructions apart,
    // so a watcher on another core catches the gap only now and then: the link
    // is attached many times over, with the watcher spinning on each attach.
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Receiver), "");
    const std::string path = InterfacePath(*hub, KeyboardReceiver, kChannelCommand);
    ASSERT_FALSE(path.empty());
    constexpr int kAttempts = 20000;
    CDeviceLink link;
    std::atomic<int> armed{0};
    std::atomic<int> watching{0};
    std::atomic<int> checked{0};
    std::atomic<bool> stop{false};
    int oldModeSeen = 0;
    std::thread watcher([&] {
        for (int attempt = 1; attempt <= kAttempts && !stop; ++attempt) {
            SpinUntil([&] { return armed >= attempt || stop; });
            watching = attempt;
            SpinUntil([&] { return link.IsOpen() || stop; });
            if (!link.IsReceiverMode())
                ++oldModeSeen;
            checked = attempt;
        }
    });
    int attached = 0;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        DetachCommandInterfaces(link);
        link.SetMode(CDeviceLink::kModeCable);
        armed = attempt;
        SpinUntil([&] { return watching >= attempt; });
        if (!AttachCommandInterface(link, path, KeyboardReceiver))
            break;
        ++attached;
        SpinUntil([&] { return checked >= attempt; });
    }
    stop = true;
    watcher.join();
    EXPECT_EQ(attached, kAttempts);
    EXPECT_EQ(oldModeSeen, 0);
}

}  // namespace
}  // namespace q31::test
