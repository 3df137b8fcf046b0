#pragma once
// Recording's input over the main window's device hook: the whole desktop
// where it can be captured, else the keys and clicks of the page's own window.
#include "macros/device_hook.h"
#include "macros/focus_input_filter.h"
#include "macros/macro_recording_link.h"

#include <memory>

namespace q31::macros {

class CHookMacroCapture : public IMacroCapture {
public:
    // The hook outlives the capture.
    explicit CHookMacroCapture(CDeviceHook& hook) : m_hook(hook) {}
    ~CHookMacroCapture() override;  // stops
    CHookMacroCapture(const CHookMacroCapture&) = delete;
    CHookMacroCapture& operator=(const CHookMacroCapture&) = delete;

    bool Start(int hookMode, QWidget* page, Receiver receiver, QString& failureTextId) override;
    void Stop() override;
    bool FocusOnly() const override { return m_windowInput != nullptr; }

private:
    CDeviceHook& m_hook;
    std::unique_ptr<FocusInputFilter> m_windowInput;
};

}  // namespace q31::macros
