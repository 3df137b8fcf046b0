// A process killed at random points while it rewrites a document never leaves a
// document that does not parse, nor one older than it had already written.
#include "profiles/json_file.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace {

constexpr int kRewrites = 1000;
constexpr int kKills = 40;

// A memory file system where there is one: the test is about kills, not about
// the disk, and a thousand flushes to a real disk take far too long.
QString ScratchRoot()
{
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
}

// Runs the rewriter; kills it after the given time from the start of its writing,
// or lets it finish when the time is negative.
void RunRewriter(const QString& path, std::chrono::microseconds killAfter)
{
    QProcess rewriter;
    rewriter.start(QStringLiteral(Q31_PROFILE_REWRITER), {path, QString::number(kRewrites)});
    ASSERT_TRUE(rewriter.waitForStarted(5000));
    if (killAfter.count() < 0) {
        ASSERT_TRUE(rewriter.waitForFinished(60000));
        ASSERT_EQ(rewriter.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(rewriter.exitCode(), 0);
        return;
    }
    ASSERT_TRUE(rewriter.waitForReadyRead(5000));
    std::this_thread::sleep_for(killAfter);
    rewriter.kill();
    rewriter.waitForFinished(5000);
}

TEST(KillTest, DocumentSurvivesKillsDuringThousandRewrites)
{
    const QTemporaryDir folder(ScratchRoot() + QStringLiteral("/q31-kill-XXXXXX"));
    ASSERT_TRUE(folder.isValid());
    const QString path = QDir(folder.path()).filePath("profile.Json");
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> killAfterUs(0, 4000);

    int generation = 0;
    for (int run = 0; generation < kRewrites; ++run) {
        const bool kill = run < kKills;
        RunRewriter(path, std::chrono::microseconds(kill ? killAfterUs(random) : -1));
        if (!QFile::exists(path))
            continue;  // killed before its first write
        const Json::Value document = ParseJsonFile(path);
        ASSERT_TRUE(document.isObject()) << "after kill " << run << ", generation " << generation;
        const int written = document["Generation"].asInt();
        ASSERT_GE(written, generation);
        generation = written;
        if (!kill) {
            ASSERT_EQ(generation, kRewrites);
        }
    }
}

}  // namespace
