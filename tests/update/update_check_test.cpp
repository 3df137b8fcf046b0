// The update check against a local HTTPS (and plain HTTP) server.
#include "update/component_update.h"
#include "update/last_check_date.h"
#include "update/update_check_run.h"
#include "update/update_check_worker.h"
#include "update/update_component.h"
#include "update/update_service.h"

#include "hid/hid_catalogue.h"
#include "platform/stop_event.h"
#include "tests/update/local_test_server.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace q31::update {
namespace {

using test::AnswerSegment;
using test::LocalTestServer;

constexpr int kShortMs = 700;

const QByteArray kMouseAnswer =
    R"({"path":"https://example.invalid/ms.bin","name":"MS_0106","version_name":"V1.0.6","version":"0106","device_id":3})";

QString Today()
{
    const QDate today = QDate::currentDate();
    return QStringLiteral("%1-%2-%3").arg(today.year()).arg(today.month()).arg(today.day());
}

UpdateComponent Row(std::size_t index, std::uint32_t version)
{
    UpdateComponent component = UpdateComponentTable().at(index);
    component.version = version;
    return component;
}

class UpdateCheckTest : public test::LocalServerTest {
protected:
    // The service at a path of the test server that picks its answer.
    static UpdateService Service(const QString& prefix)
    {
        UpdateService service;
        service.address = s_server->Base() + prefix;
        service.extraCaFile = test::Certificates().authority;
        return service;
    }
    static UpdateService Answering(const QByteArray& answer) { return Service(AnswerSegment(answer)); }
};

TEST(UpdateComponentTest, AppKeysFollowTheTable)
{
    const std::vector<UpdateComponent> table = UpdateComponentTable();
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(BuildAppKey(table[0]), QStringLiteral("QUORL_1_RM7D_MS_1"));
    EXPECT_EQ(BuildAppKey(table[1]), QStringLiteral("QUORL_1_RK6D_KB_1"));
    EXPECT_EQ(BuildAppKey(table[2]), QStringLiteral("QUORL_2_RB3C_1_LP2_1"));
    EXPECT_EQ(BuildAppKey(table[3]), QStringLiteral("QUORL_0_ALL_LP2_QB4_QB3_1"));
    UpdateComponent noBrand = table[0];
    noBrand.brand.clear();
    EXPECT_EQ(BuildAppKey(noBrand), QStringLiteral("NULL"));
}

TEST(UpdateComponentTest, ApplicationVersionDropsTheDots)
{
    EXPECT_EQ(VersionFromDottedText(QStringLiteral("1.0.2.7")), 1027u);
    EXPECT_EQ(VersionFromDottedText(QStringLiteral("1.0.0.5")), 1005u);
    EXPECT_EQ(VersionFromDottedText(QStringLiteral("2.1-beta")), 21u);
    EXPECT_EQ(VersionFromDottedText(QStringLiteral("beta")), 0u);
    EXPECT_EQ(VersionFromDottedText(QStringLiteral("99999999999999999999")), 0u);
    EXPECT_GT(ReadInstalledAppVersion(), 0u);
}

TEST(UpdateComponentTest, EachRowTakesTheVersionOfItsOwnDeviceKind)
{
    // The headset arrived before the mouse pad, and no mouse is there.
    const std::vector<InstalledDevice> devices = {{Keyboard, 0x0105}, {Headset, 0x0100}, {MousePad, 0x0101}};
    const std::vector<UpdateComponent> listed = ListedComponents(devices, 1005);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].displayName, QStringLiteral("KB"));
    EXPECT_EQ(listed[0].version, 0x0105u);
    EXPECT_EQ(listed[1].displayName, QStringLiteral("LP2"));
    EXPECT_EQ(listed[1].version, 0x0101u);
    EXPECT_EQ(listed[2].displayName, QStringLiteral("AP"));
    EXPECT_EQ(listed[2].version, 1005u);

    const std::vector<UpdateComponent> throughReceiver = ListedComponents({{MouseReceiver, 0x0103}}, 1005);
    ASSERT_EQ(throughReceiver.size(), 2u);
    EXPECT_EQ(throughReceiver[0].displayName, QStringLiteral("MS"));
    EXPECT_EQ(throughReceiver[0].version, 0x0103u);

    const std::vector<UpdateComponent> none = ListedComponents({}, 1005);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].displayName, QStringLiteral("AP"));
}

TEST(UpdateComponentTest, LocalFileNamesStayInTheUpdateFolder)
{
    const QString folder = QDir::tempPath() + QStringLiteral("/UpdateData");
    EXPECT_EQ(LocalUpdateFile(QStringLiteral("MS_0106")), folder + QStringLiteral("/MS_0106.exe"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    for (const QString& name : {QStringLiteral("../evil"), QStringLiteral(".."), QStringLiteral("a/b"),
                                QStringLiteral("/etc/passwd"), QStringLiteral("a\\b"), QStringLiteral("a\nb"),
                                QString(QChar(0x7F)), QString(), QString(300, QLatin1Char('n'))})
        EXPECT_TRUE(LocalUpdateFile(name).isEmpty()) << name.toStdString();
}

TEST(UpdateServiceTest, DefaultIsHttpsAndPlainHttpOnlyWhenSet)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Q-31"), QStringLiteral("Q-31"));
    settings.remove(QStringLiteral("UpdateServiceUrl"));
    settings.sync();
    const UpdateService byDefault = ReadUpdateService();
    EXPECT_TRUE(byDefault.address.startsWith(QStringLiteral("https://")));
    EXPECT_TRUE(UpdatesUrl(byDefault).endsWith(QStringLiteral("/api/updates")));

    settings.setValue(QStringLiteral("UpdateServiceUrl"), QStringLiteral("http://127.0.0.1:1/"));
    settings.setValue(QStringLiteral("UpdateCaFile"), QStringLiteral("/tmp/ca.pem"));
    settings.sync();
    const UpdateService named = ReadUpdateService();
    EXPECT_EQ(UpdatesUrl(named), QStringLiteral("http://127.0.0.1:1/api/updates"));
    EXPECT_EQ(named.extraCaFile, QStringLiteral("/tmp/ca.pem"));
    settings.remove(QStringLiteral("UpdateServiceUrl"));
    settings.remove(QStringLiteral("UpdateCaFile"));
}

TEST_F(UpdateCheckTest, NewerMouseFirmwareIsOffered)
{
    const UpdateInfo info = CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true,
                                                 Answering(kMouseAnswer));
    const QJsonObject request = s_server->Requests().back();
    EXPECT_EQ(request.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
    EXPECT_TRUE(request.value(QStringLiteral("path")).toString().endsWith(QStringLiteral("/api/updates")));
    EXPECT_EQ(request.value(QStringLiteral("body")).toString(), QStringLiteral("app_key=QUORL_1_RM7D_MS_1&version=105"));
    EXPECT_FALSE(info.failed) << info.error.toStdString();
    EXPECT_EQ(info.state, kStateNeedUpdate);
    EXPECT_EQ(info.installedVersionText, QStringLiteral("V0105"));
    EXPECT_EQ(info.availableVersionText, QStringLiteral("V0106"));
    EXPECT_EQ(info.name, QStringLiteral("MS_0106"));
    EXPECT_EQ(info.versionName, QStringLiteral("V1.0.6"));
    EXPECT_EQ(info.downloadPath, QStringLiteral("https://example.invalid/ms.bin"));
    EXPECT_EQ(info.deviceId, 3);
}

TEST_F(UpdateCheckTest, ApplicationOfTheSameVersionIsUpToDate)
{
    const UpdateInfo info =
        CheckComponentUpdate(QStringLiteral("QUORL_0_ALL_LP2_QB4_QB3_1"), 1005, false,
                             Answering(R"({"name":"AP","version":"1005","version_name":"1.0.0.5","path":"p"})"));
    EXPECT_EQ(s_server->Requests().back().value(QStringLiteral("body")).toString(),
              QStringLiteral("app_key=QUORL_0_ALL_LP2_QB4_QB3_1&version=1005"));
    EXPECT_EQ(info.state, kStateUpToDate);
    EXPECT_EQ(info.installedVersionText, QStringLiteral("V1005"));
    EXPECT_EQ(info.availableVersionText, QStringLiteral("1.0.0.5"));
}

TEST_F(UpdateCheckTest, AnswerIsReadByItsLengthNotUpToAZeroByte)
{
    QByteArray answer = R"({"name":"MS","version":"0106","path":"a)";
    answer += '\0';
    answer += R"(b"})";
    const UpdateInfo info = CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, Answering(answer));
    EXPECT_EQ(info.state, kStateNeedUpdate);
    EXPECT_EQ(info.downloadPath.size(), 3);
}

TEST_F(UpdateCheckTest, UnreachableServiceFailsWithNoLinkServer)
{
    UpdateService service = Service(QString());
    service.address = QStringLiteral("https://127.0.0.1:%1").arg(test::FreedPort());
    const UpdateInfo info = CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, service);
    EXPECT_TRUE(info.failed);
    EXPECT_EQ(info.name, QStringLiteral("NO_LINK_SERVER"));
    EXPECT_EQ(info.state, kStateUpToDate);
}

TEST_F(UpdateCheckTest, AnswerThatIsNotJsonLeavesTheDefaults)
{
    const UpdateInfo info =
        CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, Answering("<html>hello</html>"));
    EXPECT_FALSE(info.failed);
    EXPECT_EQ(info.state, kStateUpToDate);
    EXPECT_TRUE(info.name.isEmpty());
}

TEST_F(UpdateCheckTest, ErrorStatusFailsAndItsBodyIsNotAnAnswer)
{
    const UpdateInfo info =
        CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, Service(QStringLiteral("/status500")));
    EXPECT_TRUE(info.failed);
    EXPECT_EQ(info.error, QStringLiteral("HTTP status 500"));
    EXPECT_EQ(info.state, kStateUpToDate);
    EXPECT_TRUE(info.availableVersionText.isEmpty());
}

TEST_F(UpdateCheckTest, SilentServiceFailsWithinTheTimeLimit)
{
    UpdateService service = Service(QStringLiteral("/silent"));
    service.timeouts.totalMs = kShortMs;
    const UpdateInfo info = CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, service);
    EXPECT_TRUE(info.failed);
    EXPECT_EQ(info.state, kStateUpToDate);
}

TEST_F(UpdateCheckTest, OversizedAnswerIsCutAndNotTakenForAnAnswer)
{
    const UpdateInfo info =
        CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, Service(QStringLiteral("/big")));
    EXPECT_FALSE(info.failed);
    EXPECT_EQ(info.state, kStateUpToDate);
}

TEST_F(UpdateCheckTest, UntrustedServiceIsRefused)
{
    UpdateService service = Answering(kMouseAnswer);
    service.extraCaFile.clear();
    const UpdateInfo info = CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, service);
    EXPECT_TRUE(info.failed);
    EXPECT_EQ(info.name, QStringLiteral("NO_LINK_SERVER"));
    EXPECT_TRUE(info.error.contains(QStringLiteral("certificate"))) << info.error.toStdString();
    EXPECT_EQ(info.state, kStateUpToDate);
}

TEST_F(UpdateCheckTest, PlainHttpServiceIsUsedWhenNamed)
{
    LocalTestServer plain(LocalTestServer::Scheme::Http);
    ASSERT_TRUE(plain.IsRunning());
    UpdateService service;
    service.address = plain.Base() + AnswerSegment(kMouseAnswer);
    const UpdateInfo info = CheckComponentUpdate(QStringLiteral("QUORL_1_RM7D_MS_1"), 0x0105, true, service);
    EXPECT_EQ(info.state, kStateNeedUpdate);
}

TEST_F(UpdateCheckTest, RunListsLinesAndOffersNewerVersions)
{
    QFile::remove(LastCheckDateFile());
    std::vector<UpdateListLine> added;
    std::vector<std::size_t> updated;
    UpdateCheckObserver observer;
    observer.linesAdded = [&](const std::vector<UpdateListLine>& lines) { added = lines; };
    observer.lineUpdated = [&](std::size_t index, const UpdateListLine&) { updated.push_back(index); };
    CStopEvent stop;
    const std::vector<UpdateComponent> components = {Row(0, 0x0105), Row(3, 1005)};
    const auto result = RunUpdateCheck(components, Answering(kMouseAnswer), stop, observer);

    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[0].name, QStringLiteral("MS"));
    EXPECT_EQ(added[0].installedVersionText, QStringLiteral("V0105"));
    EXPECT_EQ(added[1].name, QStringLiteral("AP"));
    // The application shows this build's version, never a fixed one.
    EXPECT_EQ(added[1].installedVersionText, QStringLiteral("V") + InstalledAppVersionText());
    EXPECT_NE(added[1].installedVersionText, QStringLiteral("V1.0.0.0"));
    EXPECT_EQ(added[1].state, kStateUpToDate);
    EXPECT_EQ(updated, (std::vector<std::size_t>{0, 1}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, kStatusHaveUpdate);
    EXPECT_EQ(result->lastCheckDate, Today());
    EXPECT_EQ(ReadOrCreateLastCheckDate(), Today());
}

TEST_F(UpdateCheckTest, RunLineTakesTheAnswer)
{
    std::vector<UpdateListLine> lines;
    UpdateCheckObserver observer;
    observer.lineUpdated = [&](std::size_t, const UpdateListLine& line) { lines.push_back(line); };
    CStopEvent stop;
    RunUpdateCheck({Row(0, 0x0105), Row(3, 1005)}, Answering(kMouseAnswer), stop, observer);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].name, QStringLiteral("MS"));
    EXPECT_EQ(lines[0].state, kStateNeedUpdate);
    EXPECT_EQ(lines[0].availableVersionText, QStringLiteral("V0106"));
    EXPECT_TRUE(lines[0].selected);
    EXPECT_EQ(lines[0].downloadPath, QStringLiteral("https://example.invalid/ms.bin"));
    EXPECT_TRUE(lines[0].localFile.endsWith(QStringLiteral("/UpdateData/MS_0106.exe")));
    // Decimal 106 is older than 1005; an up-to-date line shows no available version.
    EXPECT_EQ(lines[1].state, kStateUpToDate);
    EXPECT_EQ(lines[0].installedVersionText, QStringLiteral("V0105"));
    EXPECT_EQ(lines[1].installedVersionText, QStringLiteral("V") + InstalledAppVersionText());
    EXPECT_TRUE(lines[1].availableVersionText.isEmpty());
    EXPECT_FALSE(lines[1].selected);
}

TEST_F(UpdateCheckTest, RunWithEveryComponentFailedSaysSo)
{
    UpdateService service = Service(QString());
    service.address = QStringLiteral("https://127.0.0.1:%1").arg(test::FreedPort());
    int updates = 0;
    UpdateCheckObserver observer;
    observer.lineUpdated = [&](std::size_t, const UpdateListLine&) { ++updates; };
    CStopEvent stop;
    const auto result = RunUpdateCheck({Row(0, 0x0105), Row(3, 1005)}, service, stop, observer);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, kStatusNoUpdateInfo);
    EXPECT_EQ(updates, 0);
}

TEST_F(UpdateCheckTest, RunWithEverythingCurrentIsLatest)
{
    CStopEvent stop;
    const auto result = RunUpdateCheck({Row(0, 0x0106)}, Answering(kMouseAnswer), stop, {});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, kStatusLatest);
}

TEST_F(UpdateCheckTest, UnsafeNameGivesNoLocalFile)
{
    std::vector<UpdateListLine> lines;
    UpdateCheckObserver observer;
    observer.lineUpdated = [&](std::size_t, const UpdateListLine& line) { lines.push_back(line); };
    CStopEvent stop;
    RunUpdateCheck({Row(0, 0x0105)}, Answering(R"({"name":"../../home/evil","version":"0106"})"), stop, observer);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].state, kStateNeedUpdate);
    EXPECT_TRUE(lines[0].localFile.isEmpty());
}

TEST_F(UpdateCheckTest, WorkerReportsOnTheContextThread)
{
    QObject context;
    std::vector<QThread*> threads;
    std::optional<UpdateCheckResult> finished;
    UpdateCheckObserver observer;
    observer.linesAdded = [&](const std::vector<UpdateListLine>&) { threads.push_back(QThread::currentThread()); };
    observer.lineUpdated = [&](std::size_t, const UpdateListLine&) { threads.push_back(QThread::currentThread()); };
    observer.finished = [&](const UpdateCheckResult& result) {
        threads.push_back(QThread::currentThread());
        finished = result;
    };
    CUpdateCheckWorker worker(&context, observer);
    ASSERT_TRUE(worker.Start({Row(0, 0x0105)}, Answering(kMouseAnswer)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.has_value(); }, 5000));
    EXPECT_EQ(finished->status, kStatusHaveUpdate);
    EXPECT_EQ(threads, std::vector<QThread*>(3, QThread::currentThread()));
}

TEST_F(UpdateCheckTest, StoppingTheWorkerAbortsTheRequest)
{
    QObject context;
    bool finished = false;
    UpdateCheckObserver observer;
    observer.finished = [&](const UpdateCheckResult&) { finished = true; };
    CUpdateCheckWorker worker(&context, observer);
    ASSERT_TRUE(worker.Start({Row(0, 0x0105)}, Service(QStringLiteral("/silent/worker"))));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (s_server->Requests().empty() || !s_server->Requests().back().value(QStringLiteral("path")).toString().startsWith(
                                               QStringLiteral("/silent/worker"))) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(worker.Stop(CUpdateCheckWorker::kStopWaitMs));
    QCoreApplication::processEvents();
    EXPECT_FALSE(finished);
}

}  // namespace
}  // namespace q31::update
