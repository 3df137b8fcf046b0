#include "macros/macro_recorder.h"

#include "macros/macro_limits.h"
#include "profiles/json_file.h"

#include <algorithm>

namespace q31::macros {

namespace {

// The row takes delay as its wait after the event, in its event and its field.
void SetRowDelay(EditorRow& row, int delay)
{
    row.delay = QString::number(delay);
    Json::Value event = ParseJsonText(row.eventText);
    if (!event.isObject())
        return;
    event["Delay"] = std::to_string(delay);
    row.eventText = EventText(event);
}

bool IsSelected(int selection, const std::vector<EditorRow>& rows)
{
    return selection >= 0 && selection < static_cast<int>(rows.size());
}

}  // namespace

void CMacroRecorder::Start(RecordMode recordMode, HookMode hookMode, long long fixedDelay, std::uint32_t nowMs)
{
    m_recordMode = recordMode;
    m_hookMode = hookMode;
    if (recordMode == RecordMode::FixedDelay)
        m_fixedDelay = static_cast<int>(std::clamp<long long>(fixedDelay, 0, kMaxDelay));
    m_lastEventMs = nowMs;
    m_lastSeen = {};
    m_recording = true;
}

RecordingChange CMacroRecorder::OnInput(const platform::InputEvent& input, std::vector<EditorRow>& rows,
                                        int selection, const QRect& stopButton)
{
    if (!m_recording)
        return {};
    const std::optional<RecordedEvent> recorded =
        input.kind == platform::InputEvent::Kind::Key ? KeyEvent(input) : MouseEvent(input, stopButton);
    if (!recorded)
        return {};
    if (m_hookMode != HookMode::Replace)
        return Place(*recorded, input.timeMs, rows, selection);

    // A key gives its identity on the press; its release has nothing new.
    if (!IsSelected(selection, rows) || (input.kind == platform::InputEvent::Kind::Key && !input.down))
        return {};
    EditorRow& row = rows[static_cast<std::size_t>(selection)];
    Json::Value event = ParseJsonText(row.eventText);
    if (!event.isObject())
        return {};
    event["Type"] = recorded->event.type;
    event["Button"] = recorded->event.button;
    row.eventText = EventText(event);
    return {RecordingChange::Kind::Replaced, selection, -1, selection, recorded->nameKey};
}

std::optional<RecordedEvent> CMacroRecorder::KeyEvent(const platform::InputEvent& input)
{
    const std::pair<std::uint16_t, bool> key{input.scan, input.extended};
    if (input.down) {
        // The keyboard repeats a held key as presses without releases.
        if (m_lastSeen.keyDown == key)
            return std::nullopt;
        m_lastSeen.keyDown = key;
    } else if (m_lastSeen.keyDown == key) {
        m_lastSeen.keyDown.reset();
    }
    return KeyEventOf(input.scan, input.extended, input.down);
}

std::optional<RecordedEvent> CMacroRecorder::MouseEvent(const platform::InputEvent& input, const QRect& stopButton)
{
    const std::optional<MouseMessage> message = MouseMessageOf(input.button, input.down);
    if (!message || m_lastSeen.mouseMessage == message)
        return std::nullopt;
    m_lastSeen.mouseMessage = message;
    const bool leftButton = message->message == kLeftButtonDown || message->message == kLeftButtonUp;
    if (leftButton && stopButton.contains(input.x, input.y))
        return std::nullopt;
    return MouseEventOf(*message);
}

RecordingChange CMacroRecorder::Place(const RecordedEvent& recorded, std::uint32_t nowMs,
                                      std::vector<EditorRow>& rows, int selection)
{
    if (rows.size() >= static_cast<std::size_t>(kMaxRecordedEvents))
        return {};
    const bool selected = IsSelected(selection, rows);
    RecordingChange change{RecordingChange::Kind::Placed, -1, -1, -1, recorded.nameKey};
    switch (m_hookMode) {
    case HookMode::InsertBefore:
        if (!selected)
            return {};
        change.row = selection;
        change.selection = selection + 1;
        break;
    case HookMode::InsertAfter:
        if (!selected)
            return {};
        change.row = selection + 1;
        change.selection = change.row;
        break;
    default:
        change.row = static_cast<int>(rows.size());
        change.selection = selected ? selection : -1;
        break;
    }

    const int delay = DelaySinceLastEvent(nowMs);
    const auto at = rows.begin() + change.row;
    if (rows.empty()) {
        rows.insert(at, RowOfEvent(EventObject(recorded.event, 0)));
    } else {
        const int ownDelay = m_recordMode == RecordMode::FixedDelay ? m_fixedDelay : 0;
        rows.insert(at, RowOfEvent(EventObject(recorded.event, std::to_string(ownDelay))));
        // Inserted before the first row, there is no row before it to wait.
        if (m_recordedAny && change.row > 0) {
            change.delayedRow = change.row - 1;
            SetRowDelay(rows.at(static_cast<std::size_t>(change.delayedRow)), delay);
        }
    }
    m_recordedAny = true;
    return change;
}

int CMacroRecorder::DelaySinceLastEvent(std::uint32_t nowMs)
{
    switch (m_recordMode) {
    case RecordMode::RecordedDelays: {
        // Unsigned, so the tick count's wrap-around still gives the time between.
        const std::uint32_t elapsed = nowMs - m_lastEventMs;
        m_lastEventMs = nowMs;
        return static_cast<int>(std::min<std::uint32_t>(elapsed, kMaxDelay));
    }
    case RecordMode::FixedDelay:
        return m_fixedDelay;
    case RecordMode::NoDelays:
        break;
    }
    return 0;
}

}  // namespace q31::macros
