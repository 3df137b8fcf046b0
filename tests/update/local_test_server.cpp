#include "tests/update/local_test_server.h"

#include "tests/common/sanitizer_limits.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace q31::test {
namespace {

constexpr int kStartMs = 10000;

void RunOpenssl(const QStringList& arguments)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(kStartMs) || openssl.exitCode() != 0)
        throw std::runtime_error("openssl failed: " + openssl.readAllStandardError().toStdString());
}

TestCertificates MakeCertificates(const TempFolder& folder)
{
    const QString dir = QString::fromStdString(folder.Path()) + QLatin1Char('/');
    const QStringList ecKey = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                               QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    RunOpenssl(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ecKey +
               QStringList{QStringLiteral("-keyout"), dir + "ca.key", QStringLiteral("-out"), dir + "ca.pem",
                           QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                           QStringLiteral("/CN=Q-31 test authority")});
    RunOpenssl(QStringList{QStringLiteral("req")} + ecKey +
               QStringList{QStringLiteral("-keyout"), dir + "server.key", QStringLiteral("-out"),
                           dir + "server.csr", QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
    QFile extensions(dir + "server.ext");
    if (!extensions.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write server.ext");
    extensions.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n");
    extensions.close();
    const auto sign = [&](const QString& out, const QString& days) {
        RunOpenssl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), dir + "server.csr",
                    QStringLiteral("-CA"), dir + "ca.pem", QStringLiteral("-CAkey"), dir + "ca.key",
                    QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), out, QStringLiteral("-days"), days,
                    QStringLiteral("-extfile"), dir + "server.ext"});
    };
    sign(dir + "server.pem", QStringLiteral("2"));
    sign(dir + "expired.pem", QStringLiteral("-1"));
    return {dir + "ca.pem", dir + "server.pem", dir + "expired.pem", dir + "server.key"};
}

}  // namespace

const TestCertificates& Certificates()
{
    static const TempFolder folder;
    static const TestCertificates certificates = MakeCertificates(folder);
    return certificates;
}

void KeepRequestsLocal()
{
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        unsetenv(name);
    setenv("no_proxy", "127.0.0.1", 1);
    setenv("NO_PROXY", "127.0.0.1", 1);
}

LocalTestServer::LocalTestServer(Scheme scheme)
    : m_log(QString::fromStdString(m_folder.Path()) + QStringLiteral("/requests.jsonl")),
      m_process(std::make_unique<QProcess>()),
      m_scheme(scheme == Scheme::Http ? QStringLiteral("http") : QStringLiteral("https"))
{
    KeepRequestsLocal();
    QStringList arguments = {QStringLiteral(Q31_TEST_SERVER_SCRIPT), QStringLiteral("--log"), m_log};
    if (scheme != Scheme::Http) {
        const TestCertificates& certificates = Certificates();
        arguments << QStringLiteral("--cert")
                  << (scheme == Scheme::Https ? certificates.serverCertificate : certificates.expiredCertificate)
                  << QStringLiteral("--key") << certificates.serverKey;
    }
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(QStringLiteral(Q31_TEST_PYTHON), arguments);
    if (!m_process->waitForStarted(kStartMs))
        return;
    while (!m_process->canReadLine() && m_process->waitForReadyRead(kStartMs)) {
    }
    m_port = m_process->readLine().trimmed().toInt();
}

LocalTestServer::~LocalTestServer()
{
    m_process->kill();
    m_process->waitForFinished(kStartMs);
}

QString LocalTestServer::Base() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_scheme).arg(m_port);
}

std::vector<QJsonObject> LocalTestServer::Requests() const
{
    std::vector<QJsonObject> requests;
    QFile log(m_log);
    if (!log.open(QIODevice::ReadOnly))
        return requests;
    while (!log.atEnd())
        requests.push_back(QJsonDocument::fromJson(log.readLine()).object());
    return requests;
}

int FreedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    close(fd);
    if (!bound)
        throw std::runtime_error("cannot bind a port on 127.0.0.1");
    return ntohs(address.sin_port);
}

QString AnswerSegment(const QByteArray& answer)
{
    return QStringLiteral("/answer/") +
           QString::fromLatin1(answer.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString HeaderOf(const QJsonObject& request, const QString& name)
{
    for (const QJsonValue& header : request.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray pair = header.toArray();
        if (pair.at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return pair.at(1).toString();
    }
    return {};
}

void LocalServerTest::SetUpTestSuite()
{
    s_server = new LocalTestServer();
}

void LocalServerTest::TearDownTestSuite()
{
    delete s_server;
    s_server = nullptr;
}

void LocalServerTest::SetUp()
{
    Q31_SKIP_WHEN_CHILDREN_CONFUSE_THE_THREAD_CHECKER();  // the server is a child process
    ASSERT_TRUE(s_server->IsRunning());
}

}  // namespace q31::test
