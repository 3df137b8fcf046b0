#pragma once
// The desktop's proxy configuration (manual settings and PAC scripts), asked of
// libproxy on a thread of its own: a slow script or an unreachable WPAD host
// can hold the answer, and the request waiting for it must stay bounded.
#include <string>

class CStopEvent;

namespace q31::update {

// The proxy for url as libcurl takes it ("http://host:port", "socks5://..."),
// or empty: go direct, or no answer within timeoutMs or before stop was set.
std::string DesktopProxyFor(const std::string& url, int timeoutMs, const CStopEvent* stop);

}  // namespace q31::update
