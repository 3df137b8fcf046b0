#pragma once
// Recording into a macro: turns each key or button change of the input capture
// into an event row of the editor, placed by the hook mode and given its delay.
// The editor drives it on the UI thread and refreshes the rows it reports.
#include "macros/macro_storage.h"
#include "macros/recorded_event.h"
#include "platform/input_event.h"

#include <QRect>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q31::macros {

enum class RecordMode { RecordedDelays = 1, FixedDelay = 2, NoDelays = 3 };
enum class HookMode { Append = 4, InsertBefore = 8, InsertAfter = 16, Replace = 32 };

struct RecordingChange {
    enum class Kind { None, Placed, Replaced };
    Kind kind = Kind::None;
    int row = -1;         // the row placed or replaced
    int delayedRow = -1;  // the row that took the time up to this event, or -1
    int selection = -1;   // the selection afterwards
    std::string nameKey;  // the caption of the row
};

class CMacroRecorder {
public:
    // nowMs is on the clock of the input events' timeMs. The fixed delay is
    // read only in the fixed-delay mode (clamped to 0-65535).
    void Start(RecordMode recordMode, HookMode hookMode, long long fixedDelay, std::uint32_t nowMs);
    // Changes queued before the stop are then ignored.
    void Stop() { m_recording = false; }
    bool IsRecording() const { return m_recording; }

    // The editor's delay for events it inserts by hand; 50 until a recording
    // with a fixed delay starts.
    int FixedDelay() const { return m_fixedDelay; }

    // selection is the selected row or -1; a left click inside stopButton (in
    // screen pixels) is the click that ends the recording, not part of it.
    RecordingChange OnInput(const platform::InputEvent& input, std::vector<EditorRow>& rows, int selection,
                            const QRect& stopButton);

private:
    // What the capture saw last; forgotten at each start, so the press on the
    // stop button or a key held when the last recording stopped does not eat
    // the first event of the next one.
    struct LastSeen {
        std::optional<std::pair<std::uint16_t, bool>> keyDown;  // scan code, extended
        std::optional<MouseMessage> mouseMessage;
    };

    std::optional<RecordedEvent> KeyEvent(const platform::InputEvent& input);
    std::optional<RecordedEvent> MouseEvent(const platform::InputEvent& input, const QRect& stopButton);
    RecordingChange Place(const RecordedEvent& recorded, std::uint32_t nowMs, std::vector<EditorRow>& rows,
                          int selection);
    int DelaySinceLastEvent(std::uint32_t nowMs);

    bool m_recording = false;
    RecordMode m_recordMode = RecordMode::RecordedDelays;
    HookMode m_hookMode = HookMode::Append;
    int m_fixedDelay = 50;
    std::uint32_t m_lastEventMs = 0;
    // Set by the first recorded event and kept for the life of the page, so a
    // later recording gives the last existing row the time since it started.
    bool m_recordedAny = false;
    LastSeen m_lastSeen;
};

}  // namespace q31::macros
