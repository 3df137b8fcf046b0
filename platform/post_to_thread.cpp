#include "platform/post_to_thread.h"

#include <QMetaObject>

#include <utility>

// Qt is not built with ThreadSanitizer, so its event queue orders nothing in
// the checker's eyes. Posting publishes a clock that running (or dropping)
// the call acquires, which is the ordering the queue really gives.
#if defined(__SANITIZE_THREAD__)
extern "C" {
void __tsan_acquire(void* addr);
void __tsan_release(void* addr);
void __tsan_ignore_thread_begin();
void __tsan_ignore_thread_end();
}
#endif

namespace {

#if defined(__SANITIZE_THREAD__)
int g_postedCalls;
void Publish() { __tsan_release(&g_postedCalls); }
void Receive() { __tsan_acquire(&g_postedCalls); }
// The queue's own bookkeeping is ordered by Qt's locks, unseen by the checker;
// Publish already covers everything the call reads.
struct QueueBookkeeping {
    QueueBookkeeping() { __tsan_ignore_thread_begin(); }
    ~QueueBookkeeping() { __tsan_ignore_thread_end(); }
};
#else
void Publish() {}
void Receive() {}
struct QueueBookkeeping {};
#endif

class PostedCall {
public:
    explicit PostedCall(std::function<void()> call) : m_call(std::move(call)) {}
    PostedCall(PostedCall&&) = default;
    PostedCall(const PostedCall&) = default;
    PostedCall& operator=(const PostedCall&) = delete;
    // Dropped unrun, the call's captures are still destroyed on the context's thread.
    ~PostedCall() { Receive(); }

    void operator()()
    {
        Receive();
        m_call();
    }

private:
    std::function<void()> m_call;
};

}  // namespace

void PostToThreadOf(QObject* context, std::function<void()> call)
{
    PostedCall posted(std::move(call));
    Publish();
    [[maybe_unused]] const QueueBookkeeping bookkeeping;
    QMetaObject::invokeMethod(context, std::move(posted), Qt::QueuedConnection);
}
