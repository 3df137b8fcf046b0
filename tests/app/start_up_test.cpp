#include "app/registered_messages.h"
#include "platform/bus_client.h"
#include "platform/registered_message.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QProcessEnvironment ProgramEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_LOGGING_RULES", "q31.debug=true");
    // In a ThreadSanitizer build the program ends at its first report, so a race in it fails the test.
    environment.insert("TSAN_OPTIONS", environment.value("TSAN_OPTIONS") + " halt_on_error=1");
    return environment;
}

}  // namespace

TEST(RegisteredMessages, EveryNameOfTheProgramHasItsOwnNumber)
{
    RegisterInstanceMessage();
    RegisterGuidMessages();
    const QSet<UINT> distinct{g_msgInstance,   g_msgUpdateProgress, g_msgLightOwner,
                              g_msgLightRequest, g_msgDeviceQuery,  g_msgAudioRecorder};
    EXPECT_EQ(distinct.size(), 6);
    QSet<UINT> all = distinct;
    QSet<QString> names;
    for (std::size_t i = 0; i < kHookAndGameMessageNames.size(); ++i) {
        all.insert(g_hookAndGameMessages[i]);
        names.insert(QString::fromLatin1(kHookAndGameMessageNames[i]));
        EXPECT_EQ(g_hookAndGameMessages[i], RegisterWindowMessage(kHookAndGameMessageNames[i]));
    }
    all.insert(RegisterWindowMessage("winmm_devicechange"));
    EXPECT_EQ(all.size(), 6 + names.size() + 1);
    EXPECT_EQ(g_hookAndGameMessages[14], g_hookAndGameMessages[15]);  // the name registered twice
}

TEST(StartUp, ASecondInstanceWakesTheFirstAndExitsWithZero)
{
    QProcess first;
    first.setProcessEnvironment(ProgramEnvironment());
    first.start(QStringLiteral(Q31_PROGRAM));
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([] { return q31::bus::FindWindow("MainWnd", "Q-31"); }, 10000));

    QProcess second;
    second.setProcessEnvironment(ProgramEnvironment());
    second.start(QStringLiteral(Q31_PROGRAM));
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    // The running instance logs the hand-over with wParam 0 and lParam 1.
    QByteArray log;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        log += first.readAllStandardError();
        return log.contains(QStringLiteral("软件标示 %1，0d1d").arg(RegisterWindowMessage("Q-31")).toUtf8());
    }, 5000)) << log.constData();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

TEST(StartUp, HelpNeedsNoDisplayAndNamesEveryOption)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(variable);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(Q31_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 0);
    const QByteArray help = program.readAllStandardOutput();
    for (const char* option : {"--simulate", "--screenshots FOLDER", "--help"})
        EXPECT_TRUE(help.contains(option)) << option;
}

TEST(StartUp, WithoutADisplayItExplainsAndExitsWithTwo)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(variable);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(Q31_PROGRAM));
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("DISPLAY"));
}
