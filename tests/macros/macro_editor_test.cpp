#include "macros/hook_macro_capture.h"
#include "macros/input_time.h"
#include "macros/macro_control_ui.h"
#include "macros/macro_event_row.h"
#include "macros/macro_limits.h"
#include "macros/recorded_event.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "tests/macros/macro_test_support.h"
#include "tests/ui/ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace q31::macros;
using namespace q31::macros::test;
using q31::platform::InputEvent;

namespace {

// Starts or refuses as told, counts the releases, and hands the test's input
// to the editor while started.
class FakeCapture : public IMacroCapture {
public:
    bool Start(int hookMode, QWidget*, Receiver receiver, QString& failureTextId) override
    {
        startedMode = hookMode;
        if (!startWorks)
            failureTextId = QStringLiteral("grab_failed");
        else
            m_receiver = std::move(receiver);
        return startWorks;
    }
    void Stop() override
    {
        m_receiver = nullptr;
        ++stops;
    }
    bool FocusOnly() const override { return focusOnly; }

    bool Feed(const InputEvent& input) const
    {
        if (m_receiver)
            m_receiver(input);
        return bool(m_receiver);
    }

    bool startWorks = true;
    bool focusOnly = false;
    int startedMode = 0;
    int stops = 0;

private:
    Receiver m_receiver;
};

class MacroEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = BuildMacroEditor();
        ASSERT_TRUE(editor);
        editor->SetPrompts({
            [this](const QString& id) {
                questions.append(id);
                return confirmAnswer;
            },
            [this](const QString& id) { notices.append(id); },
            [this] { return savePath; },
            [this] { return openPath; },
        });
        editor->SetCapture(&capture);
    }
    void TearDown() override { editor.reset(); }

    QString Folder() const { return QString::fromStdString(temp.Path()); }
    void Bind()
    {
        editor->SetMacroFolder(Folder());
        editor->LoadMacroList();
    }
    // Three macros; the second holds the events a, b and c (keys 4, 5, 6 down).
    void BindThree()
    {
        Json::Value events(Json::arrayValue);
        for (int key : {4, 5, 6})
            events.append(Event("down", 10, key, "10"));
        WriteFolder(Folder(), {{"g0", Json::Value(Json::arrayValue)}, {"g1", events}, {"g2", Json::Value(Json::arrayValue)}});
        Bind();
    }
    void SelectMacro(int row)
    {
        Names()->setCurrentRow(row);
        editor->ShowSelectedMacro();
    }
    QListWidget* Names() const { return editor->findChild<QListWidget*>("macro_name_list"); }
    QListWidget* Rows() const { return editor->findChild<QListWidget*>("macro_action_list"); }
    QWidget* Control(const char* name) const { return editor->findChild<QWidget*>(name); }
    QLineEdit* Field(const char* name) const { return editor->findChild<QLineEdit*>(name); }
    QLineEdit* DelayField(int row) const { return DelayFieldOf(Rows()->itemWidget(Rows()->item(row))); }
    void Click(const char* name)
    {
        TNotifyUI msg{QStringLiteral("click"), Control(name)};
        ASSERT_TRUE(msg.pSender) << name;
        editor->OnNotify(msg);
    }
    Json::Value StoredEvents(const QString& guid) const { return MacroFolder(Folder()).ReadEvents(guid); }
    std::vector<int> StoredButtons(const QString& guid) const
    {
        std::vector<int> buttons;
        for (const Json::Value& event : StoredEvents(guid))
            buttons.push_back(event["Button"].asInt());
        return buttons;
    }
    QStringList ListedGuids() const
    {
        QStringList guids;
        for (const MacroEntry& entry : MacroFolder(Folder()).ReadList())
            guids.append(entry.guid);
        return guids;
    }

    q31::test::ShippedSkin skin;
    q31::test::TempFolder temp;
    FakeCapture capture;
    std::unique_ptr<CMacroControlUI> editor;
    QStringList questions;
    QStringList notices;
    bool confirmAnswer = true;
    QString savePath;
    QString openPath;
};

TEST_F(MacroEditorTest, BindingListsTheMacrosWithNothingSelected)
{
    BindThree();
    EXPECT_EQ(Names()->count(), 3);
    EXPECT_EQ(editor->GetMacroNames(), QStringList({"name of g0", "name of g1", "name of g2"}));
    EXPECT_EQ(editor->GetSelectedMacro(), -1);
    EXPECT_EQ(Rows()->count(), 0);
    SelectMacro(1);
    EXPECT_EQ(Rows()->count(), 3);
    EXPECT_TRUE(Control("macro_action_layout")->isEnabled());
    EXPECT_TRUE(Control("macro_btn_export")->isEnabled());
}

TEST_F(MacroEditorTest, AddRenameAndTheirRefusals)
{
    Bind();
    QSignalSpy names(editor.get(), &CMacroControlUI::MacroNamesChanged);
    EXPECT_EQ(editor->AddMacro(), "macro_1");
    EXPECT_EQ(editor->AddMacro(), "macro_2");
    EXPECT_EQ(editor->GetSelectedMacro(), 1);
    EXPECT_EQ(ListedGuids().size(), 2);
    EXPECT_TRUE(Control("macro_btn_name_sub")->isEnabled());

    Field("macro_edit_macroname")->setText("Jump");
    Click("macro_btn_name_edit");
    EXPECT_EQ(Names()->item(1)->text(), "Jump");
    EXPECT_EQ(MacroFolder(Folder()).ReadList()[1].name, "Jump");

    // Its own name in another case is taken; a blank name is ignored silently.
    Field("macro_edit_macroname")->setText("JUMP");
    Click("macro_btn_name_edit");
    Field("macro_edit_macroname")->setText("   ");
    Click("macro_btn_name_edit");
    EXPECT_EQ(notices, QStringList({"message_text_5"}));
    EXPECT_EQ(Names()->item(1)->text(), "Jump");
    EXPECT_EQ(names.count(), 3);
}

TEST_F(MacroEditorTest, DeletingRemovesTheChosenMacroNotTheFirst)
{
    BindThree();
    SelectMacro(1);
    QSignalSpy deleted(editor.get(), &CMacroControlUI::MacroDeleted);
    Click("macro_btn_name_sub");
    EXPECT_EQ(questions, QStringList({"message_text_4"}));
    EXPECT_EQ(ListedGuids(), QStringList({"g0", "g2"}));
    EXPECT_FALSE(QFile::exists(QDir(Folder()).filePath("g1.mac")));
    EXPECT_TRUE(QFile::exists(QDir(Folder()).filePath("g0.mac")));
    ASSERT_EQ(deleted.count(), 1);
    EXPECT_EQ(deleted.at(0).at(0).toInt(), 1);
    // The first macro is shown afterwards.
    EXPECT_EQ(editor->GetSelectedMacro(), 0);
    EXPECT_EQ(editor->GetMacroNames(), QStringList({"name of g0", "name of g2"}));
}

TEST_F(MacroEditorTest, DeletingAsksFirstAndTheLastOneDisablesTheTools)
{
    WriteFolder(Folder(), {{"only", Json::Value(Json::arrayValue)}});
    Bind();
    SelectMacro(0);
    confirmAnswer = false;
    Click("macro_btn_name_sub");
    EXPECT_EQ(ListedGuids(), QStringList({"only"}));
    confirmAnswer = true;
    Click("macro_btn_name_sub");
    EXPECT_TRUE(ListedGuids().isEmpty());
    for (const char* name : {"macro_action_layout", "mouse_move_layout", "macro_btn_export", "macro_btn_name_sub",
                             "macro_btn_name_edit"})
        EXPECT_FALSE(Control(name)->isEnabled()) << name;
}

TEST_F(MacroEditorTest, MovesReorderRowsAndSaveTheFile)
{
    BindThree();
    SelectMacro(1);
    Rows()->setCurrentRow(2);
    Click("macro_btn_up");
    EXPECT_EQ(StoredButtons("g1"), std::vector<int>({4, 6, 5}));
    EXPECT_EQ(Rows()->currentRow(), 1);
    Click("macro_btn_uptop");
    EXPECT_EQ(StoredButtons("g1"), std::vector<int>({6, 4, 5}));
    EXPECT_EQ(Rows()->currentRow(), 0);
    Click("macro_btn_downbottom");
    EXPECT_EQ(StoredButtons("g1"), std::vector<int>({4, 5, 6}));
    EXPECT_EQ(Rows()->currentRow(), 2);
    // The last row down and the first row up stay where they are.
    Click("macro_btn_down");
    Rows()->setCurrentRow(0);
    Click("macro_btn_up");
    Click("macro_btn_down");
    EXPECT_EQ(StoredButtons("g1"), std::vector<int>({5, 4, 6}));
    // A moved row shows its stored delay.
    EXPECT_EQ(DelayField(1)->text(), "10");
}

TEST_F(MacroEditorTest, DeleteAndDeleteAllSave)
{
    BindThree();
    SelectMacro(1);
    Click("macro_btn_delete");
    EXPECT_EQ(StoredButtons("g1").size(), 3u);
    Rows()->setCurrentRow(1);
    Click("macro_btn_delete");
    EXPECT_EQ(StoredButtons("g1"), std::vector<int>({4, 6}));
    EXPECT_EQ(Rows()->currentRow(), -1);
    Click("macro_btn_deleteall");
    EXPECT_TRUE(StoredEvents("g1").empty());
    EXPECT_EQ(Rows()->count(), 0);
}

TEST_F(MacroEditorTest, CancelShowsTheSavedMacroAgain)
{
    BindThree();
    SelectMacro(1);
    DelayField(0)->setText("999");
    Rows()->setCurrentRow(0);
    editor->DeleteEvent();
    Click("macro_btn_cancel");
    ASSERT_EQ(Rows()->count(), 3);
    EXPECT_EQ(DelayField(0)->text(), "10");
}

TEST_F(MacroEditorTest, DelaysTypedAreClampedAndEmptyOnesBecomeZero)
{
    BindThree();
    SelectMacro(1);
    DelayField(0)->setText("70000");
    DelayField(1)->setText("");
    DelayField(2)->setText("123");
    TNotifyUI msg{QStringLiteral("killfocus"), DelayField(0)};
    editor->OnNotify(msg);
    const Json::Value events = StoredEvents("g1");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0]["Delay"].asString(), "65535");
    EXPECT_EQ(events[1]["Delay"].asString(), "0");
    EXPECT_EQ(events[2]["Delay"].asString(), "123");
    EXPECT_EQ(DelayField(0)->text(), "65535");
    EXPECT_EQ(DelayField(1)->text(), "0");
}

TEST_F(MacroEditorTest, ClickItemOnAnEmptyMacroGivesPressThenRelease)
{
    Bind();
    editor->AddMacro();
    editor->OnMenuItem("left_click");
    const QString guid = ListedGuids().at(0);
    const Json::Value events = StoredEvents(guid);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["Action"].asString(), "down");
    EXPECT_EQ(events[1]["Action"].asString(), "up");
    for (const Json::Value& event : events) {
        EXPECT_EQ(event["Type"].asInt(), 1);
        EXPECT_EQ(event["Button"].asInt(), 1);
        EXPECT_EQ(event["Delay"].asString(), "50");
    }
}

TEST_F(MacroEditorTest, InsertedEventsGoAfterTheSelectionOrTheFirstRow)
{
    BindThree();
    SelectMacro(1);
    Rows()->setCurrentRow(-1);
    editor->OnMenuItem("back_down");
    EXPECT_EQ(StoredButtons("g1"), std::vector<int>({4, 8, 5, 6}));
    EXPECT_EQ(Rows()->currentRow(), 1);
    Field("mouse_x_left_edit")->setText("300");
    Click("macro_inset_moveleftkey_btn");
    const Json::Value events = StoredEvents("g1");
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2]["Type"].asInt(), 4);
    EXPECT_EQ(events[2]["Action"].asString(), "down");
    EXPECT_EQ(events[2]["Button"].asInt(), 44);
    EXPECT_EQ(LookOfEvent(events[2]).actionText, "44");
}

TEST_F(MacroEditorTest, ExportCopiesAndAnUnreadableSourceLeavesTheTargetAlone)
{
    BindThree();
    SelectMacro(1);
    const QString target = QDir(Folder()).filePath("out.mac");
    savePath = target;
    Click("macro_btn_export");
    EXPECT_EQ(FileBytes(target), FileBytes(QDir(Folder()).filePath("g1.mac")));

    PutFile(target, "kept");
    QFile::remove(QDir(Folder()).filePath("g1.mac"));
    Click("macro_btn_export");
    EXPECT_EQ(FileBytes(target), QByteArray("kept"));
    ASSERT_TRUE(QDir(Folder()).mkdir("g1.mac"));
    Click("macro_btn_export");
    EXPECT_EQ(FileBytes(target), QByteArray("kept"));

    // A cancelled dialog does nothing.
    savePath.clear();
    Click("macro_btn_export");
    EXPECT_EQ(FileBytes(target), QByteArray("kept"));
}

TEST_F(MacroEditorTest, ImportAddsTheFileAsANewShownMacro)
{
    BindThree();
    SelectMacro(1);
    openPath = QDir(Folder()).filePath("g1.mac");
    QSignalSpy names(editor.get(), &CMacroControlUI::MacroNamesChanged);
    EXPECT_EQ(editor->ImportMacro(), "macro_1");
    EXPECT_EQ(Names()->count(), 4);
    EXPECT_EQ(editor->GetSelectedMacro(), 3);
    EXPECT_EQ(Rows()->count(), 3);
    EXPECT_EQ(names.count(), 1);
    openPath.clear();
    EXPECT_TRUE(editor->ImportMacro().isEmpty());
    EXPECT_EQ(Names()->count(), 4);
}

TEST_F(MacroEditorTest, EventMenuOffersEveryItem)
{
    Bind();
    QMenu* menu = editor->OpenEventMenu(QPoint(10, 10));
    ASSERT_TRUE(menu);
    QStringList items;
    for (const QAction* action : menu->findChildren<QAction*>())
        items.append(action->objectName());
    for (const char* item : {"left_down", "left_up", "left_click", "middle_down", "middle_up", "middle_click",
                             "right_down", "right_up", "right_click", "forward_down", "forward_up", "forward_click",
                             "back_down", "back_up", "back_click", "redio_previous_record_time",
                             "redio_previous_constant_time", "redio_previous_ignore_time", "redio_later_record_time",
                             "redio_later_constant_time", "redio_later_ignore_time", "macro_action_edit"})
        EXPECT_TRUE(items.contains(item)) << item;
    // A second request closes the first menu.
    QPointer<QMenu> first(menu);
    editor->OpenEventMenu(QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_TRUE(!first || !first->isVisible());
}

TEST_F(MacroEditorTest, RowsShowKeyAndButtonNames)
{
    const EventRowLook key = LookOfEvent(Event("down", 10, 4, "0"));
    const EventRowLook win = LookOfEvent(Event("up", 9, 0x08, "0"));
    const EventRowLook back = LookOfEvent(Event("down", 1, 0x08, "0"));
    EXPECT_FALSE(key.nameKey.isEmpty());
    EXPECT_FALSE(win.nameKey.isEmpty());
    EXPECT_NE(key.nameKey, win.nameKey);
    EXPECT_EQ(key.nameStyle, "macro_label_keyboard_style");
    EXPECT_EQ(key.actionStyle, "macro_label_down_style");
    EXPECT_EQ(win.actionStyle, "macro_label_up_style");
    EXPECT_EQ(back.nameKey, "mouse_key_back");
    EXPECT_EQ(back.nameStyle, "macro_label_mouse_style");
}

constexpr std::uint16_t kScanA = 0x1E;
constexpr std::uint16_t kScanZ = 0x2C;

InputEvent Key(std::uint32_t timeMs, std::uint16_t scan, bool down)
{
    InputEvent input;
    input.timeMs = timeMs;
    input.scan = scan;
    input.down = down;
    return input;
}

InputEvent Button(std::uint32_t timeMs, int button, bool down, QPoint at)
{
    InputEvent input;
    input.kind = InputEvent::Kind::Button;
    input.timeMs = timeMs;
    input.button = button;
    input.down = down;
    input.x = at.x();
    input.y = at.y();
    return input;
}

int UsageOf(std::uint16_t scan)
{
    return KeyEventOf(scan, false, true)->event.button;
}

class MacroRecordingTest : public MacroEditorTest {
protected:
    bool Locked() const { return !Control("macro_action_list")->isEnabled() && !Control("macro_name_tab")->isEnabled(); }
    bool StartShown() const
    {
        return !Control("macro_btn_starredio")->isHidden() && Control("macro_btn_stopredio")->isHidden();
    }
    // Button and delay of each stored event of the macro "g1".
    std::vector<std::pair<int, std::string>> Stored() const
    {
        std::vector<std::pair<int, std::string>> events;
        for (const Json::Value& event : StoredEvents("g1"))
            events.emplace_back(event["Button"].asInt(), event["Delay"].asString());
        return events;
    }
    // Shown with the three macros and the second, of three events, selected.
    void ShowSecondMacro()
    {
        BindThree();
        SelectMacro(1);
        editor->resize(900, 600);
        editor->show();
    }
};

TEST_F(MacroRecordingTest, ACaptureThatCannotStartEndsTheRecordingAtOnce)
{
    BindThree();
    SelectMacro(1);
    capture.startWorks = false;
    QSignalSpy changes(editor.get(), &CMacroControlUI::RecordingChanged);
    Click("macro_btn_starredio");
    EXPECT_FALSE(editor->IsRecording());
    EXPECT_FALSE(Locked());
    EXPECT_TRUE(StartShown());
    EXPECT_EQ(notices, QStringList({"grab_failed"}));
    ASSERT_EQ(changes.count(), 2);
    EXPECT_FALSE(changes.at(1).at(0).toBool());
    EXPECT_GE(capture.stops, 1);

    editor->SetCapture(nullptr);
    Click("macro_btn_starredio");
    EXPECT_FALSE(editor->IsRecording());
    EXPECT_EQ(notices.size(), 2);
}

TEST_F(MacroRecordingTest, CapturedKeysBecomeRowsWithTheTimeBetweenThemAndAreSavedOnStop)
{
    ShowSecondMacro();
    capture.focusOnly = true;
    const std::uint32_t start = InputTimeMs();
    Click("macro_btn_starredio");
    EXPECT_EQ(capture.startedMode, 4);
    EXPECT_TRUE(Locked());
    EXPECT_FALSE(StartShown());
    EXPECT_FALSE(Control("macro_record_focus_hint")->isHidden());

    capture.Feed(Key(start + 100, kScanA, true));
    capture.Feed(Key(start + 300, kScanA, true));  // held: the keyboard repeats it
    capture.Feed(Key(start + 2100, kScanA, false));
    ASSERT_EQ(Rows()->count(), 5);
    EXPECT_EQ(DelayField(3)->text(), "2000");
    EXPECT_EQ(DelayField(4)->text(), "0");

    Click("macro_btn_stopredio");
    EXPECT_EQ(capture.stops, 1);
    EXPECT_FALSE(Locked());
    EXPECT_TRUE(StartShown());
    EXPECT_TRUE(Control("macro_record_focus_hint")->isHidden());
    // The first event of the page's life has no time before it to give the last row.
    const int a = UsageOf(kScanA);
    EXPECT_EQ(Stored(), (std::vector<std::pair<int, std::string>>{{4, "10"}, {5, "10"}, {6, "10"}, {a, "2000"}, {a, "0"}}));

    // A later recording gives the last row the time since it started.
    const std::uint32_t again = InputTimeMs();
    ASSERT_TRUE(editor->StartRecording(1, 4));
    capture.Feed(Key(again + 700, kScanZ, true));
    EXPECT_EQ(DelayField(4)->text(), "700");
    editor->StopRecording();
    EXPECT_FALSE(capture.Feed(Key(again + 800, kScanZ, false)));
    EXPECT_EQ(Rows()->count(), 6);
}

TEST_F(MacroRecordingTest, MenuItemsInsertBeforeOrAfterTheSelectionOrReplaceItsKey)
{
    ShowSecondMacro();
    const int z = UsageOf(kScanZ);
    const std::uint32_t now = InputTimeMs();

    Rows()->setCurrentRow(1);
    editor->OnMenuItem("redio_previous_ignore_time");
    EXPECT_EQ(capture.startedMode, 8);
    capture.Feed(Key(now, kScanZ, true));
    capture.Feed(Key(now, kScanZ, false));
    EXPECT_EQ(Rows()->currentRow(), 3);  // still the row chosen, now after the two
    editor->StopRecording();
    EXPECT_EQ(Stored(), (std::vector<std::pair<int, std::string>>{{4, "10"}, {z, "0"}, {z, "0"}, {5, "10"}, {6, "10"}}));

    Rows()->setCurrentRow(0);
    editor->OnMenuItem("redio_later_ignore_time");
    EXPECT_EQ(capture.startedMode, 16);
    capture.Feed(Key(now, kScanA, true));
    capture.Feed(Key(now, kScanA, false));
    EXPECT_EQ(Rows()->currentRow(), 2);
    editor->StopRecording();
    const int a = UsageOf(kScanA);
    EXPECT_EQ(StoredButtons("g1"), (std::vector<int>{4, a, a, z, z, 5, 6}));

    // Replacing keeps the row's action and delay and shows the new key's name.
    Rows()->setCurrentRow(6);
    const QString oldName = Rows()->itemWidget(Rows()->item(6))->findChild<QLabel*>()->text();
    editor->OnMenuItem("macro_action_edit");
    EXPECT_EQ(capture.startedMode, 32);
    capture.Feed(Key(now, kScanZ, true));
    capture.Feed(Key(now, kScanZ, false));
    EXPECT_EQ(Rows()->count(), 7);
    EXPECT_NE(Rows()->itemWidget(Rows()->item(6))->findChild<QLabel*>()->text(), oldName);
    editor->StopRecording();
    const Json::Value replaced = StoredEvents("g1")[6];
    EXPECT_EQ(replaced["Button"].asInt(), z);
    EXPECT_EQ(replaced["Action"].asString(), "down");
    EXPECT_EQ(replaced["Delay"].asString(), "10");
}

TEST_F(MacroRecordingTest, AClickOnTheStopButtonIsNotRecordedOtherClicksAre)
{
    ShowSecondMacro();
    ASSERT_TRUE(editor->StartRecording(3, 4));
    QWidget* stop = Control("macro_btn_stopredio");
    const QPoint onStop = stop->mapToGlobal(stop->rect().center());
    const QPoint elsewhere = onStop + QPoint(0, stop->height() * 3);
    capture.Feed(Button(0, InputEvent::kLeft, true, onStop));
    capture.Feed(Button(0, InputEvent::kLeft, false, onStop));
    EXPECT_EQ(Rows()->count(), 3);
    capture.Feed(Button(0, InputEvent::kLeft, true, elsewhere));
    capture.Feed(Button(0, InputEvent::kRight, true, onStop));
    editor->StopRecording();
    EXPECT_EQ(StoredButtons("g1"), (std::vector<int>{4, 5, 6, 0x01, 0x02}));
}

TEST_F(MacroRecordingTest, TheListScrollsToTheRecordedRows)
{
    ShowSecondMacro();
    editor->OnMenuItem("left_click");
    for (int i = 0; i < 30; ++i)
        editor->OnMenuItem("right_click");
    Rows()->scrollToTop();
    Rows()->setCurrentRow(-1);
    ASSERT_TRUE(editor->StartRecording(3, 4));
    capture.Feed(Key(0, kScanA, true));
    const QListWidgetItem* last = Rows()->item(Rows()->count() - 1);
    const auto lastShown = [&] { return Rows()->viewport()->rect().contains(Rows()->visualItemRect(last)); };
    EXPECT_FALSE(lastShown());
    QDeadlineTimer deadline(1000);
    while (!lastShown() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(lastShown());
}

TEST_F(MacroRecordingTest, HidingThePageOrTakingItsCaptureReleasesTheCapture)
{
    ShowSecondMacro();
    ASSERT_TRUE(editor->StartRecording(3, 16));
    editor->hide();
    EXPECT_FALSE(editor->IsRecording());
    EXPECT_EQ(capture.stops, 1);

    ASSERT_TRUE(editor->StartRecording(3, 16));
    editor->SetCapture(nullptr);
    EXPECT_FALSE(editor->IsRecording());
    EXPECT_EQ(capture.stops, 2);
    EXPECT_FALSE(Locked());

    editor->SetCapture(&capture);
    ASSERT_TRUE(editor->StartRecording(3, 16));
    editor.reset();
    EXPECT_EQ(capture.stops, 3);
}

TEST_F(MacroRecordingTest, FixedDelayIsReadClampedAndUsedForRecordedAndInsertedEvents)
{
    ShowSecondMacro();
    Field("macro_fixed_time_edit")->setText("70000");
    qobject_cast<QAbstractButton*>(Control("macro_check_time"))->setChecked(true);
    Click("macro_btn_starredio");
    EXPECT_EQ(Field("macro_fixed_time_edit")->text(), "65535");
    EXPECT_EQ(Field("macro_fixed_time_edit")->cursorPosition(), 5);
    capture.Feed(Key(0, kScanA, true));
    capture.Feed(Key(0, kScanA, false));
    Click("macro_btn_stopredio");
    const int a = UsageOf(kScanA);
    EXPECT_EQ(Stored(), (std::vector<std::pair<int, std::string>>{{4, "10"}, {5, "10"}, {6, "10"}, {a, "65535"}, {a, "65535"}}));
    editor->OnMenuItem("right_down");
    EXPECT_EQ(StoredEvents("g1")[1]["Delay"].asString(), "65535");

    Field("macro_fixed_time_edit")->setText("120");
    ASSERT_TRUE(editor->StartRecording(2, 4));
    editor->StopRecording();
    EXPECT_EQ(editor->FixedDelay(), 120);
}

// Without a desktop to capture (Qt's offscreen platform here), the page's
// own window is recorded and the page says so.
TEST_F(MacroRecordingTest, TheWindowsOwnKeysAreRecordedWhereTheDesktopCannotBe)
{
    QObject context;
    CDeviceHook hook(&context);
    CHookMacroCapture windowCapture(hook);
    editor->SetCapture(&windowCapture);
    ShowSecondMacro();
    ASSERT_TRUE(editor->StartRecording(3, 4));
    EXPECT_TRUE(windowCapture.FocusOnly());
    EXPECT_FALSE(Control("macro_record_focus_hint")->isHidden());

    QWindow* window = editor->window()->windowHandle();
    ASSERT_TRUE(window);
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_A, Qt::NoModifier, 38, 0, 0);  // X keycode of A
        QCoreApplication::sendEvent(window, &key);
    }
    editor->StopRecording();
    EXPECT_FALSE(windowCapture.FocusOnly());
    EXPECT_TRUE(Control("macro_record_focus_hint")->isHidden());
    const int a = UsageOf(kScanA);
    EXPECT_EQ(StoredButtons("g1"), (std::vector<int>{4, 5, 6, a, a}));
    editor->SetCapture(nullptr);
}

}  // namespace
