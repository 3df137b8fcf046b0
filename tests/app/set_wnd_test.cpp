// The settings window: its language list, the update run against the update
// tests' local server, the close rule while the updating program works, and
// that program's progress arriving over the bus through the main window.
#include "app/main_wnd.h"
#include "app/registered_messages.h"
#include "app/set_wnd.h"
#include "tests/app/desktop_test.h"
#include "tests/update/local_test_server.h"
#include "ui/resource_manager.h"
#include "update/update_component.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QProcess>
#include <QProgressBar>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>

namespace {

using namespace q31::update;
using q31::test::AnswerSegment;
using q31::test::LocalTestServer;

constexpr int kCheckMs = 10000;
const QString kProgressName = QString::fromLatin1(kGuidMessageNames[0]);

const QByteArray kNewerApplication = R"({"name":"AP_99","version":"99","version_name":"V9.9","path":"p"})";
const QByteArray kOlderApplication = R"({"name":"AP_1","version":"1","version_name":"V0.0.1","path":"p"})";
const QByteArray kNewerMouse =
    R"({"path":"https://example.invalid/ms.bin","name":"MS_0106","version_name":"V1.0.6","version":"0106","device_id":3})";

// Remembers what the settings window tells the main window.
class CLanguageTarget : public IMessageReceiver {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        received.emplace_back(message, wParam);
        return 0;
    }
    QObject* MessageContext() override { return &context; }

    QObject context;
    std::vector<std::pair<UINT, WPARAM>> received;
};

// The program's debug lines while it lives, from any thread.
class CDebugLines {
public:
    CDebugLines()
    {
        {
            std::lock_guard lock(s_mutex);
            s_lines = &m_lines;
        }
        QLoggingCategory::setFilterRules(QStringLiteral("q31.debug=true"));
        m_previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            std::lock_guard lock(s_mutex);
            if (s_lines)
                s_lines->append(text);
        });
    }
    ~CDebugLines()
    {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
        std::lock_guard lock(s_mutex);
        s_lines = nullptr;
    }
    QStringList Lines() const
    {
        std::lock_guard lock(s_mutex);
        return m_lines;
    }

private:
    static inline std::mutex s_mutex;
    static inline QStringList* s_lines = nullptr;
    QStringList m_lines;
    QtMessageHandler m_previous;
};

QString Text(const char* id)
{
    return CResourceManager::GetInstance().GetText(QString::fromLatin1(id));
}

class SetWndTest : public q31::test::DesktopTest {
protected:
    static void SetUpTestSuite()
    {
        q31::test::KeepRequestsLocal();
        s_server = new LocalTestServer(LocalTestServer::Scheme::Http);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        DesktopTest::SetUp();
        ASSERT_TRUE(s_server->IsRunning());
    }
    void TearDown() override
    {
        m_settings.reset();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Q-31"), QStringLiteral("Q-31"))
            .remove(QStringLiteral("UpdateServiceUrl"));
        DesktopTest::TearDown();
    }

    static UpdateService Answering(const QByteArray& answer)
    {
        UpdateService service;
        service.address = s_server->Base() + AnswerSegment(answer);
        return service;
    }

    static std::vector<UpdateComponent> ApplicationOnly()
    {
        return ListedComponents({}, ReadInstalledAppVersion());
    }

    // A settings window on its own, shown without a modal run, its check started.
    CSetWnd& OpenSettings(std::vector<UpdateComponent> components, const UpdateService& service, int language = 0)
    {
        m_settings = std::make_unique<CSetWnd>(&m_target, language, std::move(components), service);
        m_settings->Create(nullptr, QStringLiteral("SetWnd"), WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW);
        return *m_settings;
    }

    bool CheckEnds() const
    {
        return QTest::qWaitFor([this] { return m_settings->GetUpdateStatus() != kStatusChecking; }, kCheckMs);
    }

    template <class T = QWidget>
    T* Control(const char* name) const
    {
        return m_settings->GetPaintManager().FindControl<T>(QString::fromLatin1(name));
    }

    void Click(const char* name) const
    {
        auto* button = Control<QAbstractButton>(name);
        ASSERT_TRUE(button) << name;
        button->click();
    }

    bool IsOpen() const { return m_settings->GetHWND() && m_settings->GetHWND()->isVisible(); }

    // Runs body while the main window's settings window is open, then closes
    // it the window manager's way.
    void WhileSettingsOpen(const std::function<void(QWidget& window)>& body)
    {
        bool finished = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->objectName() != QLatin1String("SetWnd") || !window->isVisible())
                    continue;
                poll.stop();
                body(*window);
                window->close();
                finished = true;
                return;
            }
        });
        poll.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 3 * kCheckMs));
    }

    CMainWnd& OpenMainWindow(const QByteArray& answer)
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Q-31"), QStringLiteral("Q-31"));
        settings.setValue(QStringLiteral("UpdateServiceUrl"), s_server->Base() + AnswerSegment(answer));
        settings.sync();
        m_window = std::make_unique<CMainWnd>();
        EXPECT_TRUE(m_window->CreateMainWindow());
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_window->GetHWND()->isVisible(); }, kCheckMs));
        return *m_window;
    }

    static inline LocalTestServer* s_server = nullptr;
    CLanguageTarget m_target;
    std::unique_ptr<CSetWnd> m_settings;
};

QString ChildText(QWidget& window, const char* name, int index = 0)
{
    const QList<QLabel*> labels = window.findChildren<QLabel*>(QString::fromLatin1(name));
    return index < labels.size() ? labels[index]->text() : QString();
}

// Sends the updating program's progress with q31-msg, as that program would.
bool PostProgress(WPARAM kind, LPARAM value)
{
    QProcess program;
    program.start(QStringLiteral(Q31_MSG_PROGRAM),
                  {QStringLiteral("--to"), QString::fromLatin1(CMainWnd::kClassName), kProgressName,
                   QString::number(kind), QString::number(value)});
    // The main window answers from this thread's event loop.
    return QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, kCheckMs) &&
           program.exitCode() == 0;
}

}  // namespace

TEST_F(SetWndTest, WithoutDevicesOnlyTheApplicationIsListedWithThisBuildsVersion)
{
    CMainWnd& main = OpenMainWindow(kOlderApplication);
    main.HandleMessage(CMainWnd::kOpenSettings, 0, 0);
    WhileSettingsOpen([](QWidget& window) {
        EXPECT_EQ(window.size(), QSize(CSetWnd::kWidth, CSetWnd::kHeight));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ChildText(window, "update_item_name").isEmpty(); }, kCheckMs));
        EXPECT_EQ(window.findChildren<QLabel*>(QStringLiteral("update_item_name")).size(), 1);
        EXPECT_EQ(ChildText(window, "update_item_name"), QStringLiteral("AP"));
        EXPECT_EQ(ChildText(window, "update_item_installed"), QStringLiteral("V") + InstalledAppVersionText());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return ChildText(window, "Update_Status_text").startsWith(Text("UpdateIsLastText")); }, kCheckMs));
    });
}

TEST_F(SetWndTest, ChoosingTheSecondLanguageTellsTheMainWindowItsIndex)
{
    OpenSettings(ApplicationOnly(), Answering(kOlderApplication));
    auto* combo = Control<QComboBox>("Language_combox_info");
    ASSERT_TRUE(combo);
    ASSERT_GE(combo->count(), 2);
    // The current language is shown without telling anyone.
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(m_target.received.empty());

    combo->setCurrentIndex(1);
    ASSERT_EQ(m_target.received.size(), 1u);
    EXPECT_EQ(m_target.received[0], (std::pair<UINT, WPARAM>{CSetWnd::kLanguageChanged, 1}));
    EXPECT_EQ(m_settings->GetLanguageIndex(), 1);
}

TEST_F(SetWndTest, StoredLanguageOutsideTheListSelectsNothing)
{
    for (int stored : {-1, 2, 99}) {
        OpenSettings(ApplicationOnly(), Answering(kOlderApplication), stored);
        auto* combo = Control<QComboBox>("Language_combox_info");
        ASSERT_TRUE(combo);
        EXPECT_EQ(combo->currentIndex(), -1) << stored;
        EXPECT_TRUE(m_target.received.empty());
        m_settings.reset();
    }
}

TEST_F(SetWndTest, DpiOutsideTheStepsIsLoggedAndBecomes96)
{
    OpenSettings(ApplicationOnly(), Answering(kOlderApplication));
    m_settings->SetDPI(144);
    EXPECT_EQ(m_settings->GetDPI(), 144);
    CDebugLines log;
    m_settings->SetDPI(110);
    EXPECT_EQ(m_settings->GetDPI(), 96);
    EXPECT_TRUE(log.Lines().contains(QStringLiteral("SET_WND DPI SET ERROR")));
    EXPECT_EQ(m_settings->GetHWND()->size(), QSize(CSetWnd::kWidth, CSetWnd::kHeight));
}

TEST_F(SetWndTest, UpdateRunOffersTheNewerFirmwareAndAsksTheService)
{
    UpdateComponent mouse = UpdateComponentTable().at(0);
    mouse.version = 0x0105;
    std::vector<UpdateComponent> components = ApplicationOnly();
    components.insert(components.begin(), mouse);
    const std::size_t before = s_server->Requests().size();
    OpenSettings(components, Answering(kNewerMouse));
    EXPECT_EQ(Control<QLabel>("Update_Status_text")->text(), Text("GetUpdateInfoText"));
    EXPECT_FALSE(Control("update_status_ring")->isHidden());
    ASSERT_TRUE(CheckEnds());

    EXPECT_EQ(m_settings->GetUpdateStatus(), kStatusHaveUpdate);
    EXPECT_EQ(Control<QLabel>("Update_Status_text")->text(), Text("HaveUpdateInfoText"));
    EXPECT_TRUE(Control("update_status_ring")->isHidden());
    const auto& lines = m_settings->Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->State(), kStateNeedUpdate);
    EXPECT_EQ(lines[0]->Line().availableVersionText, QStringLiteral("V0106"));
    EXPECT_TRUE(lines[0]->IsSelected());
    EXPECT_TRUE(Control("update_fw_and_ap")->isEnabled());
    EXPECT_FALSE(Control("update_fw_and_ap")->isHidden());

    const std::vector<QJsonObject> requests = s_server->Requests();
    ASSERT_EQ(requests.size(), before + 2);
    EXPECT_EQ(requests[before].value(QStringLiteral("body")).toString(),
              QStringLiteral("app_key=QUORL_1_RM7D_MS_1&version=105"));
    EXPECT_TRUE(requests[before].value(QStringLiteral("path")).toString().endsWith(QStringLiteral("/api/updates")));

    // With no line checked there is no update button.
    for (const auto& line : lines) {
        auto* check = line->Root()->findChild<QAbstractButton*>(QStringLiteral("check_name_select"));
        ASSERT_TRUE(check);
        if (check->isChecked())
            check->click();
    }
    EXPECT_FALSE(Control("update_fw_and_ap")->isEnabled());
    EXPECT_TRUE(Control("update_fw_and_ap")->isHidden());
}

TEST_F(SetWndTest, UnreachableServiceSaysSoAndKeepsTheApplicationLine)
{
    UpdateService service;
    service.address = QStringLiteral("http://127.0.0.1:%1").arg(q31::test::FreedPort());
    OpenSettings(ApplicationOnly(), service);
    ASSERT_TRUE(CheckEnds());
    EXPECT_EQ(m_settings->GetUpdateStatus(), kStatusNoUpdateInfo);
    EXPECT_EQ(Control<QLabel>("Update_Status_text")->text(), Text("NoUpdateInfoText"));
    ASSERT_EQ(m_settings->Lines().size(), 1u);
    EXPECT_EQ(m_settings->Lines()[0]->State(), kStateUpToDate);
}

TEST_F(SetWndTest, CloseIsRefusedOnlyWhileALineDownloadsOrUpdates)
{
    OpenSettings(ApplicationOnly(), Answering(kNewerApplication));
    ASSERT_TRUE(CheckEnds());
    ASSERT_EQ(m_settings->GetUpdateStatus(), kStatusHaveUpdate);
    Click("update_fw_and_ap");
    EXPECT_EQ(Control<QStackedWidget>("get_update_tab_layout")->currentIndex(), 1);
    Click("update_OK_btn");
    EXPECT_EQ(Control<QStackedWidget>("get_update_tab_layout")->currentIndex(), 0);
    CUpdateInfoListItemUI& line = *m_settings->Lines()[0];
    EXPECT_EQ(line.State(), kStateDownloadWait);
    EXPECT_EQ(m_settings->GetUpdateStatus(), kStatusUpdating);
    EXPECT_FALSE(Control("update_fw_and_ap")->isEnabled());

    // Its progress starts the download: now the close button is refused.
    m_settings->HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressPercent, 40);
    EXPECT_EQ(line.State(), kStateDownloading);
    EXPECT_EQ(line.Progress(), 40);
    Click("closebtn");
    EXPECT_TRUE(IsOpen());
    line.SetState(kStateUpdating);
    Click("laterbtn");
    EXPECT_TRUE(IsOpen());

    // The line is done: the window may go.
    m_settings->HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressLineDone, 0);
    EXPECT_EQ(line.State(), kStateUpToDate);
    EXPECT_EQ(line.Line().installedVersionText, QStringLiteral("V9.9"));
    EXPECT_EQ(m_settings->GetUpdateStatus(), kStatusLatest);
    Click("closebtn");
    EXPECT_FALSE(IsOpen());
}

TEST_F(SetWndTest, WaitingForTheUpdaterDoesNotHoldTheWindow)
{
    OpenSettings(ApplicationOnly(), Answering(kNewerApplication));
    ASSERT_TRUE(CheckEnds());
    Click("update_OK_btn");
    ASSERT_EQ(m_settings->Lines()[0]->State(), kStateDownloadWait);
    Click("closebtn");
    EXPECT_FALSE(IsOpen());
}

TEST_F(SetWndTest, TheWindowManagersCloseWorksWhileALineDownloads)
{
    CMainWnd& main = OpenMainWindow(kNewerApplication);
    main.HandleMessage(CMainWnd::kOpenSettings, 0, 0);
    WhileSettingsOpen([&main](QWidget& window) {
        auto* confirm = window.findChild<QAbstractButton*>(QStringLiteral("update_OK_btn"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return ChildText(window, "update_item_state") == Text("NeedUpdateText"); },
                                    kCheckMs));
        confirm->click();
        main.HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressPercent, 30);
        EXPECT_EQ(ChildText(window, "update_item_state"), Text("DownloadIngText"));
    });
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->objectName() == QLatin1String("SetWnd") && window->isVisible());
}

TEST_F(SetWndTest, ProgressIsClampedAndIgnoredWithoutACurrentLine)
{
    OpenSettings(ApplicationOnly(), Answering(kNewerApplication));
    ASSERT_TRUE(CheckEnds());
    CUpdateInfoListItemUI& line = *m_settings->Lines()[0];
    // Nothing was handed to the updater yet.
    m_settings->HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressPercent, 50);
    m_settings->HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressLineDone, 0);
    EXPECT_EQ(line.State(), kStateNeedUpdate);
    EXPECT_EQ(line.Progress(), 0);

    Click("update_OK_btn");
    m_settings->HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressPercent, 250);
    EXPECT_EQ(line.Progress(), 100);
    m_settings->HandleMessage(g_msgUpdateProgress, CSetWnd::kProgressPercent, -20);
    EXPECT_EQ(line.Progress(), 0);
}

TEST_F(SetWndTest, ProgressPostedOverTheBusReachesTheOpenWindow)
{
    CMainWnd& main = OpenMainWindow(kNewerApplication);
    main.HandleMessage(CMainWnd::kOpenSettings, 0, 0);
    WhileSettingsOpen([](QWidget& window) {
        const auto button = [&](const char* name) {
            return window.findChild<QAbstractButton*>(QString::fromLatin1(name));
        };
        ASSERT_TRUE(QTest::qWaitFor([&] { return button("update_fw_and_ap")->isEnabled(); }, kCheckMs));
        button("update_fw_and_ap")->click();
        button("update_OK_btn")->click();
        EXPECT_EQ(ChildText(window, "update_item_state"), Text("DownloadWaitText"));

        // Past the end: the bar is full.
        ASSERT_TRUE(PostProgress(CSetWnd::kProgressPercent, 150));
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("update_progress_value"));
        ASSERT_TRUE(bar);
        EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() == 100; }, kCheckMs));
        EXPECT_EQ(ChildText(window, "update_item_state"), Text("DownloadIngText"));
        button("closebtn")->click();
        EXPECT_TRUE(window.isVisible());

        ASSERT_TRUE(PostProgress(CSetWnd::kProgressLineDone, 0));
        EXPECT_TRUE(QTest::qWaitFor([&] { return ChildText(window, "update_item_state") == Text("UpdateOkText"); },
                                    kCheckMs));
        button("closebtn")->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, kCheckMs));
    });
}
