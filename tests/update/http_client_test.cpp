// The HTTP client against a local HTTPS server.
#include "update/http_client.h"
#include "update/proxy_lookup.h"
#include "update/trusted_authorities.h"

#include "platform/stop_event.h"
#include "tests/update/local_test_server.h"

#include <QFile>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace q31::update {
namespace {

using test::HeaderOf;
using test::LocalTestServer;

constexpr std::size_t kCapacity = 102400;
constexpr std::uint8_t kGuard = 0xEE;
constexpr int kShortMs = 700;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(TrustedAuthoritiesTest, ExtraAuthorityIsAddedToTheSystemBundle)
{
    const test::TempFolder folder;
    const QString system = QString::fromStdString(folder.Path()) + QStringLiteral("/system.pem");
    const QString extra = QString::fromStdString(folder.Path()) + QStringLiteral("/extra.pem");
    WriteFile(system, "SYSTEM\n");
    WriteFile(extra, "EXTRA");
    EXPECT_EQ(CombinedAuthorities(system, extra), QByteArray("SYSTEM\nEXTRA\n"));
    EXPECT_EQ(CombinedAuthorities(QString(), extra), QByteArray("EXTRA\n"));
    EXPECT_EQ(CombinedAuthorities(system, extra + QStringLiteral(".missing")), std::nullopt);
}

class HttpClientTest : public test::LocalServerTest {
protected:
    void SetUp() override
    {
        LocalServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ResetHttpClientSettings();
        SetHttpExtraCaFile(test::Certificates().authority);
        m_buffer.assign(kCapacity + 64, kGuard);
    }

    int Request(const QString& method, const QString& path, const QByteArray& body = {},
                std::size_t capacity = kCapacity)
    {
        return HttpRequest(method, s_server->Base() + path, reinterpret_cast<const std::uint8_t*>(body.constData()),
                           static_cast<std::size_t>(body.size()), m_buffer.data(), capacity);
    }

    QByteArray Stored(int count) const { return QByteArray(reinterpret_cast<const char*>(m_buffer.data()), count); }
    QByteArray Start(std::size_t length) const { return Stored(static_cast<int>(length)); }
    bool GuardIntactFrom(std::size_t index) const
    {
        return std::all_of(m_buffer.begin() + static_cast<std::ptrdiff_t>(index), m_buffer.end(),
                           [](std::uint8_t byte) { return byte == kGuard; });
    }

    std::vector<std::uint8_t> m_buffer;
};

TEST_F(HttpClientTest, MethodIsCheckedCaseInsensitivelyAndSentUpperCase)
{
    const int stored = Request(QStringLiteral("get"), QStringLiteral("/echo/lower"));
    ASSERT_GT(stored, 0) << GetHttpLastErrorText().toStdString();
    EXPECT_EQ(GetHttpLastError(), 0u);
    EXPECT_EQ(GetHttpLastStatus(), 200);
    const QJsonObject echoed = QJsonDocument::fromJson(Stored(stored)).object();
    EXPECT_EQ(echoed.value(QStringLiteral("method")).toString(), QStringLiteral("GET"));
    EXPECT_EQ(s_server->Requests().back().value(QStringLiteral("path")).toString(), QStringLiteral("/echo/lower"));

    const std::size_t before = s_server->Requests().size();
    EXPECT_EQ(Request(QStringLiteral("PUT"), QStringLiteral("/echo/put")), -1);
    EXPECT_EQ(GetHttpLastError(), kErrorInvalidMethod);
    EXPECT_EQ(HttpRequest(QStringLiteral("POST"), QString(), nullptr, 0, m_buffer.data(), kCapacity), -1);
    EXPECT_EQ(GetHttpLastError(), kErrorEmptyUrl);
    EXPECT_EQ(s_server->Requests().size(), before);
}

TEST_F(HttpClientTest, EachHeaderArrivesOnItsOwn)
{
    ASSERT_GT(Request(QStringLiteral("POST"), QStringLiteral("/echo/form"), "a=1&b=2"), 0);
    const QJsonObject request = s_server->Requests().back();
    EXPECT_EQ(request.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
    EXPECT_EQ(request.value(QStringLiteral("body")).toString(), QStringLiteral("a=1&b=2"));
    EXPECT_EQ(HeaderOf(request, QStringLiteral("Content-Length")), QStringLiteral("7"));
    EXPECT_EQ(HeaderOf(request, QStringLiteral("Content-Type")), QStringLiteral("application/x-www-form-urlencoded"));
    // Sent after a blank line, this one would have ended up in the body.
    EXPECT_EQ(HeaderOf(request, QStringLiteral("Accept")), QStringLiteral("application/prs.Quorl.v1+json"));
    EXPECT_EQ(HeaderOf(request, QStringLiteral("User-Agent")), QStringLiteral("WinHTTP Client/1.0"));
}

TEST_F(HttpClientTest, EmptyPostSendsContentLengthZeroAndNoData)
{
    ASSERT_GT(Request(QStringLiteral("POST"), QStringLiteral("/echo/empty")), 0);
    const QJsonObject request = s_server->Requests().back();
    EXPECT_EQ(HeaderOf(request, QStringLiteral("Content-Length")), QStringLiteral("0"));
    EXPECT_TRUE(request.value(QStringLiteral("body")).toString().isEmpty());
}

TEST_F(HttpClientTest, LongUrlIsSentWhole)
{
    const QString path = QStringLiteral("/echo/") + QString(3000, QLatin1Char('p'));
    ASSERT_GT(Request(QStringLiteral("GET"), path), 0) << GetHttpLastErrorText().toStdString();
    EXPECT_EQ(s_server->Requests().back().value(QStringLiteral("path")).toString(), path);
}

TEST_F(HttpClientTest, UnreachablePortStoresNoLinkServer)
{
    const QString url = QStringLiteral("https://127.0.0.1:%1/echo/x").arg(test::FreedPort());
    EXPECT_EQ(HttpRequest(QStringLiteral("POST"), url, nullptr, 0, m_buffer.data(), kCapacity), 0);
    EXPECT_EQ(Start(14), QByteArray("NO_LINK_SERVER"));
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 7);  // could not connect
    EXPECT_EQ(GetHttpLastStatus(), 0);
}

TEST_F(HttpClientTest, NoLinkServerStaysWithinTheCapacity)
{
    const QString url = QStringLiteral("https://127.0.0.1:%1/").arg(test::FreedPort());
    EXPECT_EQ(HttpRequest(QStringLiteral("GET"), url, nullptr, 0, m_buffer.data(), 4), 0);
    EXPECT_EQ(Start(4), QByteArray("NO_L"));
    EXPECT_TRUE(GuardIntactFrom(4));
}

TEST_F(HttpClientTest, UntrustedCertificateIsRefused)
{
    SetHttpExtraCaFile(QString());
    const std::size_t before = s_server->Requests().size();
    EXPECT_EQ(Request(QStringLiteral("POST"), QStringLiteral("/echo/untrusted")), 0);
    EXPECT_EQ(Start(14), QByteArray("NO_LINK_SERVER"));
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 60);  // peer certificate cannot be verified
    EXPECT_TRUE(GetHttpLastErrorText().contains(QStringLiteral("certificate"))) << GetHttpLastErrorText().toStdString();
    EXPECT_EQ(s_server->Requests().size(), before);
}

TEST_F(HttpClientTest, CertificateForAnotherNameIsRefused)
{
    // The certificate names 127.0.0.1 only; "localhost" reaches the same server.
    const QString url = s_server->Base().replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
    EXPECT_EQ(HttpRequest(QStringLiteral("GET"), url + QStringLiteral("/echo/name"), nullptr, 0, m_buffer.data(),
                          kCapacity),
              0);
    EXPECT_EQ(Start(14), QByteArray("NO_LINK_SERVER"));
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 60);
}

TEST_F(HttpClientTest, ExpiredCertificateIsRefused)
{
    LocalTestServer expired(LocalTestServer::Scheme::HttpsExpired);
    ASSERT_TRUE(expired.IsRunning());
    EXPECT_EQ(HttpRequest(QStringLiteral("GET"), expired.Base() + QStringLiteral("/echo/expired"), nullptr, 0,
                          m_buffer.data(), kCapacity),
              0);
    EXPECT_EQ(Start(14), QByteArray("NO_LINK_SERVER"));
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 60);
    EXPECT_TRUE(GetHttpLastErrorText().contains(QStringLiteral("expired"))) << GetHttpLastErrorText().toStdString();
    EXPECT_TRUE(expired.Requests().empty());
}

TEST_F(HttpClientTest, UnreadableExtraAuthorityIsAnError)
{
    SetHttpExtraCaFile(QStringLiteral("/nonexistent/ca.pem"));
    EXPECT_EQ(Request(QStringLiteral("GET"), QStringLiteral("/echo/x")), 0);
    EXPECT_EQ(Start(14), QByteArray("NO_LINK_SERVER"));
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 77);  // CA file problem
}

TEST_F(HttpClientTest, ErrorStatusIsReportedWithItsBody)
{
    const int stored = Request(QStringLiteral("POST"), QStringLiteral("/status500/x"));
    EXPECT_GT(stored, 0);
    EXPECT_EQ(GetHttpLastStatus(), 500);
}

TEST_F(HttpClientTest, BodyBeyondTheCapacityIsNotStored)
{
    EXPECT_EQ(Request(QStringLiteral("GET"), QStringLiteral("/big/x")), static_cast<int>(kCapacity));
    EXPECT_TRUE(GuardIntactFrom(kCapacity));
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 23);  // the write callback took no more
}

TEST_F(HttpClientTest, SilentServerEndsAtTheTotalLimit)
{
    HttpTimeouts timeouts;
    timeouts.totalMs = kShortMs;
    SetHttpTimeouts(timeouts);
    EXPECT_EQ(Request(QStringLiteral("POST"), QStringLiteral("/silent/x")), 0);
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 28);  // timed out
    EXPECT_EQ(GetHttpLastStatus(), 0);
}

TEST_F(HttpClientTest, FailedDirectSendFallsBackToTheDesktopProxy)
{
    // libcurl leaves the upper-case HTTP_PROXY alone, the desktop's configuration (here its
    // environment module) takes it: the direct send fails, the one through the proxy arrives.
    LocalTestServer proxy(LocalTestServer::Scheme::Http);
    ASSERT_TRUE(proxy.IsRunning());
    unsetenv("no_proxy");
    unsetenv("NO_PROXY");
    setenv("PX_CONFIG_ORDER", "config_envvar", 1);
    setenv("HTTP_PROXY", proxy.Base().toUtf8().constData(), 1);
    const QString url = QStringLiteral("http://127.0.0.1:%1/echo/through-proxy").arg(test::FreedPort());
    const int stored = HttpRequest(QStringLiteral("GET"), url, nullptr, 0, m_buffer.data(), kCapacity);
    unsetenv("HTTP_PROXY");
    unsetenv("PX_CONFIG_ORDER");
    test::KeepRequestsLocal();

    EXPECT_EQ(stored, 0);  // the test server answers a proxy request with an empty 404
    EXPECT_EQ(GetHttpLastStatus(), 404);
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 7);  // left from the failed direct send
    ASSERT_EQ(proxy.Requests().size(), 1u);
    EXPECT_EQ(proxy.Requests().back().value(QStringLiteral("path")).toString(), url);
}

TEST(DesktopProxyTest, LookupGivesTheProxyUnlessStopped)
{
    unsetenv("no_proxy");
    unsetenv("NO_PROXY");
    setenv("PX_CONFIG_ORDER", "config_envvar", 1);
    setenv("HTTP_PROXY", "http://127.0.0.1:9", 1);
    const std::string url = "http://127.0.0.1:1/";
    const std::string found = DesktopProxyFor(url, 5000, nullptr);
    CStopEvent stop;
    stop.Set();
    const std::string abandoned = DesktopProxyFor(url, 5000, &stop);
    unsetenv("HTTP_PROXY");
    unsetenv("PX_CONFIG_ORDER");
    test::KeepRequestsLocal();
    EXPECT_EQ(found, "http://127.0.0.1:9");
    EXPECT_EQ(abandoned, "");
}

TEST_F(HttpClientTest, DefaultsBoundEveryPhase)
{
    const HttpTimeouts timeouts = HttpSettings().timeouts;
    EXPECT_EQ(HttpSettings().userAgent, "WinHTTP Client/1.0");
    EXPECT_EQ(timeouts.connectMs, 60000);
    EXPECT_EQ(timeouts.sendMs, 30000);
    EXPECT_EQ(timeouts.receiveMs, 30000);
    EXPECT_GT(timeouts.totalMs, 0);
    EXPECT_GT(timeouts.proxyLookupMs, 0);
}

TEST_F(HttpClientTest, StopAbortsARequestInProgress)
{
    CStopEvent stop;
    const QString url = s_server->Base() + QStringLiteral("/silent/stop");
    auto request = std::async(std::launch::async, [&] {
        return HttpRequest(QStringLiteral("GET"), url, nullptr, 0, m_buffer.data(), kCapacity, &stop);
    });
    // Wait until the server holds the request, so the stop lands mid-transfer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (s_server->Requests().empty() ||
           s_server->Requests().back().value(QStringLiteral("path")).toString() != QStringLiteral("/silent/stop")) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stop.Set();
    ASSERT_EQ(request.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    EXPECT_EQ(request.get(), 0);
    EXPECT_EQ(GetHttpLastError(), kCurlErrorBase + 42);  // aborted by the progress callback
}

}  // namespace
}  // namespace q31::update
