#pragma once
// A small synchronous HTTP client: one GET or POST with a form-encoded body,
// the whole response body collected into the caller's buffer. Certificates are
// always verified. Settings and the last error are process-wide: requests are
// made one at a time.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/win_types.h"

class CStopEvent;

namespace q31::update {

// Last errors of the argument checks; libcurl's failures are its code plus
// kCurlErrorBase, so the two ranges never meet.
constexpr DWORD kErrorInvalidMethod = 87;
constexpr DWORD kErrorEmptyUrl = 3;
constexpr DWORD kCurlErrorBase = 10000;

// Stored at the start of the response buffer (as far as it fits) when nothing could be sent.
inline constexpr char kNoLinkServer[] = "NO_LINK_SERVER";

struct HttpTimeouts {
    int connectMs = 60000;   // name resolution and connection (TLS included)
    int sendMs = 30000;      // longest stall while sending
    int receiveMs = 30000;   // longest stall while receiving
    int totalMs = 180000;    // the whole request
    int proxyLookupMs = 10000;  // the desktop's proxy configuration, on the fallback
};

struct HttpClientSettings {
    std::string userAgent;
    HttpTimeouts timeouts;
    // A certificate authority trusted besides the system's (PEM file); empty: none.
    QString extraCaFile;
};

// User agent "WinHTTP Client/1.0", the default time-outs, no extra authority,
// last error 0.
void ResetHttpClientSettings();
HttpClientSettings HttpSettings();
void SetHttpTimeouts(const HttpTimeouts& timeouts);
void SetHttpExtraCaFile(const QString& path);

// method "GET" or "POST" (any case); returns the number of body bytes stored
// (bytes past the capacity end the transfer), or -1 for a bad method, an empty
// URL or a client that could not be set up. A set stop event aborts the request.
int HttpRequest(const QString& method, const QString& url, const std::uint8_t* body, std::size_t bodyLength,
                std::uint8_t* response, std::size_t capacity, const CStopEvent* stop = nullptr);

DWORD GetHttpLastError();
// What went wrong, in words, for the last recorded error; empty when none.
QString GetHttpLastErrorText();
// The HTTP status of the last response; 0 when no response arrived.
long GetHttpLastStatus();

}  // namespace q31::update
