#include "platform/folders.h"
#include "platform/registry_settings.h"
#include "platform/runtime_folder.h"
#include "platform/ui_message.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QSettings>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

TEST(Folders, UserDataFolderIsCreatedUnderXdgDataHome)
{
    const QString folder = q31::UserDataFolder("MousePad");
    EXPECT_EQ(folder, qEnvironmentVariable("XDG_DATA_HOME") + "/Q-31/MousePad");
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(Folders, ProgramDataComesFromTheSourceTreeWhenRunFromTheBuildTree)
{
    EXPECT_EQ(q31::ProgramDataFolder(), QStringLiteral(Q31_SOURCE_DATA_DIR));
    EXPECT_TRUE(q31::DefaultDataFolder().endsWith("/DefaultData"));
    q31::SetProgramDataFolder("/elsewhere");
    EXPECT_EQ(q31::SkinFolder(), "/elsewhere/skin");
    q31::SetProgramDataFolder({});
    EXPECT_EQ(q31::FontFolder(), QStringLiteral(Q31_SOURCE_DATA_DIR "/Font"));
}

TEST(RuntimeFolder, IsPrivateToTheUser)
{
    const QString folder = q31::RuntimeFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), 0);
}

TEST(RegistrySettings, LanguageIdSurvivesAndGarbageReadsAsMissing)
{
    EXPECT_TRUE(q31::WriteLanguageSetting(2052));
    EXPECT_EQ(q31::ReadLanguageSetting(), 2052u);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Q-31", "Q-31").setValue("LANGUAGE", "not a number");
    EXPECT_FALSE(q31::ReadLanguageSetting().has_value());
}

TEST(RegistrySettings, DesktopSettingsComeFromTheFileElseFromTheRunningDesktop)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Q-31", "Q-31");
    settings.remove("DesktopSettings");
    settings.sync();
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    EXPECT_EQ(q31::DesktopSettingsCommand(q31::DesktopSettingsPage::Mouse), "gnome-control-center mouse");
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    EXPECT_EQ(q31::DesktopSettingsCommand(q31::DesktopSettingsPage::Keyboard), "systemsettings kcm_keyboard");
    qputenv("XDG_CURRENT_DESKTOP", "sway");
    EXPECT_TRUE(q31::DesktopSettingsCommand(q31::DesktopSettingsPage::Mouse).isEmpty());

    settings.setValue("DesktopSettings/Mouse", "xfce4-mouse-settings");
    settings.setValue("DesktopSettings/Keyboard", "");
    settings.sync();
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    EXPECT_EQ(q31::DesktopSettingsCommand(q31::DesktopSettingsPage::Mouse), "xfce4-mouse-settings");
    // An empty value turns the desktop's default off.
    EXPECT_TRUE(q31::DesktopSettingsCommand(q31::DesktopSettingsPage::Keyboard).isEmpty());
    settings.remove("DesktopSettings");
    qputenv("XDG_CURRENT_DESKTOP", desktop);
}

namespace {

class Receiver : public QObject, public IMessageReceiver {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        handledOn = QThread::currentThread();
        lastMessage = message;
        return static_cast<LRESULT>(wParam) + lParam;
    }
    QObject* MessageContext() override { return this; }

    std::atomic<QThread*> handledOn = nullptr;
    std::atomic<UINT> lastMessage = 0;
};

}  // namespace

TEST(UiMessage, SendFromAWorkerBlocksUntilTheUiThreadHandledIt)
{
    Receiver receiver;
    std::atomic<LRESULT> result = 0;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        result = SendMessageTo(receiver, 0x0C12, 40, 2);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 5000));
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(receiver.handledOn, QThread::currentThread());

    std::thread poster([&] { PostMessageTo(receiver, 0x0C13, 0, 0); });
    poster.join();
    EXPECT_EQ(receiver.lastMessage, 0x0C12u);  // queued, not yet handled
    EXPECT_TRUE(QTest::qWaitFor([&] { return receiver.lastMessage == 0x0C13u; }, 5000));
}

TEST(UiMessage, SendToAContextDestroyedBeforeHandlingReturnsInsteadOfHanging)
{
    struct LateReceiver : IMessageReceiver {
        LRESULT HandleMessage(UINT, WPARAM, LPARAM) override { return 1; }
        QObject* MessageContext() override
        {
            QObject* current = context.get();
            asked = true;
            return current;
        }
        std::unique_ptr<QObject> context = std::make_unique<QObject>();
        std::atomic<bool> asked = false;
    } receiver;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        EXPECT_EQ(SendMessageTo(receiver, 0x0C12, 0, 0), 0);
        done = true;
    });
    // Give the worker time to queue the message, then drop its context unhandled.
    while (!receiver.asked)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    receiver.context.reset();
    worker.join();
    EXPECT_TRUE(done);
}
