#include "platform/worker_thread.h"

#include "platform/debug_log.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

// Shared between the owner and the thread, so a worker left to finish after a
// failed stop still has valid state to write to.
struct CWorkerThread::Run {
    CStopEvent stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
};

CWorkerThread::CWorkerThread(std::string name) : m_name(std::move(name)) {}

CWorkerThread::~CWorkerThread()
{
    Stop();
}

bool CWorkerThread::Start(std::function<void(const CStopEvent&)> body, std::function<void()> abort)
{
    if (IsRunning())
        return false;
    auto run = std::make_shared<Run>();
    m_run = run;
    m_abort = std::move(abort);
    std::thread([run, body = std::move(body)] {
        body(run->stop);
        std::lock_guard lock(run->mutex);
        run->finished = true;
        run->ended.notify_all();
    }).detach();
    return true;
}

void CWorkerThread::RequestStop()
{
    if (!m_run)
        return;
    m_run->stop.Set();
    // A body that has returned waits on nothing; what abort would close is no longer its own.
    if (m_abort && IsRunning())
        m_abort();
}

bool CWorkerThread::Stop(int waitMs)
{
    if (!m_run)
        return true;
    RequestStop();
    std::unique_lock lock(m_run->mutex);
    const bool ended = m_run->ended.wait_for(lock, std::chrono::milliseconds(waitMs),
                                             [this] { return m_run->finished; });
    lock.unlock();
    if (!ended) {
        // The run is kept, so Start cannot add a second worker beside it.
        OutputDebugText(QStringLiteral("worker \"%1\" did not end within %2 ms; left to finish")
                            .arg(QString::fromStdString(m_name))
                            .arg(waitMs));
        return false;
    }
    m_run.reset();
    m_abort = nullptr;
    return true;
}

bool CWorkerThread::IsRunning() const
{
    if (!m_run)
        return false;
    std::lock_guard lock(m_run->mutex);
    return !m_run->finished;
}

const CStopEvent& CWorkerThread::StopEvent() const
{
    static const CStopEvent never;
    return m_run ? m_run->stop : never;
}
