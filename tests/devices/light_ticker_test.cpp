// The preview thread: a step each time the tick count reaches the owner's
// threshold, none while the link is closed or the owner pauses, and a stop
// that does not wait for the next tick.
#include "devices/light_ticker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace q31::devices {
namespace {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

constexpr auto kBound = 5s;

// Time moved by the test. A sleeper wakes when the time reaches its due time.
class ManualTickClock : public ITickClock {
public:
    milliseconds Now() override
    {
        std::lock_guard lock(m_mutex);
        return m_now;
    }
    bool SleepUntil(milliseconds due) override
    {
        std::unique_lock lock(m_mutex);
        m_sleepingUntil = due;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_awake || m_now >= due; });
        m_sleepingUntil.reset();
        return !m_awake;
    }
    void Wake() override
    {
        std::lock_guard lock(m_mutex);
        m_awake = true;
        m_changed.notify_all();
    }
    void Rearm() override
    {
        std::lock_guard lock(m_mutex);
        m_awake = false;
    }

    // Waits until the ticker sleeps again, everything due so far done; false after the bound.
    bool Settle()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, kBound, [&] { return m_sleepingUntil && *m_sleepingUntil > m_now; });
    }
    // Moves the time on by whole ticks, letting the ticker take each.
    bool Tick(int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            if (!Settle())
                return false;
            {
                std::lock_guard lock(m_mutex);
                m_now += CLightTicker::kTick;
                m_changed.notify_all();
            }
        }
        return Settle();
    }
    std::optional<milliseconds> SleepingFor()
    {
        std::lock_guard lock(m_mutex);
        if (!m_sleepingUntil)
            return std::nullopt;
        return *m_sleepingUntil - m_now;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    milliseconds m_now{1000};
    std::optional<milliseconds> m_sleepingUntil;
    bool m_awake = false;
};

class LightTickerTest : public ::testing::Test {
protected:
    CLightTicker::Owner Owner(std::atomic<int>& counter)
    {
        return {
            .linkOpen = [this] { return linkOpen.load(); },
            .paused = [this] { return paused.load(); },
            .threshold = [this] { return threshold.load(); },
            .step = [&counter] { ++counter; },
        };
    }
    std::unique_ptr<ITickClock> MakeClock()
    {
        auto own = std::make_unique<ManualTickClock>();
        clock = own.get();
        return own;
    }

    std::atomic<bool> linkOpen{true};
    std::atomic<bool> paused{false};
    std::atomic<int> threshold{3};
    std::atomic<int> steps{0};
    ManualTickClock* clock = nullptr;
    // Last, so it stops before what its owner callbacks use goes.
    CLightTicker ticker{MakeClock()};
};

TEST_F(LightTickerTest, StepsEachTimeTheCountReachesTheThreshold)
{
    ticker.Start(Owner(steps));
    ASSERT_TRUE(clock->Tick(2));
    EXPECT_EQ(steps, 0);
    ASSERT_TRUE(clock->Tick());
    EXPECT_EQ(steps, 1);
    ASSERT_TRUE(clock->Tick(6));
    EXPECT_EQ(steps, 3);
    // The owner's threshold is asked at every tick; below 1 it steps on every tick.
    threshold = 0;
    ASSERT_TRUE(clock->Tick(4));
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(clock->SleepingFor(), CLightTicker::kTick);
}

TEST_F(LightTickerTest, TheAfterPassRunsOnEveryCountedTickWhetherTheStepRanOrNot)
{
    std::atomic<int> passes{0};
    CLightTicker::Owner owner = Owner(steps);
    owner.afterPass = [&passes] { ++passes; };
    ticker.Start(std::move(owner));
    ASSERT_TRUE(clock->Tick(5));
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(passes, 5);
    paused = true;
    ASSERT_TRUE(clock->Tick(2));
    EXPECT_EQ(passes, 5) << "a paused tick is no pass";
}

TEST_F(LightTickerTest, NoStepWhileTheLinkIsClosedOrTheOwnerPauses)
{
    linkOpen = false;
    ticker.Start(Owner(steps));
    ASSERT_TRUE(clock->Settle());
    EXPECT_EQ(clock->SleepingFor(), CLightTicker::kClosedLinkWait);
    ASSERT_TRUE(clock->Tick(30));
    EXPECT_EQ(steps, 0);

    linkOpen = true;
    paused = true;
    ASSERT_TRUE(clock->Tick(30));
    EXPECT_EQ(steps, 0);
    // Paused ticks are not counted: a full threshold of ticks after the pause.
    paused = false;
    ASSERT_TRUE(clock->Tick(2));
    EXPECT_EQ(steps, 0);
    ASSERT_TRUE(clock->Tick());
    EXPECT_EQ(steps, 1);
}

TEST_F(LightTickerTest, StopWakesASleepingTickerAndStartRestartsIt)
{
    ticker.Start(Owner(steps));
    ASSERT_TRUE(clock->Tick(3));
    ASSERT_EQ(steps, 1);
    // The manual time never moves on by itself: only the wake can end the sleep.
    auto stopped = std::async(std::launch::async, [&] { ticker.Stop(); });
    ASSERT_EQ(stopped.wait_for(kBound), std::future_status::ready);
    EXPECT_FALSE(ticker.IsRunning());

    std::atomic<int> restartedSteps{0};
    ticker.Start(Owner(restartedSteps));
    ASSERT_TRUE(clock->Tick(3));
    EXPECT_EQ(restartedSteps, 1);
    // Start on a running ticker ends the old run: its owner is not asked again.
    std::atomic<int> newestSteps{0};
    ticker.Start(Owner(newestSteps));
    ASSERT_TRUE(clock->Tick(3));
    EXPECT_EQ(restartedSteps, 1);
    EXPECT_EQ(newestSteps, 1);
    EXPECT_EQ(steps, 1);
}

TEST(SteadyTickClockTest, AWakeEndsALongSleepUntilRearmed)
{
    CSteadyTickClock clock;
    auto sleeper = std::async(std::launch::async, [&] { return clock.SleepUntil(clock.Now() + 1h); });
    clock.Wake();
    ASSERT_EQ(sleeper.wait_for(kBound), std::future_status::ready);
    EXPECT_FALSE(sleeper.get());
    EXPECT_FALSE(clock.SleepUntil(clock.Now() + 1h));
    clock.Rearm();
    EXPECT_TRUE(clock.SleepUntil(clock.Now() + 1ms));
}

TEST(LightTickerRealTimeTest, StepsOnTheSteadyClockAndStopsPromptlyWhenIdle)
{
    std::atomic<int> steps{0};
    std::atomic<bool> linkOpen{true};
    CLightTicker ticker;
    ticker.Start({
        .linkOpen = [&] { return linkOpen.load(); },
        .paused = [] { return false; },
        .threshold = [] { return 1; },
        .step = [&] { ++steps; },
    });
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (steps < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_GE(steps, 3);
    linkOpen = false;
    std::this_thread::sleep_for(50ms);
    auto stopped = std::async(std::launch::async, [&] { ticker.Stop(); });
    EXPECT_EQ(stopped.wait_for(kBound), std::future_status::ready);
}

}  // namespace
}  // namespace q31::devices
