#include "platform/ui_message.h"

#include "platform/post_to_thread.h"

#include <QObject>
#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// The sender's side of a blocking hand-over. Built on the standard library
// rather than Qt's blocking connection, whose wait the thread checker cannot
// see, so the result's hand-over is checked like the rest of our threading.
struct Handover {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;

    // Notified under the lock: the waiter destroys the hand-over as soon as
    // it sees it finished, which must not be while it is still being notified.
    void Finish()
    {
        std::lock_guard lock(mutex);
        finished = true;
        done.notify_all();
    }
    void Wait()
    {
        std::unique_lock lock(mutex);
        done.wait(lock, [this] { return finished; });
    }
};

// Ends the wait when the queued call has run or has been dropped unrun
// (its context destroyed first), whichever copy of the call goes last.
class FinishOnRelease {
public:
    explicit FinishOnRelease(Handover& handover) : m_handover(handover) {}
    FinishOnRelease(const FinishOnRelease&) = delete;
    FinishOnRelease& operator=(const FinishOnRelease&) = delete;
    ~FinishOnRelease() { m_handover.Finish(); }

private:
    Handover& m_handover;
};

}  // namespace

LRESULT SendMessageTo(IMessageReceiver& receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
    QObject* context = receiver.MessageContext();
    if (context->thread() == QThread::currentThread())
        return receiver.HandleMessage(message, wParam, lParam);
    LRESULT result = 0;
    Handover handover;
    auto release = std::make_shared<FinishOnRelease>(handover);
    IMessageReceiver* target = &receiver;
    PostToThreadOf(context, [=, &result, release = std::move(release)] {
        result = target->HandleMessage(message, wParam, lParam);
    });
    handover.Wait();
    return result;
}

void PostMessageTo(IMessageReceiver& receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
    IMessageReceiver* target = &receiver;
    PostToThreadOf(receiver.MessageContext(), [=] { target->HandleMessage(message, wParam, lParam); });
}
