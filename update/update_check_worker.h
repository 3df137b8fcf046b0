#pragma once
// The update check on a worker of its own, so the window that shows it never
// waits for the network; what the observer is told reaches it as queued calls
// on the thread of its context object (the UI thread).
#include <QObject>

#include <vector>

#include "platform/worker_thread.h"
#include "update/update_check_run.h"

namespace q31::update {

class CUpdateCheckWorker {
public:
    static constexpr int kStopWaitMs = 500;

    // The observer's calls are dropped once context is destroyed.
    CUpdateCheckWorker(QObject* context, UpdateCheckObserver observer);
    ~CUpdateCheckWorker();  // stops
    CUpdateCheckWorker(const CUpdateCheckWorker&) = delete;
    CUpdateCheckWorker& operator=(const CUpdateCheckWorker&) = delete;

    // False while a check is still running.
    bool Start(std::vector<UpdateComponent> components, UpdateService service);
    // Aborts a request in progress; false when the worker did not end within waitMs.
    bool Stop(int waitMs = kStopWaitMs);
    bool IsRunning() const;

private:
    QObject* m_context;
    UpdateCheckObserver m_observer;
    CWorkerThread m_worker{"update check"};
};

}  // namespace q31::update
