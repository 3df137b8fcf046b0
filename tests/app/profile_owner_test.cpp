// The profile bar on the keyboard and mouse pages the program ships, over the
// simulated devices: what each button leaves in the combo and the files, and
// what a switch sends to the device.
#include "app/profile_owner.h"

#include "devices/halvorin_keyboard_device.h"
#include "keys/function_types.h"
#include "macros/macro_files.h"
#include "platform/folders.h"
#include "profiles/device_profile_ui.h"
#include "profiles/json_file.h"
#include "profiles/profile_list_file.h"
#include "profiles/profile_operations.h"
#include "protocol/command_codes.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/temp_folder.h"
#include "tests/devices/device_test_support.h"
#include "ui/option_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

constexpr int kQ = 43;
constexpr int kQPosition = 40;
constexpr int kW = 44;
constexpr UINT kSwitchTimer = 1055;

const char* const kButtons[] = {"device_profile_edit_save_btn", "profile_fun_spread_btn", "device_add_btn",
                                "device_copy_btn", "device_sub_btn", "device_import_btn", "device_export_btn",
                                "device_reset_btn", "default_btn"};

class ProfileOwnerTest : public ::testing::Test {
protected:
    ProfileOwnerTest()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            ++fired;
            owners.DispatchTimer(kSwitchTimer);
        });
    }

    void Open(const char* skin, const char* device, std::uint16_t type)
    {
        m_kindName = QString::fromLatin1(device);
        QDir(UserDataFolder(m_kindName)).removeRecursively();
        page = builder.BuildShipped(skin);
        ASSERT_NE(page, nullptr);
        page->SetKindName(m_kindName);
        page->CreatePage();
        owner.BindPage(*page);
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), device, type));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
        bar = page->findChild<CDeviceProfileUI*>();
        ASSERT_NE(bar, nullptr);
        combo = Find<QComboBox>("device_profile_combo");
        ASSERT_NE(combo, nullptr);
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    template <class Control>
    Control* Find(const char* name) const
    {
        return page->findChild<Control*>(QString::fromLatin1(name));
    }

    // The notification as the main window passes it on, through the routes.
    bool Dispatch(const char* type, QWidget* sender, WPARAM wParam = 0)
    {
        TNotifyUI msg{QString::fromLatin1(type), sender, wParam, 0};
        return owners.Dispatch(msg);
    }

    void Click(const char* button)
    {
        auto* sender = Find<QWidget>(button);
        ASSERT_NE(sender, nullptr) << button;
        EXPECT_TRUE(Dispatch("click", sender));
        EXPECT_TRUE(WaitForResults());
    }

    void Choose(int index)
    {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
        EXPECT_TRUE(Dispatch("itemselect", combo, WPARAM(index)));
    }

    // Waits for the switch that was asked for, and for what it sent.
    bool WaitForSwitch()
    {
        return QTest::qWaitFor([this] { return !m_timer.isActive(); }, 3000) && WaitForResults();
    }

    QStringList ComboItems() const
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.push_back(combo->itemText(i));
        return items;
    }

    Json::Value ListOnDisk() const
    {
        return ProfileListFile(UserDataFolder(m_kindName), page->DefaultProfilePath()).LoadOrCreate();
    }

    QString DocumentPath(int index) const
    {
        const auto entries = ProfileListFile::Entries(ListOnDisk());
        return QDir(UserDataFolder(m_kindName)).filePath(entries[std::size_t(index)].id + QStringLiteral(".Json"));
    }

    // The combo, the name edit and the list on disk show the same profiles and selection.
    void ExpectBarMatchesDisk() const
    {
        const Json::Value list = ListOnDisk();
        EXPECT_EQ(ComboItems(), ProfileNames(list));
        EXPECT_EQ(combo->currentIndex(), ProfileListFile::SelectedIndex(list));
        EXPECT_EQ(Find<QLineEdit>("device_profile_name_edit")->text(), combo->currentText());
        EXPECT_EQ(bar->GetCurrentProfileId(), ProfileListFile::Entries(list)[std::size_t(combo->currentIndex())].id);
    }

    QLabel* StatusLine() const { return Find<QLabel>("device_status_line"); }

    // The commands of one full send of the profile the page holds, alone.
    std::vector<int> OneProfileSend()
    {
        bus.TakeCommands();
        qobject_cast<CHalvorinKeyboardDevice*>(page)->ApplyProfileToDevice();
        EXPECT_TRUE(WaitForResults());
        return bus.TakeCommands();
    }

    FunctionCode KeyMapAt(int position) const
    {
        const auto map = *bus.hub->Dump("keyboard", sim::Region::KeyMap);
        return {map[3 * position], map[3 * position + 1], map[3 * position + 2]};
    }

    SimBus bus;
    PageBuilder builder;
    TempFolder files;
    QTimer m_timer;
    int started = 0;
    int fired = 0;
    app::CNotifyOwners owners{[this](UINT timerId, UINT elapseMs) {
        EXPECT_EQ(timerId, kSwitchTimer);
        EXPECT_EQ(elapseMs, 400u);
        ++started;
        m_timer.start(int(elapseMs));
        return true;
    }};
    bool confirmAnswer = true;
    QStringList asked;
    QString openPath;
    QString savePath;
    app::CProfileOwner owner{owners, app::ProfilePrompts{
                                         [this](const QString& id) {
                                             asked.push_back(id);
                                             return confirmAnswer;
                                         },
                                         [this](const QString& id) { asked.push_back(id); },
                                         [this] { return openPath; },
                                         [this] { return savePath; },
                                     }};
    CHalvorinUSBDevice* page = nullptr;
    CDeviceProfileUI* bar = nullptr;
    QComboBox* combo = nullptr;
    QString m_kindName;
};

TEST_F(ProfileOwnerTest, BothPagesShowTheBarWithTooltipsAndTheirFunctionTabs)
{
    for (const auto& [skin, device, type, cursorHidden] :
         {std::tuple{"keyboarddevice.xml", "keyboard", Keyboard, true}, {"mousedevice.xml", "mouse", Mouse, false}}) {
        SCOPED_TRACE(device);
        Open(skin, device, type);
        EXPECT_TRUE(page->findChild<QWidget*>(QStringLiteral("profile_area"))->isAncestorOf(bar));
        EXPECT_EQ(ComboItems(), QStringList{QStringLiteral("profile1")});
        ExpectBarMatchesDisk();
        for (const char* name : kButtons) {
            auto* button = Find<QAbstractButton>(name);
            ASSERT_NE(button, nullptr) << name;
            EXPECT_TRUE(button->isVisible()) << name;
            EXPECT_FALSE(button->toolTip().isEmpty()) << name;
        }
        if (auto* cursor = Find<COptionUI>("cursor_Op_tab")) {
            EXPECT_EQ(cursor->isHidden(), cursorHidden);
        }
        // The menu button folds the operations away and back.
        Click("profile_fun_spread_btn");
        EXPECT_FALSE(Find<QAbstractButton>("device_add_btn")->isVisible());
        Click("profile_fun_spread_btn");
        EXPECT_TRUE(Find<QAbstractButton>("device_add_btn")->isVisible());
    }
}

TEST_F(ProfileOwnerTest, AddCopyRenameAndDeleteKeepTheComboAndTheListTogether)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    Click("device_add_btn");
    // The new profile is the one the list selects, and the page takes it.
    EXPECT_EQ(ComboItems(), (QStringList{"profile1", "profile2"}));
    EXPECT_EQ(combo->currentIndex(), 1);
    ExpectBarMatchesDisk();
    ASSERT_TRUE(WaitForSwitch());
    EXPECT_EQ(fired, 1);

    Click("device_copy_btn");
    Click("device_copy_btn");
    EXPECT_EQ(ComboItems(), (QStringList{"profile1", "profile2", "profile2 copy", "profile2 copy copy"}));
    ExpectBarMatchesDisk();

    const QString id = bar->GetCurrentProfileId();
    Find<QLineEdit>("device_profile_name_edit")->setText(QStringLiteral("Work"));
    Click("device_profile_edit_save_btn");
    EXPECT_EQ(ComboItems(), (QStringList{"profile1", "Work", "profile2 copy", "profile2 copy copy"}));
    EXPECT_EQ(bar->GetCurrentProfileId(), id);
    EXPECT_EQ(ParseJsonFile(DocumentPath(1))["profilename"].asString(), "Work");
    // Another profile's name in other letter case, and a blank name, are refused with their messages.
    Find<QLineEdit>("device_profile_name_edit")->setText(QStringLiteral("PROFILE1"));
    Click("device_profile_edit_save_btn");
    Find<QLineEdit>("device_profile_name_edit")->setText(QStringLiteral("   "));
    Click("device_profile_edit_save_btn");
    EXPECT_EQ(asked, (QStringList{"message_text_5", "message_text_25"}));
    EXPECT_EQ(ComboItems()[1], QStringLiteral("Work"));

    const QString removed = DocumentPath(1);
    Click("device_sub_btn");
    EXPECT_EQ(ComboItems(), (QStringList{"profile1", "profile2 copy", "profile2 copy copy"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_FALSE(QFile::exists(removed));
    ExpectBarMatchesDisk();
    ASSERT_TRUE(WaitForSwitch());

    Click("device_sub_btn");
    Click("device_sub_btn");
    Click("device_sub_btn");
    // The last profile stays.
    EXPECT_EQ(ComboItems(), QStringList{QStringLiteral("profile2 copy copy")});
    ExpectBarMatchesDisk();
}

TEST_F(ProfileOwnerTest, TheFiftyFirstAddDoesNothingWhileCopiesStillAdd)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    for (int i = 1; i < kMaxAddedProfiles; ++i)
        Click("device_add_btn");
    ASSERT_EQ(combo->count(), kMaxAddedProfiles);
    Click("device_add_btn");
    EXPECT_EQ(combo->count(), kMaxAddedProfiles);
    Click("device_copy_btn");
    EXPECT_EQ(combo->count(), kMaxAddedProfiles + 1);
    ExpectBarMatchesDisk();
    // However many adds came quickly, the device takes the profile once.
    ASSERT_TRUE(WaitForSwitch());
    EXPECT_EQ(fired, 1);
}

TEST_F(ProfileOwnerTest, ASwitchWaitsForTheLastQuickSelectionThenSendsTheWholeProfileOnce)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    page->EnableLiveLighting(0);
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(page);
    std::vector<KeyListEntry> keys = keyboard->GetKeyList();
    ASSERT_GT(keys.size(), std::size_t(kQ));
    const FunctionCode own{keys::kKeyboardKey, 0, 0x05};
    keys[kQ].current = own;
    // W plays a macro, so the macros go too.
    const macros::MacroFolder macros(UserDataFolder(QStringLiteral("keyboard")));
    Json::Value event(Json::objectValue);
    event["Action"] = "down";
    event["Type"] = 1;
    event["Button"] = 4;
    event["Delay"] = "10";
    Json::Value macro(Json::objectValue);
    macro["Events"].append(event);
    ASSERT_TRUE(macros.WriteMacroDocument(QStringLiteral("m0"), macro));
    ASSERT_TRUE(macros.WriteList({{QStringLiteral("m0"), QStringLiteral("m0")}}));
    keys[kW].current = {keys::kMacro, 0, 0};
    keyboard->SetKeyList(keys);
    keyboard->SaveProfile();
    Choose(0);
    ASSERT_TRUE(WaitForSwitch());
    const std::vector<int> wholeProfile = OneProfileSend();
    Click("device_add_btn");
    ASSERT_TRUE(WaitForSwitch());
    EXPECT_NE(KeyMapAt(kQPosition), own);
    const std::vector<int> parts{kCmdWriteParams, kCmdWriteMacros, kCmdWriteKeyMap};
    for (int part : parts)
        EXPECT_NE(std::ranges::find(wholeProfile, part), wholeProfile.end()) << part;

    started = fired = 0;
    bus.TakeCommands();
    Choose(0);
    QTest::qWait(150);
    Choose(1);
    QTest::qWait(150);
    Choose(0);
    EXPECT_EQ(fired, 0);
    ASSERT_TRUE(WaitForSwitch());
    EXPECT_EQ(started, 3);
    EXPECT_EQ(fired, 1);
    // The profile switched to, whole, and nothing besides it.
    EXPECT_EQ(bus.TakeCommands(), wholeProfile);
    EXPECT_EQ(KeyMapAt(kQPosition), own);
    ExpectBarMatchesDisk();
}

TEST_F(ProfileOwnerTest, ResetAsksFirstThenTheDeviceTakesTheDefaultProfile)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    page->EnableLiveLighting(0);
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(page);
    std::vector<KeyListEntry> keys = keyboard->GetKeyList();
    const FunctionCode shipped = keys[kQ].current;
    keys[kQ].current = {keys::kKeyboardKey, 0, 0x05};
    keyboard->SetKeyList(keys);
    keyboard->SaveProfile();
    ASSERT_TRUE(WaitForResults());
    bus.TakeCommands();

    confirmAnswer = false;
    Click("device_reset_btn");
    EXPECT_EQ(asked, QStringList{QStringLiteral("message_text_22")});
    EXPECT_TRUE(bus.TakeCommands().empty());
    EXPECT_EQ(keyboard->GetKeyList()[kQ].current, (FunctionCode{keys::kKeyboardKey, 0, 0x05}));

    confirmAnswer = true;
    Click("device_reset_btn");
    EXPECT_EQ(keyboard->GetKeyList()[kQ].current, shipped);
    EXPECT_EQ(KeyMapAt(kQPosition), shipped);
    ExpectBarMatchesDisk();
}

TEST_F(ProfileOwnerTest, ImportAndExportGoThroughTheDialogsAndARefusedImportNamesItsFile)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    const QDir folder(QString::fromStdString(files.Path()));
    savePath = folder.filePath(QStringLiteral("Gaming"));
    Click("device_export_btn");
    // The dialog's name without an ending gets ".json".
    ASSERT_TRUE(QFile::exists(savePath + QStringLiteral(".json")));

    openPath = savePath + QStringLiteral(".json");
    Click("device_import_btn");
    Click("device_import_btn");
    EXPECT_EQ(ComboItems(), (QStringList{"profile1", "Gaming", "Gaming(1)"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    ExpectBarMatchesDisk();

    openPath = folder.filePath(QStringLiteral("notes.json"));
    QFile notes(openPath);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("{\"shopping\": [\"milk\"]}");
    notes.close();
    Click("device_import_btn");
    EXPECT_EQ(combo->count(), 3);
    EXPECT_TRUE(StatusLine()->isVisible());
    EXPECT_TRUE(StatusLine()->text().contains(QStringLiteral("notes.json"))) << StatusLine()->text().toStdString();

    // A cancelled dialog does nothing.
    openPath.clear();
    Click("device_import_btn");
    EXPECT_EQ(combo->count(), 3);
}

TEST_F(ProfileOwnerTest, AnExportOfADocumentThatDoesNotParseWritesNothingAndSaysSo)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    QFile document(DocumentPath(0));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly | QIODevice::Truncate));
    document.write("{ not json");
    document.close();
    savePath = QDir(QString::fromStdString(files.Path())).filePath(QStringLiteral("out.json"));
    Click("device_export_btn");
    EXPECT_FALSE(QFile::exists(savePath));
    EXPECT_TRUE(StatusLine()->isVisible());
    EXPECT_TRUE(StatusLine()->text().contains(DocumentPath(0).section(QLatin1Char('/'), -1)));
}

TEST_F(ProfileOwnerTest, AFailedWriteChangesNeitherTheListNorTheComboAndNamesTheFile)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard);
    {
        const FileSizeLimit full;
        Click("device_add_btn");
        Click("device_copy_btn");
    }
    EXPECT_EQ(ComboItems(), QStringList{QStringLiteral("profile1")});
    ExpectBarMatchesDisk();
    EXPECT_TRUE(StatusLine()->isVisible());
    EXPECT_TRUE(StatusLine()->text().contains(QStringLiteral(".Json")) ||
                StatusLine()->text().contains(QStringLiteral("ProfileList.ini")))
        << StatusLine()->text().toStdString();
    EXPECT_EQ(started, 0);
}

}  // namespace
}  // namespace q31::test
