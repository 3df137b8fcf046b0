#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

bool EndsWithin(const CWorkerThread& worker, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (worker.IsRunning() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    return !worker.IsRunning();
}

}  // namespace

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

TEST(WorkerThread, StartRefusesWhileAWorkerThatOverranItsStopStillRuns)
{
    struct Bodies {
        std::atomic<int> alive = 0;
        std::atomic<bool> overlapped = false;
    };
    auto bodies = std::make_shared<Bodies>();
    const auto body = [bodies](const CStopEvent& stop) {
        if (++bodies->alive > 1)
            bodies->overlapped = true;
        stop.Wait(10000);
        std::this_thread::sleep_for(150ms);  // ignores the stop for a while
        --bodies->alive;
    };
    CWorkerThread worker("slow");
    ASSERT_TRUE(worker.Start(body));
    EXPECT_FALSE(worker.Stop(20));
    EXPECT_FALSE(worker.Start(body));
    EXPECT_TRUE(worker.IsRunning());
    ASSERT_TRUE(EndsWithin(worker, 2s));
    EXPECT_TRUE(worker.Start(body));
    EXPECT_TRUE(worker.Stop(2000));
    EXPECT_FALSE(bodies->overlapped);
}

// A body blocked where its stop event cannot reach it, as in a read without timeout.
struct BlockedBody {
    std::shared_ptr<CStopEvent> released = std::make_shared<CStopEvent>();
    void operator()(const CStopEvent&) const { released->Wait(10000); }
};

TEST(WorkerThread, StopAbortsWhatTheBodyIsBlockedInAfterSettingTheStopEvent)
{
    CWorkerThread worker("reader");
    const BlockedBody body;
    bool stopWasSet = false;
    ASSERT_TRUE(worker.Start(body, [&] {
        stopWasSet = worker.StopEvent().IsSet();
        body.released->Set();
    }));
    EXPECT_TRUE(worker.Stop(2000));
    EXPECT_TRUE(stopWasSet);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, RequestStopAbortsToo)
{
    CWorkerThread worker("reader");
    const BlockedBody body;
    ASSERT_TRUE(worker.Start(body, [&] { body.released->Set(); }));
    worker.RequestStop();
    EXPECT_TRUE(EndsWithin(worker, 2s));
}

TEST(WorkerThread, ABodyThatHasReturnedIsNotAborted)
{
    CWorkerThread worker("once");
    int aborts = 0;
    ASSERT_TRUE(worker.Start([](const CStopEvent&) {}, [&] { ++aborts; }));
    ASSERT_TRUE(EndsWithin(worker, 2s));
    EXPECT_TRUE(worker.Stop(1000));
    EXPECT_EQ(aborts, 0);
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
