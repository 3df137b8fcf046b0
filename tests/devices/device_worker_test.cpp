#include "devices/device_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace q31::devices {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// What the jobs did, in the order they did it.
class Record {
public:
    CDeviceWorker::Job Note(int value)
    {
        return [this, value](const CStopEvent&) {
            std::lock_guard lock(m_mutex);
            m_values.push_back(value);
        };
    }
    std::vector<int> Values()
    {
        std::lock_guard lock(m_mutex);
        return m_values;
    }

private:
    std::mutex m_mutex;
    std::vector<int> m_values;
};

// A job that holds the worker until released, as a device that does not answer would.
class Gate {
public:
    CDeviceWorker::Job Hold()
    {
        return [this](const CStopEvent& cancel) {
            m_entered = true;
            while (!m_open && !cancel.Wait(1))
                continue;
        };
    }
    bool WaitEntered() { return WaitUntil([this] { return m_entered.load(); }); }
    void Open() { m_open = true; }

private:
    std::atomic<bool> m_entered{false};
    std::atomic<bool> m_open{false};
};

TEST(DeviceWorkerTest, JobsRunInOrderAndANewerKeyedJobSupersedesAQueuedOne)
{
    Record record;
    Gate gate;
    CDeviceWorker worker("test", {});
    worker.Post(gate.Hold());
    ASSERT_TRUE(gate.WaitEntered());
    worker.Post(record.Note(1), "settings");
    worker.Post(record.Note(2), "lights");
    worker.Post(record.Note(3));
    worker.Post(record.Note(4), "settings");
    worker.Post(record.Note(5), "settings");
    EXPECT_FALSE(worker.IsIdle());
    gate.Open();
    ASSERT_TRUE(WaitUntil([&] { return worker.IsIdle(); }));
    // The latest of each key, after what was queued before it.
    EXPECT_EQ(record.Values(), (std::vector<int>{2, 3, 5}));
    // A key whose job already ran is not held back by it.
    worker.Post(record.Note(6), "settings");
    ASSERT_TRUE(WaitUntil([&] { return worker.IsIdle(); }));
    EXPECT_EQ(record.Values().back(), 6);
}

TEST(DeviceWorkerTest, CancelDropsTheQueueAndEndsTheRunningJobsWait)
{
    Record record;
    Gate gate;
    CDeviceWorker worker("test", {});
    worker.Post(gate.Hold());
    ASSERT_TRUE(gate.WaitEntered());
    worker.Post(record.Note(1));
    worker.Cancel(QStringLiteral("test"));
    ASSERT_TRUE(WaitUntil([&] { return worker.IsIdle(); }));
    EXPECT_TRUE(record.Values().empty());
    // The worker goes on with what comes after.
    worker.Post(record.Note(2));
    ASSERT_TRUE(WaitUntil([&] { return worker.IsIdle(); }));
    EXPECT_EQ(record.Values(), std::vector<int>{2});
}

TEST(DeviceWorkerTest, StopAbortsABlockedJobAndEndsWithinItsWait)
{
    // A job blocked where only the abort reaches it, as a read on an interface is.
    CStopEvent interfaceClosed;
    std::atomic<bool> blocked{false};
    Record record;
    CDeviceWorker worker("test", [&interfaceClosed] { interfaceClosed.Set(); });
    worker.Post([&](const CStopEvent&) {
        blocked = true;
        interfaceClosed.Wait(60000);
    });
    ASSERT_TRUE(WaitUntil([&] { return blocked.load(); }));
    worker.Post(record.Note(1));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(worker.Stop(QStringLiteral("unplugged"), 1000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(record.Values().empty());
    // Posting again starts a new thread.
    interfaceClosed.Reset();
    worker.Post(record.Note(2));
    ASSERT_TRUE(WaitUntil([&] { return worker.IsIdle(); }));
    EXPECT_EQ(record.Values(), std::vector<int>{2});
}

TEST(DeviceWorkerTest, DestructionWaitsForTheRunningJob)
{
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    {
        CDeviceWorker worker("test", {});
        worker.Post([&](const CStopEvent&) {
            started = true;
            std::this_thread::sleep_for(50ms);
            finished = true;
        });
        ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
    }
    EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace q31::devices
