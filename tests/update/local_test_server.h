#pragma once
// The update tests' server: local_test_server.py on 127.0.0.1, over HTTPS with
// a certificate of a test authority made with openssl, or over plain HTTP.
// Nothing the tests send leaves this machine.
#include <QJsonObject>
#include <gtest/gtest.h>
#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

#include "tests/common/temp_folder.h"

namespace q31::test {

// The test authority and a server certificate for 127.0.0.1 signed by it, made once per test program.
struct TestCertificates {
    QString authority;  // PEM of the authority, to trust
    QString serverCertificate;
    QString expiredCertificate;  // the same name and key, valid until yesterday
    QString serverKey;
};
const TestCertificates& Certificates();

// No *_proxy variable, and 127.0.0.1 never through a proxy.
void KeepRequestsLocal();

class LocalTestServer {
public:
    enum class Scheme { Https, HttpsExpired, Http };
    explicit LocalTestServer(Scheme scheme = Scheme::Https);
    ~LocalTestServer();

    bool IsRunning() const { return m_port != 0; }
    // "https://127.0.0.1:PORT" (or http).
    QString Base() const;
    // The requests received so far, oldest first: method, path, headers ([name, value] pairs), body.
    std::vector<QJsonObject> Requests() const;

private:
    TempFolder m_folder;
    QString m_log;
    std::unique_ptr<QProcess> m_process;
    QString m_scheme;
    int m_port = 0;
};

// Tests against one server shared by their suite.
class LocalServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    static inline LocalTestServer* s_server = nullptr;
};

// A port on 127.0.0.1 that nothing listens on (bound, read back and closed again).
int FreedPort();

// A path segment that makes the server answer with exactly these bytes.
QString AnswerSegment(const QByteArray& answer);

// A header's value in a logged request; empty when absent.
QString HeaderOf(const QJsonObject& request, const QString& name);

}  // namespace q31::test
