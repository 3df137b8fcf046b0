#pragma once
// A worker that loops until its stop event is set. Stopping waits a bounded
// time; a worker that has not ended by then is reported and left to finish on
// its own - it is never killed, so it can never die holding a lock.
#include "platform/stop_event.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>

class CWorkerThread {
public:
    explicit CWorkerThread(std::string name);
    ~CWorkerThread();  // stops with the default bounded wait
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Runs body(stopEvent) on a new thread; the body returns when the event is set.
    // Does nothing and returns false while a previous run is still alive.
    bool Start(std::function<void(const CStopEvent&)> body);
    // Sets the stop event without waiting: for a body that must also be woken
    // some other way (a blocking read) before Stop waits for it.
    void RequestStop();
    // Sets the stop event and waits up to waitMs for the body to return.
    // Returns false (and logs) when it did not end in time.
    bool Stop(int waitMs = 1000);
    bool IsRunning() const;
    const CStopEvent& StopEvent() const;

private:
    struct Run;
    std::string m_name;
    std::shared_ptr<Run> m_run;
};
