#include "update/update_check_worker.h"

#include "platform/post_to_thread.h"

#include <functional>
#include <utility>

namespace q31::update {
namespace {

// The same observer, each call posted to context's thread. Nothing is posted
// once stop is set: the owner (and with it the context) may be going away.
UpdateCheckObserver Posting(QObject* context, const UpdateCheckObserver& observer, const CStopEvent& stop)
{
    const auto post = [context, &stop](std::function<void()> call) {
        if (!stop.IsSet())
            PostToThreadOf(context, std::move(call));
    };
    UpdateCheckObserver posting;
    if (observer.linesAdded)
        posting.linesAdded = [post, call = observer.linesAdded](const std::vector<UpdateListLine>& lines) {
            post([call, lines] { call(lines); });
        };
    if (observer.lineUpdated)
        posting.lineUpdated = [post, call = observer.lineUpdated](std::size_t index, const UpdateListLine& line) {
            post([call, index, line] { call(index, line); });
        };
    if (observer.finished)
        posting.finished = [post, call = observer.finished](const UpdateCheckResult& result) {
            post([call, result] { call(result); });
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
    return m_worker.Start([components = std::move(components), service = std::move(service), context = m_context,
                           observer = m_observer](const CStopEvent& stop) {
        RunUpdateCheck(components, service, stop, Posting(context, observer, stop));
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
