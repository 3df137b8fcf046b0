#include "tests/app/ui_stall_watch.h"

#include "platform/post_to_thread.h"

#include <algorithm>

namespace q31::test {
namespace {

constexpr std::chrono::milliseconds kProbeInterval{5};

}  // namespace

CUiStallWatch::CUiStallWatch() = default;

CUiStallWatch::~CUiStallWatch()
{
    Stop();
}

void CUiStallWatch::Start()
{
    Stop();
    {
        std::lock_guard lock(m_mutex);
        m_longest = {};
    }
    m_thread = std::jthread([this](std::stop_token stop) { Watch(stop); });
}

void CUiStallWatch::Stop()
{
    if (!m_thread.joinable())
        return;
    m_thread.request_stop();
    m_thread.join();
}

std::chrono::milliseconds CUiStallWatch::LongestStall() const
{
    std::lock_guard lock(m_mutex);
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_longest);
}

void CUiStallWatch::Watch(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (!stop.stop_requested()) {
        const std::uint64_t answeredBefore = m_probesAnswered;
        const auto posted = std::chrono::steady_clock::now();
        PostToThreadOf(m_uiContext.get(), [this] {
            std::lock_guard answer(m_mutex);
            ++m_probesAnswered;
            m_answered.notify_all();
        });
        m_answered.wait(lock, stop, [&] { return m_probesAnswered != answeredBefore; });
        m_longest = std::max(m_longest, std::chrono::steady_clock::now() - posted);
        m_answered.wait_for(lock, stop, kProbeInterval, [] { return false; });
    }
}

}  // namespace q31::test
