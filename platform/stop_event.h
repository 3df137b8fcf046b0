#pragma once
// A manual-reset event: once set it stays set until reset, and every waiter wakes.
#include <condition_variable>
#include <mutex>

class CStopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // True when the event is set, false when the timeout passed first.
    bool Wait(int timeoutMs) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set = false;
};
