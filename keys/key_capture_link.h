#pragma once
// What the key editor needs to capture one key press: an input capture that
// the program's window owner provides, since the capture lives above this folder.
#include "platform/input_event.h"

#include <functional>

class QWidget;

namespace q31::keys {

class IKeyCapture {
public:
    using Receiver = std::function<void(const platform::InputEvent&)>;

    virtual ~IKeyCapture() = default;
    // Hands every key change to receiver on the UI thread until Stop; where the
    // desktop cannot be captured, the keys of page's window. False when nothing can be.
    virtual bool Start(QWidget* page, Receiver receiver) = 0;
    // Harmless when nothing was started.
    virtual void Stop() = 0;
};

}  // namespace q31::keys
