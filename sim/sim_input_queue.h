#pragma once
// The input reports waiting on one open simulated interface. A report can be
// read from the moment it arrives (its latency), in the order they were sent;
// like hidraw, a full queue drops what comes next.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace q31::sim {

using SteadyTime = std::chrono::steady_clock::time_point;

class InputQueue {
public:
    static constexpr std::size_t kCapacity = 64;

    // False when the queue is full or closed and the report was dropped.
    bool Push(std::vector<std::uint8_t> report, SteadyTime arrives);
    // Bytes copied (the report cut to the buffer), 0 on timeout, -1 once closed.
    // timeoutMs < 0 waits without limit.
    int Pop(std::uint8_t* buffer, std::size_t length, int timeoutMs);
    // Wakes every waiter; every later Pop returns -1 and Push drops.
    void Close();
    bool IsClosed() const;

private:
    struct Pending {
        std::vector<std::uint8_t> report;
        SteadyTime arrives;
    };
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Pending> m_reports;
    bool m_closed = false;
};

}  // namespace q31::sim
