#include "update/http_client.h"

#include "platform/debug_log.h"
#include "platform/stop_event.h"
#include "update/proxy_lookup.h"
#include "update/trusted_authorities.h"

#include <curl/curl.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

namespace q31::update {
namespace {

constexpr char kUserAgent[] = "WinHTTP Client/1.0";
constexpr long kLowSpeedBytesPerSecond = 1;

struct ClientState {
    std::mutex mutex;
    HttpClientSettings settings{kUserAgent, {}, {}};
    DWORD lastError = 0;
    QString lastErrorText;
    long lastStatus = 0;
};

ClientState& State()
{
    static ClientState state;
    return state;
}

void RecordError(DWORD code, const QString& text)
{
    OutputDebugText(QStringLiteral("HTTP request failed: %1 (%2)").arg(text).arg(code));
    std::lock_guard lock(State().mutex);
    State().lastError = code;
    State().lastErrorText = text;
}

void RecordCurlError(CURLcode code, const char* detail)
{
    const QString text = detail && *detail ? QString::fromUtf8(detail) : QString::fromUtf8(curl_easy_strerror(code));
    RecordError(kCurlErrorBase + static_cast<DWORD>(code), text);
}

void RecordStatus(long status)
{
    std::lock_guard lock(State().mutex);
    State().lastStatus = status;
}

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;
using UrlHandle = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

// What the callbacks of one transfer see.
struct Transfer {
    std::uint8_t* response = nullptr;
    std::size_t capacity = 0;
    std::size_t stored = 0;
    const CStopEvent* stop = nullptr;
};

size_t KeepBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const size_t length = size * count;
    const size_t kept = std::min(length, transfer->capacity - transfer->stored);
    std::memcpy(transfer->response + transfer->stored, data, kept);
    transfer->stored += kept;
    return kept;  // short of length once the buffer is full: libcurl ends the transfer
}

int CheckStop(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const CStopEvent* stop = static_cast<Transfer*>(user)->stop;
    return stop && stop->IsSet() ? 1 : 0;
}

// One header per entry: a blank line inside the block would end it early.
HeaderList RequestHeaders(std::size_t bodyLength)
{
    const std::string lines[] = {
        "Content-Length: " + std::to_string(bodyLength),
        "Content-Type: application/x-www-form-urlencoded",
        "Accept: application/prs.Quorl.v1+json",
        "Expect:",  // no "100-continue" round trip before the body
    };
    curl_slist* list = nullptr;
    for (const std::string& line : lines) {
        curl_slist* longer = curl_slist_append(list, line.c_str());
        if (!longer) {
            curl_slist_free_all(list);
            return {nullptr, curl_slist_free_all};
        }
        list = longer;
    }
    return {list, curl_slist_free_all};
}

// Only http and https URLs with a host are sent; anything else is refused before any connection.
CURLcode CheckUrl(const std::string& url)
{
    UrlHandle parsed(curl_url(), curl_url_cleanup);
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return CURLE_URL_MALFORMAT;
    char* scheme = nullptr;
    if (curl_url_get(parsed.get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK)
        return CURLE_URL_MALFORMAT;
    const bool known = std::strcmp(scheme, "http") == 0 || std::strcmp(scheme, "https") == 0;
    curl_free(scheme);
    return known ? CURLE_OK : CURLE_UNSUPPORTED_PROTOCOL;
}

long LowSpeedSeconds(const HttpTimeouts& timeouts)
{
    const int longest = std::max({timeouts.sendMs, timeouts.receiveMs, 1});
    return (longest + 999) / 1000;
}

// Every option but the proxy; false (with the error recorded) when one could not be set.
bool SetUp(CURL* curl, const HttpClientSettings& settings, bool post, const std::string& url,
           const std::uint8_t* body, std::size_t bodyLength, curl_slist* headers, Transfer& transfer,
           char* errorText)
{
    CURLcode code = CURLE_OK;
    const auto set = [&](CURLoption option, auto value) {
        if (code == CURLE_OK)
            code = curl_easy_setopt(curl, option, value);
    };
    set(CURLOPT_ERRORBUFFER, errorText);
    set(CURLOPT_NOSIGNAL, 1L);  // requests run on workers
    set(CURLOPT_URL, url.c_str());
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_USERAGENT, settings.userAgent.c_str());
    set(CURLOPT_HTTPHEADER, headers);
    set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.timeouts.connectMs));
    set(CURLOPT_TIMEOUT_MS, static_cast<long>(settings.timeouts.totalMs));
    set(CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytesPerSecond);
    set(CURLOPT_LOW_SPEED_TIME, LowSpeedSeconds(settings.timeouts));
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    set(CURLOPT_WRITEFUNCTION, KeepBody);
    set(CURLOPT_WRITEDATA, &transfer);
    set(CURLOPT_NOPROGRESS, 0L);
    set(CURLOPT_XFERINFOFUNCTION, CheckStop);
    set(CURLOPT_XFERINFODATA, &transfer);
    if (post || bodyLength > 0) {
        set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength));
        set(CURLOPT_POSTFIELDS, bodyLength > 0 ? reinterpret_cast<const char*>(body) : "");
    }
    if (!post)
        set(CURLOPT_CUSTOMREQUEST, "GET");  // a GET may carry a body too
    if (code != CURLE_OK) {
        RecordCurlError(code, nullptr);
        return false;
    }
    return true;
}

// Adds the extra authority to the system's; false (recorded) when it cannot be read.
bool TrustExtraAuthority(CURL* curl, const QString& extraCaFile)
{
    if (extraCaFile.isEmpty())
        return true;
    const char* systemBundle = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CAINFO, &systemBundle);
    const std::optional<QByteArray> pem =
        CombinedAuthorities(systemBundle ? QString::fromUtf8(systemBundle) : QString(), extraCaFile);
    if (!pem) {
        RecordError(kCurlErrorBase + CURLE_SSL_CACERT_BADFILE,
                    QStringLiteral("cannot read the certificate authority file %1").arg(extraCaFile));
        return false;
    }
    curl_blob blob{const_cast<char*>(pem->constData()), static_cast<size_t>(pem->size()), CURL_BLOB_COPY};
    const CURLcode code = curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
    if (code != CURLE_OK) {
        RecordCurlError(code, nullptr);
        return false;
    }
    return true;
}

// libcurl calls its progress function only about once a second while a
// server is silent, too late for a stop; a transfer that can be stopped is
// therefore driven in short steps that look at the stop in between.
CURLcode RunTransfer(CURL* curl, const CStopEvent* stop)
{
    if (!stop)
        return curl_easy_perform(curl);
    constexpr int kStopCheckMs = 50;
    const std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> multi(curl_multi_init(), curl_multi_cleanup);
    if (!multi || curl_multi_add_handle(multi.get(), curl) != CURLM_OK)
        return CURLE_OUT_OF_MEMORY;
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_SEND_ERROR;
            break;
        }
        if (running && stop->IsSet()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (running)
            curl_multi_poll(multi.get(), nullptr, 0, kStopCheckMs, nullptr);
    }
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi.get(), curl);
    return result;
}

// True when the request left this machine: bytes of it were sent or a response arrived.
bool Perform(CURL* curl, Transfer& transfer, const char* errorText)
{
    transfer.stored = 0;
    const CURLcode code = RunTransfer(curl, transfer.stop);
    long status = 0;
    long requestBytes = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(curl, CURLINFO_REQUEST_SIZE, &requestBytes);
    RecordStatus(status);
    if (code == CURLE_WRITE_ERROR && transfer.stored == transfer.capacity)
        RecordCurlError(code, "the response is longer than the buffer; the rest was not read");
    else if (code != CURLE_OK)
        RecordCurlError(code, errorText);
    return code == CURLE_OK || status != 0 || requestBytes > 0;
}

int NothingSent(std::uint8_t* response, std::size_t capacity)
{
    if (capacity > 0)
        std::memcpy(response, kNoLinkServer, std::min(capacity, std::strlen(kNoLinkServer)));
    return 0;
}

}  // namespace

void ResetHttpClientSettings()
{
    std::lock_guard lock(State().mutex);
    State().settings = HttpClientSettings{kUserAgent, {}, {}};
    State().lastError = 0;
    State().lastErrorText.clear();
    State().lastStatus = 0;
}

HttpClientSettings HttpSettings()
{
    std::lock_guard lock(State().mutex);
    return State().settings;
}

void SetHttpTimeouts(const HttpTimeouts& timeouts)
{
    std::lock_guard lock(State().mutex);
    State().settings.timeouts = timeouts;
}

void SetHttpExtraCaFile(const QString& path)
{
    std::lock_guard lock(State().mutex);
    State().settings.extraCaFile = path;
}

DWORD GetHttpLastError()
{
    std::lock_guard lock(State().mutex);
    return State().lastError;
}

QString GetHttpLastErrorText()
{
    std::lock_guard lock(State().mutex);
    return State().lastErrorText;
}

long GetHttpLastStatus()
{
    std::lock_guard lock(State().mutex);
    return State().lastStatus;
}

int HttpRequest(const QString& method, const QString& url, const std::uint8_t* body, std::size_t bodyLength,
                std::uint8_t* response, std::size_t capacity, const CStopEvent* stop)
{
    const bool get = method.compare(QLatin1String("GET"), Qt::CaseInsensitive) == 0;
    const bool post = method.compare(QLatin1String("POST"), Qt::CaseInsensitive) == 0;
    if (!get && !post) {
        RecordError(kErrorInvalidMethod, QStringLiteral("the method is neither GET nor POST"));
        return -1;
    }
    if (url.isEmpty()) {
        RecordError(kErrorEmptyUrl, QStringLiteral("no URL"));
        return -1;
    }
    if (!response)
        capacity = 0;
    capacity = std::min<std::size_t>(capacity, INT_MAX);
    if (!body)
        bodyLength = 0;
    RecordStatus(0);

    InitCurlOnce();
    CurlHandle curl(curl_easy_init(), curl_easy_cleanup);
    HeaderList headers = RequestHeaders(bodyLength);
    if (!curl || !headers) {
        RecordCurlError(CURLE_FAILED_INIT, nullptr);
        return -1;
    }
    const std::string target = url.toStdString();
    if (const CURLcode urlProblem = CheckUrl(target); urlProblem != CURLE_OK) {
        RecordCurlError(urlProblem, nullptr);
        return NothingSent(response, capacity);
    }

    const HttpClientSettings settings = HttpSettings();
    Transfer transfer{response, capacity, 0, stop};
    char errorText[CURL_ERROR_SIZE] = {};
    if (!SetUp(curl.get(), settings, post, target, body, bodyLength, headers.get(), transfer, errorText) ||
        !TrustExtraAuthority(curl.get(), settings.extraCaFile))
        return NothingSent(response, capacity);

    // First the default proxy handling (the *_proxy variables), then once the desktop's.
    bool sent = Perform(curl.get(), transfer, errorText);
    if (!sent && !(stop && stop->IsSet())) {
        const std::string proxy = DesktopProxyFor(target, settings.timeouts.proxyLookupMs, stop);
        if (!proxy.empty() && curl_easy_setopt(curl.get(), CURLOPT_PROXY, proxy.c_str()) == CURLE_OK) {
            errorText[0] = '\0';
            sent = Perform(curl.get(), transfer, errorText);
        }
    }
    if (!sent)
        return NothingSent(response, capacity);
    return static_cast<int>(transfer.stored);
}

}  // namespace q31::update
