#pragma once
// A worker that loops until its stop event is set. Stopping sets the event,
// aborts what the body may be blocked in, and waits a bounded time; a worker
// that has not ended by then is reported and left to finish on its own - it
// is never killed, so it can never die holding a lock. Whatever such a worker
// still uses must stay alive: the body holds shared ownership of it, or the
// owner keeps it until a later Stop returns true.
// Start, RequestStop and Stop belong to the owner's thread.
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
    // abort, when given, ends a blocking call the body may be waiting in (closing
    // the interface it reads); stopping calls it on the owner's thread right after
    // setting the event, as long as the body has not returned.
    // Does nothing and returns false while a previous run is still alive, also
    // one whose Stop gave up waiting.
    bool Start(std::function<void(const CStopEvent&)> body, std::function<void()> abort = {});
    // Sets the stop event and aborts, without waiting.
    void RequestStop();
    // Sets the stop event, aborts, and waits up to waitMs for the body to return.
    // Returns false (and logs) when it did not end in time.
    bool Stop(int waitMs = 1000);
    bool IsRunning() const;
    const CStopEvent& StopEvent() const;

private:
    struct Run;
    std::string m_name;
    std::shared_ptr<Run> m_run;
    std::function<void()> m_abort;
};
