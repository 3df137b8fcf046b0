#include "devices/device_worker.h"

#include "platform/debug_log.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace q31::devices {

// Shared with the thread, so a run that outlives a bounded stop still has a queue.
struct CDeviceWorker::Queue {
    struct Entry {
        std::string key;
        Job job;
    };
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Entry> jobs;
    // The running job's cancel event; null between jobs.
    std::shared_ptr<CStopEvent> running;
    bool stopping = false;

    // Under the mutex.
    void CancelRunning()
    {
        if (running)
            running->Set();
    }
};

CDeviceWorker::CDeviceWorker(std::string name, std::function<void()> abort)
    : m_name(std::move(name)), m_queue(std::make_shared<Queue>()), m_thread(m_name), m_abort(std::move(abort))
{
}

CDeviceWorker::~CDeviceWorker()
{
    while (!Stop(QStringLiteral("the device is going away")))
        continue;
}

void CDeviceWorker::Post(Job job, std::string key)
{
    {
        std::lock_guard lock(m_queue->mutex);
        if (!key.empty()) {
            std::erase_if(m_queue->jobs, [&key](const Queue::Entry& queued) { return queued.key == key; });
        }
        m_queue->jobs.push_back({std::move(key), std::move(job)});
    }
    m_queue->wake.notify_one();
    StartWhenNeeded();
}

void CDeviceWorker::StartWhenNeeded()
{
    if (m_thread.IsRunning())
        return;
    {
        std::lock_guard lock(m_queue->mutex);
        m_queue->stopping = false;
    }
    auto queue = m_queue;
    m_thread.Start(
        [queue](const CStopEvent&) {
            for (;;) {
                Job job;
                auto cancel = std::make_shared<CStopEvent>();
                {
                    std::unique_lock lock(queue->mutex);
                    queue->wake.wait(lock, [&queue] { return queue->stopping || !queue->jobs.empty(); });
                    if (queue->stopping)
                        return;
                    job = std::move(queue->jobs.front().job);
                    queue->jobs.pop_front();
                    queue->running = cancel;
                }
                job(*cancel);
                std::lock_guard lock(queue->mutex);
                queue->running.reset();
            }
        },
        [queue, abort = m_abort] {
            {
                std::lock_guard lock(queue->mutex);
                queue->stopping = true;
                queue->CancelRunning();
            }
            queue->wake.notify_all();
            if (abort)
                abort();
        });
}

void CDeviceWorker::Cancel(const QString& why)
{
    std::size_t dropped = 0;
    {
        std::lock_guard lock(m_queue->mutex);
        dropped = m_queue->jobs.size();
        m_queue->jobs.clear();
        m_queue->CancelRunning();
    }
    if (dropped)
        OutputDebugText(QStringLiteral("%1: dropped %2 queued job(s): %3")
                            .arg(QString::fromStdString(m_name))
                            .arg(dropped)
                            .arg(why));
}

bool CDeviceWorker::Stop(const QString& why, int waitMs)
{
    Cancel(why);
    return m_thread.Stop(waitMs);
}

bool CDeviceWorker::IsIdle() const
{
    std::lock_guard lock(m_queue->mutex);
    return m_queue->jobs.empty() && !m_queue->running;
}

}  // namespace q31::devices
