#include "platform/registered_message.h"
#include "tests/common/bus_peer_process.h"
#include "tests/common/temp_folder.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using q31::test::BusPeerProcess;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs q31-msg while keeping this process's event loop free for the peer.
Outcome RunQ31Msg(const QStringList& arguments)
{
    QProcess program;
    program.start(QStringLiteral(Q31_MSG_PROGRAM), arguments);
    program.waitForFinished(10000);
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()).trimmed(),
            QString::fromUtf8(program.readAllStandardError())};
}

}  // namespace

TEST(Q31Msg, BadArgumentsExitWithTwoAndSendNothing)
{
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--to"}, QStringList{"Name", "notanumber"}, QStringList{"A", "1", "2", "3"},
          QStringList{"--copydata", "1", "/nonexistent"}, QStringList{"--bogus", "x"}}) {
        const Outcome outcome = RunQ31Msg(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.contains("usage:"));
    }
}

TEST(Q31Msg, NoReceiverExitsWithOne)
{
    EXPECT_EQ(RunQ31Msg({"Q-31"}).exitCode, 1);
    EXPECT_EQ(RunQ31Msg({"--to", "MainWnd", "Q-31", "0", "1"}).exitCode, 1);
}

TEST(Q31Msg, BroadcastsSendsAndCopiesToARunningWindow)
{
    BusPeerProcess peer({"listen", "MainWnd", "Q-31"});
    ASSERT_EQ(peer.NextLine(), "ready");
    const UINT instance = RegisterWindowMessage("Q-31");

    EXPECT_EQ(RunQ31Msg({"Q-31", "0", "1"}).exitCode, 0);
    EXPECT_EQ(peer.NextLine(), QStringLiteral("msg %1 0 1").arg(instance));

    const Outcome sent = RunQ31Msg({"--to", "MainWnd", "--title", "Q-31", "q-31", "0x10", "-3"});
    EXPECT_EQ(sent.exitCode, 0);
    EXPECT_EQ(sent.out, "-2");  // the peer answers lParam + 1
    EXPECT_EQ(peer.NextLine(), QStringLiteral("msg %1 16 -3").arg(instance));

    q31::test::TempFolder folder;
    const QString path = QString::fromStdString(folder.Path()) + "/record.bin";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("device table");
    file.close();
    const Outcome copied = RunQ31Msg({"--title", "Q-31", "--copydata", "7", path});
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_EQ(copied.out, "12");
    EXPECT_TRUE(peer.NextLine().startsWith("copy 7 0 12 "));
}
