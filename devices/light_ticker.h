#pragma once
// The preview thread of a device's software lighting: it counts ticks and
// runs the owner's effect step each time the count reaches the threshold the
// owner gives for its current mode and speed. Between ticks it sleeps, so a
// device whose lights stand still costs a wake-up per tick and nothing more.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace q31::devices {

// Where a ticker's time comes from: the steady clock in the program, a clock
// moved by hand in tests.
class ITickClock {
public:
    virtual ~ITickClock() = default;
    virtual std::chrono::milliseconds Now() = 0;
    // Sleeps until Now() reaches due; false when woken first.
    virtual bool SleepUntil(std::chrono::milliseconds due) = 0;
    // Ends the sleep in progress and every later one, until Rearm.
    virtual void Wake() = 0;
    virtual void Rearm() = 0;
};

class CSteadyTickClock : public ITickClock {
public:
    std::chrono::milliseconds Now() override;
    bool SleepUntil(std::chrono::milliseconds due) override;
    void Wake() override;
    void Rearm() override;

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
    bool m_awake = false;
};

class CLightTicker {
public:
    // One system tick of the desktop the effects' thresholds were tuned on:
    // its tick count moved on every 15.6 ms. At 1 ms ticks every effect would
    // run 16 times too fast.
    static constexpr std::chrono::milliseconds kTick{16};
    // How long a closed link is left before the next look.
    static constexpr std::chrono::milliseconds kClosedLinkWait{100};

    // The owner's answers, asked on the ticker's thread at every tick.
    struct Owner {
        std::function<bool()> linkOpen;
        // True while the effects must stand still (the synchronised lighting
        // drives the lights, the link is busy): the tick is not counted.
        std::function<bool()> paused;
        // Ticks per step for the current mode and speed; below 1 counts as 1.
        std::function<int()> threshold;
        std::function<void()> step;
        // Optional: after every counted tick, after the step when one ran.
        std::function<void()> afterPass = {};
    };

    explicit CLightTicker(std::unique_ptr<ITickClock> clock = std::make_unique<CSteadyTickClock>());
    ~CLightTicker();
    CLightTicker(const CLightTicker&) = delete;
    CLightTicker& operator=(const CLightTicker&) = delete;

    // Starts the thread with a fresh count; a running one is stopped first.
    void Start(Owner owner);
    // Wakes the thread at once and waits for it to end.
    void Stop();
    // Start, Stop and IsRunning belong to the owner's thread.
    bool IsRunning() const { return m_thread.joinable(); }

private:
    void Run(const Owner& owner);

    std::unique_ptr<ITickClock> m_clock;
    std::thread m_thread;
};

}  // namespace q31::devices
