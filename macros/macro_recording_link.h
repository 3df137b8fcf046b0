#pragma once
// What the macro editor needs of a recording: an input capture to start and
// stop, and the rows the recorder makes of the captured input.
#include <QString>
#include <json/value.h>

namespace q31::macros {

class IMacroCapture {
public:
    virtual ~IMacroCapture() = default;
    // Starts capturing for the hook mode; false, with the language id of the
    // reason, when the capture could not be installed or the grab failed.
    virtual bool Start(int hookMode, QString& failureTextId) = 0;
    // Releases everything Start took; harmless when nothing was started.
    virtual void Stop() = 0;
    // True when only input meant for this program's window is captured.
    virtual bool FocusOnly() const = 0;
};

// One recorded event and where it goes.
struct RecordedRow {
    int position = 0;        // where the new row goes; clamped to the list
    Json::Value event;       // the event object, its "Delay" the row's delay
    int previousDelay = -1;  // the new delay of the row before it; -1 leaves it
    int selection = -1;      // the row selected afterwards; -1 leaves the selection
};

}  // namespace q31::macros
