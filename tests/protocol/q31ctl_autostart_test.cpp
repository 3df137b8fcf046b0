// "q31ctl autostart on|off": the login entry is written and removed by a
// q31ctl that has no display, and a failure is one line and a non-zero status.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "tests/common/temp_folder.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

TEST(Q31ctlAutostartTest, TakesOnOrOffAndNothingElse)
{
    auto parsed = ParseCommandLine({"autostart", "on"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->command, Command::Autostart);
    EXPECT_TRUE(parsed.options->autostart);
    parsed = ParseCommandLine({"autostart", "off"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_FALSE(parsed.options->autostart);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"autostart"}, {"autostart", "yes"}, {"autostart", "on", "off"}}) {
        parsed = ParseCommandLine(bad);
        EXPECT_FALSE(parsed.options);
        EXPECT_FALSE(parsed.error.empty());
    }
    EXPECT_NE(UsageText().find("\n  autostart on|off "), std::string::npos);
}

#ifdef Q31CTL_BINARY
struct CtlResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// q31ctl as a login script or a terminal without a display would start it.
CtlResult Autostart(const QString& configHome, const QString& onOff)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(Q31CTL_BINARY), {QStringLiteral("autostart"), onOff});
    CtlResult run;
    if (process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Q31ctlAutostartTest, WritesTheLoginEntryUnderXdgConfigHomeAndRemovesIt)
{
    const test::TempFolder home;
    const QString configHome = QString::fromStdString(home.Sub("config"));
    const QString entry = configHome + QStringLiteral("/autostart/q31.desktop");

    const CtlResult on = Autostart(configHome, QStringLiteral("on"));
    ASSERT_EQ(on.status, kExitSuccess) << on.err.toStdString();
    const QByteArray written = Contents(entry);
    EXPECT_TRUE(written.startsWith("[Desktop Entry]\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("\nType=Application\n"));
    EXPECT_TRUE(written.contains("\nExec=q31\n"));
    EXPECT_TRUE(on.out.contains(entry.toUtf8())) << on.out.toStdString();

    // Again: the same entry, written over the old one, with no temporary file left beside it.
    ASSERT_EQ(Autostart(configHome, QStringLiteral("on")).status, kExitSuccess);
    EXPECT_EQ(Contents(entry), written);
    EXPECT_EQ(QDir(configHome + QStringLiteral("/autostart")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("q31.desktop")});

    const CtlResult off = Autostart(configHome, QStringLiteral("off"));
    EXPECT_EQ(off.status, kExitSuccess) << off.err.toStdString();
    EXPECT_FALSE(QFile::exists(entry));
    // Nothing left to remove is no failure.
    EXPECT_EQ(Autostart(configHome, QStringLiteral("off")).status, kExitSuccess);
}

TEST(Q31ctlAutostartTest, AFolderThatCannotBeWrittenFailsWithOneLine)
{
    const test::TempFolder home;
    // A file where the configuration folder should be.
    const QString blocked = QString::fromStdString(home.Path()) + QStringLiteral("/not-a-folder");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const CtlResult on = Autostart(blocked, QStringLiteral("on"));
    EXPECT_EQ(on.status, kExitFailure);
    EXPECT_TRUE(on.err.startsWith("q31ctl: ")) << on.err.toStdString();
    EXPECT_EQ(on.err.count('\n'), 1) << on.err.toStdString();

    // An entry that is a folder cannot be removed.
    const QString configHome = QString::fromStdString(home.Sub("config"));
    ASSERT_TRUE(QDir().mkpath(configHome + QStringLiteral("/autostart/q31.desktop")));
    const CtlResult off = Autostart(configHome, QStringLiteral("off"));
    EXPECT_EQ(off.status, kExitFailure);
    EXPECT_EQ(off.err.count('\n'), 1) << off.err.toStdString();
}
#endif

}  // namespace
}  // namespace q31::ctl
