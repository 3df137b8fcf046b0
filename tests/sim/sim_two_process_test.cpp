// q31-devsim as its own process, seen by this process and by a peer process
// that runs discovery.
#include "sim/sim_backend_factory.h"
#include "sim/sim_remote_backend.h"
#include "tests/common/sanitizer_limits.h"
#include "tests/sim/sim_test_support.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace q31::sim::test {
namespace {

// A child process whose output is read line by line.
class Child {
public:
    explicit Child(const QString& program, const QStringList& arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
        m_process.waitForStarted();
    }
    ~Child()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000)) {
                m_process.kill();
                m_process.waitForFinished();
            }
        }
    }
    // The next line, or an empty string when none came in time.
    QString NextLine(int timeoutMs = 10000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!m_process.canReadLine() && !deadline.hasExpired())
            m_process.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        return m_process.canReadLine() ? QString::fromUtf8(m_process.readLine()).trimmed() : QString();
    }
    int Finish()
    {
        m_process.waitForFinished(10000);
        return m_process.exitCode();
    }

private:
    QProcess m_process;
};

QString Devsim()
{
    return QStringLiteral(Q31_DEVSIM);
}

TEST(SimTwoProcesses, ShareTheDevicesOfQ31DevsimAndSeeAnUnplugAsRemoval)
{
    Q31_SKIP_WHEN_CHILDREN_CONFUSE_THE_THREAD_CHECKER();
    Child devsim(Devsim(), {QStringLiteral("start"), QStringLiteral("--latency"), QStringLiteral("0")});
    ASSERT_TRUE(devsim.NextLine().startsWith(QStringLiteral("q31-devsim: serving")));
    const auto remote = RemoteSimBackend::Connect(DevsimSocketPath());
    ASSERT_TRUE(remote);

    Child watcher(QStringLiteral(Q31_SIM_PEER), {QStringLiteral("watch")});
    ASSERT_EQ(watcher.NextLine(), QStringLiteral("backend remote"));
    std::set<QString> arrivals;
    while (arrivals.size() < 7) {
        const QString line = watcher.NextLine();
        ASSERT_FALSE(line.isEmpty()) << "arrivals so far: " << arrivals.size();
        arrivals.insert(line);
    }
    // The cable slots of the keyboard, the mouse, the mouse pad and the headset.
    EXPECT_EQ(arrivals, (std::set<QString>{"arrival 0", "arrival 1", "arrival 4", "arrival 5", "arrival 8",
                                           "arrival 9", "arrival 10"}));

    // What this process writes, the other reads from the same device memory.
    std::string keyboardPath;
    for (const auto& info : remote->Enumerate())
        if (info.productId == 0x6B01 && info.usagePage == 0xFF1C)
            keyboardPath = info.path;
    RawLink keyboard(*remote, keyboardPath);
    ASSERT_TRUE(keyboard.IsOpen());
    ASSERT_TRUE(keyboard.WriteBlock(0x06, {0x5A}, 56, 7));
    Child reader(QStringLiteral(Q31_SIM_PEER), {QStringLiteral("read"), QStringLiteral("6b01"), QStringLiteral("7")});
    EXPECT_EQ(reader.NextLine(), QStringLiteral("backend remote"));
    EXPECT_EQ(reader.NextLine(), QStringLiteral("param 5a"));

    Child unplug(Devsim(), {QStringLiteral("unplug"), QStringLiteral("keyboard")});
    EXPECT_EQ(unplug.NextLine(), QStringLiteral("ok"));
    EXPECT_EQ(unplug.Finish(), 0);
    std::set<QString> removals = {watcher.NextLine(), watcher.NextLine()};
    EXPECT_EQ(removals, (std::set<QString>{"removal 0", "removal 1"}));
    std::array<std::uint8_t, 64> buffer{};
    EXPECT_EQ(keyboard.Connection().Read(buffer.data(), buffer.size(), 5000), -1);

    Child stop(Devsim(), {QStringLiteral("stop")});
    EXPECT_EQ(stop.Finish(), 0);
    EXPECT_EQ(devsim.Finish(), 0);
}

TEST(SimTwoProcesses, TheCommandLineSaysWhenNoServerRuns)
{
    Child command(Devsim(), {QStringLiteral("list")});
    EXPECT_EQ(command.Finish(), 1);
    Child peer(QStringLiteral(Q31_SIM_PEER), {QStringLiteral("read"), QStringLiteral("6b01"), QStringLiteral("0")});
    EXPECT_EQ(peer.NextLine(), QStringLiteral("backend local"));
    EXPECT_EQ(peer.NextLine(), QStringLiteral("param 00"));
}

}  // namespace
}  // namespace q31::sim::test
