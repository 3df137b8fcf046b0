#pragma once
// What the macro editor needs of a recording: an input capture to start and
// stop, which hands every key and button change to the editor's recorder.
#include "platform/input_event.h"

#include <QString>

#include <functional>

class QWidget;

namespace q31::macros {

class IMacroCapture {
public:
    using Receiver = std::function<void(const platform::InputEvent&)>;

    virtual ~IMacroCapture() = default;
    // Starts capturing for the hook mode; the receiver gets each change on the
    // UI thread until Stop. Where the desktop cannot be captured, the input of
    // the window of page is taken instead. False, with the language id of the
    // reason, when nothing can be captured.
    virtual bool Start(int hookMode, QWidget* page, Receiver receiver, QString& failureTextId) = 0;
    // Releases everything Start took; harmless when nothing was started.
    virtual void Stop() = 0;
    // True when only input meant for this program's window is captured.
    virtual bool FocusOnly() const = 0;
};

}  // namespace q31::macros
