// Recording into a macro: which input becomes which event row, where it goes
// and which delays the rows get.
#include "macros/macro_recorder.h"

#include "macros/macro_event.h"
#include "profiles/json_file.h"
#include "profiles/styled_json.h"

#include <gtest/gtest.h>

namespace q31::macros {
namespace {

using platform::InputEvent;
using Kind = RecordingChange::Kind;

constexpr std::uint16_t kScanA = 0x1E;
constexpr std::uint16_t kScanB = 0x30;

InputEvent Key(std::uint32_t timeMs, std::uint16_t scan, bool down, bool extended = false)
{
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.timeMs = timeMs;
    event.scan = scan;
    event.extended = extended;
    event.down = down;
    return event;
}

InputEvent Button(std::uint32_t timeMs, int button, bool down, int x = 0, int y = 0)
{
    InputEvent event;
    event.kind = InputEvent::Kind::Button;
    event.timeMs = timeMs;
    event.button = button;
    event.down = down;
    event.x = x;
    event.y = y;
    return event;
}

// The editor's side: its rows, its selection and where its stop button lies.
struct Editor {
    CMacroRecorder recorder;
    std::vector<EditorRow> rows;
    int selection = -1;
    QRect stopButton;

    RecordingChange Feed(const InputEvent& input)
    {
        const RecordingChange change = recorder.OnInput(input, rows, selection, stopButton);
        if (change.kind != Kind::None)
            selection = change.selection;
        return change;
    }
    void FeedAll(std::initializer_list<InputEvent> inputs)
    {
        for (const InputEvent& input : inputs)
            Feed(input);
    }
    Json::Value Event(std::size_t row) const { return ParseJsonText(rows.at(row).eventText); }
    // Action, type and button of each row, and the delay its field and its event hold.
    std::vector<std::string> Summary() const
    {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Json::Value event = Event(i);
            lines.push_back(event["Action"].asString() + " " + std::to_string(event["Type"].asInt()) + " " +
                            std::to_string(event["Button"].asInt()) + " " + rows[i].delay.toStdString() + "/" +
                            event["Delay"].asString());
        }
        return lines;
    }
};

EditorRow StoredRow(const char* action, int type, int button, int delay)
{
    return RowOfEvent(EventObject({std::string(action) == "down", type, button}, std::to_string(delay)));
}

// Three rows already in the macro: A down, A up, B down.
std::vector<EditorRow> ThreeRows()
{
    return {StoredRow("down", 10, 4, 100), StoredRow("up", 10, 4, 200), StoredRow("down", 10, 5, 300)};
}

TEST(MacroRecorderTest, HeldKeyRecordsOneDownWithTheHoldingTimeAndOneUp)
{
    Editor editor;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 1000);
    editor.Feed(Key(1000, kScanA, true));
    for (std::uint32_t t = 1500; t < 3000; t += 33)
        EXPECT_EQ(editor.Feed(Key(t, kScanA, true)).kind, Kind::None);
    editor.Feed(Key(3004, kScanA, false));
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 2004/2004", "up 10 4 0/0"}));
}

TEST(MacroRecorderTest, TwoKeysGiveEachRowTheTimeUntilTheNextEvent)
{
    Editor editor;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 5000);
    const RecordingChange first = editor.Feed(Key(5000, kScanA, true));
    EXPECT_EQ(first.kind, Kind::Placed);
    EXPECT_EQ(first.row, 0);
    EXPECT_EQ(first.nameKey, "keyboard_key_A");
    // The only row is made with the number 0, until an event follows it.
    EXPECT_TRUE(editor.Event(0)["Delay"].isInt());
    EXPECT_EQ(editor.Event(0)["Delay"].asInt(), 0);
    EXPECT_EQ(editor.rows[0].delay, "0");

    const RecordingChange second = editor.Feed(Key(5090, kScanA, false));
    EXPECT_EQ(second.row, 1);
    EXPECT_EQ(second.delayedRow, 0);
    editor.FeedAll({Key(5150, kScanB, true), Key(5260, kScanB, false)});
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 90/90", "up 10 4 60/60", "down 10 5 110/110",
                                                          "up 10 5 0/0"}));
}

TEST(MacroRecorderTest, EachRecordModeGivesItsDelays)
{
    const auto record = [](RecordMode mode, long long fixedDelay) {
        Editor editor;
        editor.recorder.Start(mode, HookMode::Append, fixedDelay, 0);
        editor.FeedAll({Key(40, kScanA, true), Key(100, kScanA, false), Key(400, kScanB, true)});
        return editor;
    };
    EXPECT_EQ(record(RecordMode::RecordedDelays, 700).Summary(),
              (std::vector<std::string>{"down 10 4 60/60", "up 10 4 300/300", "down 10 5 0/0"}));
    EXPECT_EQ(record(RecordMode::FixedDelay, 120).Summary(),
              (std::vector<std::string>{"down 10 4 120/120", "up 10 4 120/120", "down 10 5 120/120"}));
    EXPECT_EQ(record(RecordMode::FixedDelay, 70000).Summary(),
              (std::vector<std::string>{"down 10 4 65535/65535", "up 10 4 65535/65535", "down 10 5 65535/65535"}));
    EXPECT_EQ(record(RecordMode::NoDelays, 700).Summary(),
              (std::vector<std::string>{"down 10 4 0/0", "up 10 4 0/0", "down 10 5 0/0"}));
}

TEST(MacroRecorderTest, FixedDelayChangesOnlyWhenAFixedDelayRecordingStarts)
{
    CMacroRecorder recorder;
    EXPECT_EQ(recorder.FixedDelay(), 50);
    recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 900, 0);
    EXPECT_EQ(recorder.FixedDelay(), 50);
    recorder.Start(RecordMode::FixedDelay, HookMode::Append, 70000, 0);
    EXPECT_EQ(recorder.FixedDelay(), 65535);
    recorder.Start(RecordMode::FixedDelay, HookMode::Append, -3, 0);
    EXPECT_EQ(recorder.FixedDelay(), 0);
    recorder.Start(RecordMode::NoDelays, HookMode::Append, 900, 0);
    EXPECT_EQ(recorder.FixedDelay(), 0);
}

TEST(MacroRecorderTest, LongPausesAndTheTickCountWrapping)
{
    Editor editor;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 0xFFFFFF00u);
    editor.FeedAll({Key(0xFFFFFF00u, kScanA, true), Key(0x40, kScanA, false), Key(0x40 + 65534, kScanB, true),
                    Key(0x40 + 65534 + 65535, kScanB, false), Key(0x40 + 65534 + 65535 + 70000, kScanA, true)});
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 320/320", "up 10 4 65534/65534",
                                                          "down 10 5 65535/65535", "up 10 5 65535/65535",
                                                          "down 10 4 0/0"}));
}

TEST(MacroRecorderTest, KeysByTheIdentityTable)
{
    Editor editor;
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    EXPECT_EQ(editor.Feed(Key(0, 0x5B, true, true)).nameKey, "keyboard_key_LWin");
    editor.FeedAll({Key(0, 0x5B, false, true), Key(0, 0x36, true, true), Key(0, 0x1C, true, true),
                    Key(0, 0x1C, true)});
    // Not in the table: the Windows key's code without its prefix, and nothing at all.
    EXPECT_EQ(editor.Feed(Key(0, 0x5B, true)).kind, Kind::None);
    EXPECT_EQ(editor.Feed(Key(0, 0, true)).kind, Kind::None);
    // Only the low byte names the key.
    editor.Feed(Key(0, 0x0130, true));
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 9 8 0/0", "up 9 8 0/0", "down 9 32 0/0",
                                                          "down 10 88 0/0", "down 10 40 0/0", "down 10 5 0/0"}));
}

TEST(MacroRecorderTest, RepeatedPressIsDroppedUntilItsRelease)
{
    Editor editor;
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Key(0, kScanA, true), Key(0, kScanA, true), Key(0, kScanB, true), Key(0, kScanB, true),
                    Key(0, kScanA, false), Key(0, kScanB, false), Key(0, kScanA, true), Key(0, kScanA, false),
                    Key(0, kScanA, true)});
    // A right Ctrl differs from a left one only by its extended flag.
    editor.FeedAll({Key(0, 0x1D, true), Key(0, 0x1D, true, true)});
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 0/0", "down 10 5 0/0", "up 10 4 0/0",
                                                          "up 10 5 0/0", "down 10 4 0/0", "up 10 4 0/0",
                                                          "down 10 4 0/0", "down 9 1 0/0", "down 9 16 0/0"}));
}

TEST(MacroRecorderTest, MouseButtonsByTheMouseEventList)
{
    Editor editor;
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    std::vector<std::string> names;
    for (const int button : {1, 3, 2, 8, 9}) {
        names.push_back(editor.Feed(Button(0, button, true)).nameKey);
        editor.Feed(Button(0, button, false));
    }
    // The wheel and buttons beyond the extra ones are not recorded.
    for (const int button : {4, 5, 6, 7, 10, 0, -1})
        EXPECT_EQ(editor.Feed(Button(0, button, true)).kind, Kind::None) << button;
    EXPECT_EQ(names, (std::vector<std::string>{"mouse_key_left", "mouse_key_right", "mouse_key_middle",
                                               "mouse_key_back", "mouse_key_forward"}));
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 1 1 0/0", "up 1 1 0/0", "down 1 2 0/0", "up 1 2 0/0",
                                                          "down 1 4 0/0", "up 1 4 0/0", "down 1 8 0/0", "up 1 8 0/0",
                                                          "down 1 16 0/0", "up 1 16 0/0"}));
}

TEST(MacroRecorderTest, SameMouseMessageTwiceIsRecordedOnce)
{
    Editor editor;
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Button(0, 1, true), Button(0, 1, true), Button(0, 1, false), Button(0, 8, true),
                    Button(0, 9, true), Button(0, 9, true)});
    EXPECT_EQ(editor.Summary(),
              (std::vector<std::string>{"down 1 1 0/0", "up 1 1 0/0", "down 1 8 0/0", "down 1 16 0/0"}));
}

TEST(MacroRecorderTest, LeftClickOnTheStopButtonIsNotRecorded)
{
    Editor editor;
    editor.stopButton = QRect(600, 500, 80, 30);
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Button(0, 1, true, 600, 500), Button(0, 1, false, 679, 529)});
    EXPECT_TRUE(editor.rows.empty());
    // Other buttons on it, and the left button beside it, are input like any other.
    editor.FeedAll({Button(0, 3, true, 640, 510), Button(0, 3, false, 640, 510), Button(0, 1, true, 680, 510),
                    Button(0, 1, false, 640, 530)});
    EXPECT_EQ(editor.Summary(),
              (std::vector<std::string>{"down 1 2 0/0", "up 1 2 0/0", "down 1 1 0/0", "up 1 1 0/0"}));
}

TEST(MacroRecorderTest, NewRecordingForgetsTheLastPressAndButton)
{
    Editor editor;
    editor.stopButton = QRect(600, 500, 80, 30);
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    // The recording ends with a key held and the press on the stop button.
    editor.FeedAll({Key(0, kScanA, true), Button(0, 1, true, 610, 510)});
    editor.recorder.Stop();
    EXPECT_EQ(editor.Feed(Key(0, kScanB, true)).kind, Kind::None);

    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Key(0, kScanA, true), Button(0, 1, true, 10, 10)});
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 0/0", "down 10 4 0/0", "down 1 1 0/0"}));
}

TEST(MacroRecorderTest, LaterRecordingGivesTheLastRowTheTimeSinceItStarted)
{
    Editor editor;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Key(0, kScanA, true), Key(30, kScanA, false)});
    editor.recorder.Stop();
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 10000);
    editor.Feed(Key(10250, kScanB, true));
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 30/30", "up 10 4 250/250", "down 10 5 0/0"}));

    // A fresh page has recorded nothing, so the rows it loaded keep their delays.
    Editor fresh;
    fresh.rows = ThreeRows();
    fresh.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 0);
    fresh.Feed(Key(250, kScanA, true));
    EXPECT_EQ(fresh.Summary(), (std::vector<std::string>{"down 10 4 100/100", "up 10 4 200/200",
                                                         "down 10 5 300/300", "down 10 4 0/0"}));
}

TEST(MacroRecorderTest, AppendKeepsTheSelection)
{
    Editor editor;
    editor.rows = ThreeRows();
    editor.selection = 1;
    editor.recorder.Start(RecordMode::NoDelays, HookMode::Append, 0, 0);
    const RecordingChange change = editor.Feed(Key(0, kScanB, false));
    EXPECT_EQ(change.row, 3);
    EXPECT_EQ(change.selection, 1);
}

TEST(MacroRecorderTest, InsertBeforeKeepsTheEventsInOrderBeforeTheSelectedRow)
{
    Editor editor;
    editor.rows = ThreeRows();
    editor.selection = 2;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::InsertBefore, 0, 0);
    const RecordingChange first = editor.Feed(Button(40, 3, true));
    EXPECT_EQ(first.row, 2);
    EXPECT_EQ(first.selection, 3);
    EXPECT_EQ(first.delayedRow, -1);
    const RecordingChange second = editor.Feed(Button(90, 3, false));
    EXPECT_EQ(second.row, 3);
    EXPECT_EQ(second.selection, 4);
    EXPECT_EQ(second.delayedRow, 2);
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 100/100", "up 10 4 200/200", "down 1 2 50/50",
                                                          "up 1 2 0/0", "down 10 5 300/300"}));
}

TEST(MacroRecorderTest, InsertAfterMakesEachEventTheSelection)
{
    Editor editor;
    editor.rows = ThreeRows();
    editor.selection = 0;
    editor.recorder.Start(RecordMode::FixedDelay, HookMode::InsertAfter, 75, 0);
    const RecordingChange first = editor.Feed(Key(0, kScanB, true));
    EXPECT_EQ(first.row, 1);
    EXPECT_EQ(first.selection, 1);
    editor.Feed(Key(0, kScanB, false));
    EXPECT_EQ(editor.selection, 2);
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 100/100", "down 10 5 75/75", "up 10 5 75/75",
                                                          "up 10 4 200/200", "down 10 5 300/300"}));
}

TEST(MacroRecorderTest, ReplaceGivesTheSelectedEventTheNewKeyOrButton)
{
    Editor editor;
    editor.rows = ThreeRows();
    editor.selection = 1;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Replace, 0, 0);
    const RecordingChange key = editor.Feed(Key(10, 0x38, true, true));
    EXPECT_EQ(key.kind, Kind::Replaced);
    EXPECT_EQ(key.row, 1);
    EXPECT_EQ(key.selection, 1);
    EXPECT_EQ(key.nameKey, "keyboard_key_RAlt");
    EXPECT_EQ(editor.Summary()[1], "up 9 64 200/200");
    // A key's release has nothing to give; a button's has.
    EXPECT_EQ(editor.Feed(Key(20, 0x38, false, true)).kind, Kind::None);
    EXPECT_EQ(editor.Feed(Button(30, 9, false)).kind, Kind::Replaced);
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 4 100/100", "up 1 16 200/200",
                                                          "down 10 5 300/300"}));
}

// The editor's rows keep the indented text of their events; the recorded
// and updated ones too, so a row reads the same however it came.
TEST(MacroRecorderTest, RecordedRowsKeepTheIndentedEventText)
{
    Editor editor;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Key(10, kScanA, true), Key(60, kScanA, false)});
    ASSERT_EQ(editor.rows.size(), 2u);
    for (std::size_t row = 0; row < 2; ++row)
        EXPECT_EQ(editor.rows[row].eventText, StyledJsonText(editor.Event(row)));
}

TEST(MacroRecorderTest, InsertingAndReplacingNeedASelectedRow)
{
    Editor untouched;
    untouched.rows = ThreeRows();
    for (const HookMode mode : {HookMode::InsertBefore, HookMode::InsertAfter, HookMode::Replace}) {
        for (const int selection : {-1, 3, 70}) {
            Editor editor;
            editor.rows = ThreeRows();
            editor.selection = selection;
            editor.recorder.Start(RecordMode::RecordedDelays, mode, 0, 0);
            EXPECT_EQ(editor.Feed(Key(10, kScanB, true)).kind, Kind::None);
            EXPECT_EQ(editor.Feed(Button(20, 1, true)).kind, Kind::None);
            EXPECT_EQ(editor.Summary(), untouched.Summary());
        }
    }
}

TEST(MacroRecorderTest, RecordingStopsAddingAt4000Rows)
{
    Editor editor;
    editor.rows.assign(3998, StoredRow("down", 10, 4, 7));
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 0);
    EXPECT_EQ(editor.Feed(Key(5, kScanB, true)).kind, Kind::Placed);
    EXPECT_EQ(editor.Feed(Key(9, kScanB, false)).kind, Kind::Placed);
    EXPECT_EQ(editor.Feed(Key(20, kScanA, true)).kind, Kind::None);
    EXPECT_EQ(editor.rows.size(), 4000u);
    EXPECT_EQ(editor.Summary()[3998], "down 10 5 4/4");
    EXPECT_EQ(editor.Summary()[3999], "up 10 5 0/0");

    // Replacing adds no row, so it still works on a full list.
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Replace, 0, 0);
    editor.selection = 0;
    EXPECT_EQ(editor.Feed(Key(30, kScanB, true)).kind, Kind::Replaced);
}

TEST(MacroRecorderTest, InsertBeforeTheFirstRowGivesItsDelayToNoRow)
{
    Editor editor;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::Append, 0, 0);
    editor.FeedAll({Key(0, kScanA, true), Key(100, kScanA, false)});
    editor.recorder.Stop();
    const std::vector<std::string> before = editor.Summary();

    editor.selection = 0;
    editor.recorder.Start(RecordMode::RecordedDelays, HookMode::InsertBefore, 0, 1000);
    const RecordingChange change = editor.Feed(Key(1300, kScanB, true));
    EXPECT_EQ(change.kind, Kind::Placed);
    EXPECT_EQ(change.row, 0);
    EXPECT_EQ(change.delayedRow, -1);
    EXPECT_EQ(change.selection, 1);
    // The rows that were there keep their delays; the next event times the new row.
    editor.Feed(Key(1420, kScanB, false));
    EXPECT_EQ(editor.Summary(), (std::vector<std::string>{"down 10 5 120/120", "up 10 5 0/0", before[0], before[1]}));
}

}  // namespace
}  // namespace q31::macros
