#pragma once
// Measures how long the UI thread keeps others waiting: a thread of its own
// posts a probe to the UI thread, times how long the probe waits to run, and
// posts the next one a few milliseconds after it ran.
#include <QObject>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace q31::test {

class CUiStallWatch {
public:
    // Made on the UI thread, which the probes then measure.
    CUiStallWatch();
    ~CUiStallWatch();

    void Start();
    // A probe still waiting counts with the time it has waited so far.
    void Stop();
    std::chrono::milliseconds LongestStall() const;

private:
    void Watch(std::stop_token stop);

    // The probes run in its thread; one that arrives after it is gone is dropped.
    std::unique_ptr<QObject> m_uiContext = std::make_unique<QObject>();
    mutable std::mutex m_mutex;
    std::condition_variable_any m_answered;
    std::uint64_t m_probesAnswered = 0;
    std::chrono::steady_clock::duration m_longest{};
    std::jthread m_thread;
};

}  // namespace q31::test
