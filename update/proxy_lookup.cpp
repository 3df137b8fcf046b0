#include "update/proxy_lookup.h"

#include "platform/stop_event.h"

#include <proxy.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

namespace q31::update {
namespace {

constexpr int kStopPollMs = 20;

// Shared with the lookup thread, which may outlive an abandoned wait.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::string proxy;
};

// libproxy's answer in libcurl's terms; "socks://" is libproxy's name for SOCKS 5.
std::string CurlProxy(std::string_view answer)
{
    constexpr std::array<std::string_view, 6> kKnownSchemes = {"http://", "https://", "socks4://",
                                                               "socks4a://", "socks5://", "socks5h://"};
    if (answer.starts_with("socks://"))
        return "socks5://" + std::string(answer.substr(8));
    for (const std::string_view scheme : kKnownSchemes)
        if (answer.starts_with(scheme))
            return std::string(answer);
    return {};  // "direct://" and whatever libcurl cannot use
}

std::string AskLibproxy(const std::string& url)
{
    pxProxyFactory* factory = px_proxy_factory_new();
    if (!factory)
        return {};
    std::string proxy;
    if (char** proxies = px_proxy_factory_get_proxies(factory, url.c_str())) {
        // The first entry is the preferred one; a later one is only an alternative.
        if (proxies[0])
            proxy = CurlProxy(proxies[0]);
        px_proxy_factory_free_proxies(proxies);
    }
    px_proxy_factory_free(factory);
    return proxy;
}

}  // namespace

std::string DesktopProxyFor(const std::string& url, int timeoutMs, const CStopEvent* stop)
{
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, url] {
        std::string proxy = AskLibproxy(url);
        std::lock_guard lock(lookup->mutex);
        lookup->proxy = std::move(proxy);
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto stopped = [stop] { return stop && stop->IsSet(); };
    std::unique_lock lock(lookup->mutex);
    while (!lookup->finished && std::chrono::steady_clock::now() < deadline && !stopped())
        lookup->done.wait_for(lock, std::chrono::milliseconds(kStopPollMs));
    return lookup->finished && !stopped() ? lookup->proxy : std::string();
}

}  // namespace q31::update
