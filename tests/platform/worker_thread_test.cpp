#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

TEST(WorkerThread, StopsWithinItsBoundedWait)
{
    CWorkerThread worker("loop");
    std::atomic<int> rounds = 0;
    ASSERT_TRUE(worker.Start([&](const CStopEvent& stop) {
        while (!stop.Wait(1))
            ++rounds;
    }));
    std::this_thread::sleep_for(20ms);
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_TRUE(worker.Stop(1000));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 500ms);
    EXPECT_GT(rounds.load(), 0);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, AWorkerThatOverrunsIsLeftToFinishNotKilled)
{
    auto finished = std::make_shared<std::atomic<bool>>(false);
    CWorkerThread worker("slow");
    worker.Start([finished](const CStopEvent& stop) {
        stop.Wait(10000);
        std::this_thread::sleep_for(150ms);  // ignores the stop for a while
        *finished = true;
    });
    EXPECT_FALSE(worker.Stop(20));
    EXPECT_FALSE(*finished);
    for (int i = 0; i < 100 && !*finished; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(*finished);
}

TEST(StopEvent, IsManualResetAndWakesEveryWaiter)
{
    CStopEvent event;
    EXPECT_FALSE(event.Wait(1));
    std::atomic<int> woken = 0;
    std::thread a([&] { if (event.Wait(5000)) ++woken; });
    std::thread b([&] { if (event.Wait(5000)) ++woken; });
    event.Set();
    a.join();
    b.join();
    EXPECT_EQ(woken, 2);
    EXPECT_TRUE(event.IsSet());
    event.Reset();
    EXPECT_FALSE(event.Wait(1));
}
