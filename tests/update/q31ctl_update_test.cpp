// q31ctl's http and update-check commands: their arguments, and the program
// run against the local test server with simulated devices.
#include "tools/q31ctl/update_commands.h"

#include "tests/update/local_test_server.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace q31::ctl {
namespace {

using test::LocalTestServer;

constexpr int kRunMs = 20000;

TEST(Q31ctlUpdateCommandLineTest, ReadsBothCommands)
{
    auto parsed = ParseUpdateCommand({"http", "get", "https://127.0.0.1:1/x", "a=1", "--cap", "16", "--ca-file", "ca.pem"});
    ASSERT_TRUE(parsed && parsed->options) << (parsed ? parsed->error : "not recognised");
    EXPECT_EQ(parsed->options->command, UpdateCommand::Http);
    EXPECT_EQ(parsed->options->method, QStringLiteral("get"));
    EXPECT_EQ(parsed->options->url, QStringLiteral("https://127.0.0.1:1/x"));
    EXPECT_EQ(parsed->options->body, QByteArray("a=1"));
    EXPECT_EQ(parsed->options->capacity, 16u);
    EXPECT_EQ(parsed->options->caFile, QStringLiteral("ca.pem"));

    parsed = ParseUpdateCommand({"--simulate", "update-check", "--url", "https://127.0.0.1:1"});
    ASSERT_TRUE(parsed && parsed->options) << (parsed ? parsed->error : "not recognised");
    EXPECT_EQ(parsed->options->command, UpdateCommand::UpdateCheck);
    EXPECT_TRUE(parsed->options->simulate);
    EXPECT_EQ(parsed->options->url, QStringLiteral("https://127.0.0.1:1"));
}

TEST(Q31ctlUpdateCommandLineTest, LeavesOtherCommandsAndHelpAlone)
{
    EXPECT_FALSE(ParseUpdateCommand({"--simulate", "list"}));
    EXPECT_FALSE(ParseUpdateCommand({"http", "--help"}));
    EXPECT_FALSE(ParseUpdateCommand({}));
}

TEST(Q31ctlUpdateCommandLineTest, RefusesBadInputWithAReason)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"http", "GET"}, {"http", "GET", "u", "b", "extra"}, {"http", "GET", "u", "--cap"},
          {"http", "GET", "u", "--cap", "99999999999"}, {"http", "GET", "u", "--simulate"},
          {"update-check", "--cap", "5"}, {"update-check", "now"}, {"update-check", "--url", ""}}) {
        const auto parsed = ParseUpdateCommand(arguments);
        ASSERT_TRUE(parsed) << arguments[0];
        EXPECT_FALSE(parsed->options) << arguments.back();
        EXPECT_FALSE(parsed->error.empty());
    }
}

struct CtlRun {
    int status = -1;
    QString out;
    QString err;
};

CtlRun RunQ31ctl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(Q31CTL_BINARY), arguments);
    CtlRun run;
    if (!process.waitForFinished(kRunMs))
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(Q31ctlUpdateProcessTest, HttpPrintsCountErrorAndBody)
{
    LocalTestServer server;
    ASSERT_TRUE(server.IsRunning());
    const CtlRun ok = RunQ31ctl({QStringLiteral("http"), QStringLiteral("get"), server.Base() + QStringLiteral("/echo/ctl"),
                              QStringLiteral("--ca-file"), test::Certificates().authority});
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_TRUE(ok.out.startsWith(QStringLiteral("stored "))) << ok.out.toStdString();
    EXPECT_TRUE(ok.out.contains(QStringLiteral("\nlast error 0\nstatus 200\n")));
    EXPECT_TRUE(ok.out.contains(QStringLiteral("\"method\": \"GET\"")));

    const CtlRun refused = RunQ31ctl({QStringLiteral("http"), QStringLiteral("POST"),
                                   server.Base() + QStringLiteral("/echo/ctl"), QStringLiteral("--cap"),
                                   QStringLiteral("4")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.startsWith(QStringLiteral("stored 0\nlast error 10060 ("))) << refused.out.toStdString();
    EXPECT_TRUE(refused.out.endsWith(QStringLiteral("\nNO_L\n")));
    EXPECT_TRUE(refused.err.contains(QStringLiteral("certificate")));
}

TEST(Q31ctlUpdateProcessTest, UpdateCheckListsTheSimulatedDevices)
{
    LocalTestServer server;
    ASSERT_TRUE(server.IsRunning());
    const QByteArray answer = R"({"name":"FW","version":"0106","version_name":"V1.0.6","path":"p"})";
    const CtlRun run = RunQ31ctl({QStringLiteral("update-check"), QStringLiteral("--simulate"), QStringLiteral("--url"),
                               server.Base() + test::AnswerSegment(answer), QStringLiteral("--ca-file"),
                               test::Certificates().authority});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QJsonArray lines = report.value(QStringLiteral("lines")).toArray();
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    const auto line = [&](int index, const char* key) { return lines.at(index).toObject().value(QLatin1String(key)); };
    // The simulated mouse (0x0110) is newer than the answer, the keyboard (0x0105) older.
    EXPECT_EQ(line(0, "name").toString(), QStringLiteral("MS"));
    EXPECT_EQ(line(0, "installed").toString(), QStringLiteral("V0110"));
    EXPECT_EQ(line(0, "state").toInt(), 7);
    EXPECT_EQ(line(1, "name").toString(), QStringLiteral("KB"));
    EXPECT_EQ(line(1, "installed").toString(), QStringLiteral("V0105"));
    EXPECT_EQ(line(1, "available").toString(), QStringLiteral("V0106"));
    EXPECT_EQ(line(1, "state").toInt(), 1);
    EXPECT_EQ(line(2, "name").toString(), QStringLiteral("LP2"));
    EXPECT_EQ(line(2, "installed").toString(), QStringLiteral("V0101"));
    EXPECT_EQ(line(3, "name").toString(), QStringLiteral("AP"));
    EXPECT_EQ(report.value(QStringLiteral("status")).toInt(), 1);
    EXPECT_EQ(server.Requests().size(), 4u);
}

}  // namespace
}  // namespace q31::ctl
