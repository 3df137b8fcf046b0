#pragma once
// The one thread on which every exchange with a device runs, so that a device
// that sleeps or stops answering holds up only its own queue, never the
// window. Jobs run one at a time in the order given; a job posted with a key
// replaces a queued job of the same key, which then never runs - the device
// still ends with the latest state, since the newer job carries it.
// Post, Cancel and Stop belong to the owner's thread.
#include "platform/stop_event.h"
#include "platform/worker_thread.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace q31::devices {

class CDeviceWorker {
public:
    // A job gets its cancel event, set when the job is cancelled or the worker
    // stops: waits inside the job end on it.
    using Job = std::function<void(const CStopEvent& cancel)>;

    // abort ends an exchange the running job may be blocked in (it closes the
    // interfaces); it is called from Stop on the owner's thread.
    CDeviceWorker(std::string name, std::function<void()> abort);
    // Stops for as long as it takes: the jobs use the object that owns the worker.
    ~CDeviceWorker();
    CDeviceWorker(const CDeviceWorker&) = delete;
    CDeviceWorker& operator=(const CDeviceWorker&) = delete;

    // Queues a job and starts the thread when it is not running.
    void Post(Job job, std::string key = {});
    // Drops every queued job (logged with why) and cancels the running one.
    void Cancel(const QString& why);
    // Cancels, aborts what the running job is blocked in and waits up to waitMs for
    // the thread to end. False (logged) when it has not ended in time; the
    // next Post starts it again once it has.
    bool Stop(const QString& why, int waitMs = 1000);
    // No job queued or running.
    bool IsIdle() const;

private:
    struct Queue;
    void StartWhenNeeded();

    std::string m_name;
    std::shared_ptr<Queue> m_queue;
    CWorkerThread m_thread;
    std::function<void()> m_abort;
};

}  // namespace q31::devices
