#include "update/update_check_worker.h"

#include "platform/post_to_thread.h"

#include <utility>

namespace q31::update {
namespace {

// The same observer, each call posted to context's thread.
UpdateCheckObserver Posting(QObject* context, const UpdateCheckObserver& observer)
{
    UpdateCheckObserver posting;
    if (observer.linesAdded)
        posting.linesAdded = [context, call = observer.linesAdded](const std::vector<UpdateListLine>& lines) {
            PostToThreadOf(context, [call, lines] { call(lines); });
        };
    if (observer.lineUpdated)
        posting.lineUpdated = [context, call = observer.lineUpdated](std::size_t index, const UpdateListLine& line) {
            PostToThreadOf(context, [call, index, line] { call(index, line); });
        };
    if (observer.finished)
        posting.finished = [context, call = observer.finished](const UpdateCheckResult& result) {
            PostToThreadOf(context, [call, result] { call(result); });
        };
    return posting;
}

}  // namespace

CUpdateCheckWorker::CUpdateCheckWorker(QObject* context, UpdateCheckObserver observer)
    : m_context(context), m_observer(std::move(observer))
{
}

CUpdateCheckWorker::~CUpdateCheckWorker()
{
    Stop();
}

bool CUpdateCheckWorker::Start(std::vector<UpdateComponent> components, UpdateService service)
{
    return m_worker.Start([components = std::move(components), service = std::move(service),
                           observer = Posting(m_context, m_observer)](const CStopEvent& stop) {
        RunUpdateCheck(components, service, stop, observer);
    });
}

bool CUpdateCheckWorker::Stop(int waitMs)
{
    return m_worker.Stop(waitMs);
}

bool CUpdateCheckWorker::IsRunning() const
{
    return m_worker.IsRunning();
}

}  // namespace q31::update
