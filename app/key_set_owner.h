#pragma once
// Joins the key editors of the keyboard and mouse pages to the main window: a
// click on a key of the picture selects it while the key tab is shown, the
// editor's own controls reach their editor, and its key field captures keys
// through the window's device hook.
#include "keys/key_capture_link.h"
#include "macros/hook_macro_capture.h"
#include "ui/notify.h"

#include <QPointer>

#include <vector>

class CHalvorinUSBDevice;
class CKeySetControlUI;

namespace q31::app {

class CNotifyOwners;

// The key field's capture: the hook in key capture mode.
class CKeyCaptureOverHook : public keys::IKeyCapture {
public:
    static constexpr int kKeyCaptureMode = 1;
    explicit CKeyCaptureOverHook(macros::CDeviceHook& hook) : m_capture(hook) {}
    bool Start(QWidget* page, Receiver receiver) override;
    void Stop() override { m_capture.Stop(); }

private:
    macros::CHookMacroCapture m_capture;
};

class CKeySetOwner {
public:
    // The hook outlives the owner.
    CKeySetOwner(CNotifyOwners& owners, macros::CDeviceHook& hook);
    // Leaves no editor with the capture.
    ~CKeySetOwner();
    CKeySetOwner(const CKeySetOwner&) = delete;
    CKeySetOwner& operator=(const CKeySetOwner&) = delete;

    // A new page: its key editor, when it has one, captures through the hook.
    void BindPage(CHalvorinUSBDevice& device);

private:
    CKeyCaptureOverHook m_capture;
    std::vector<QPointer<CKeySetControlUI>> m_editors;
};

// A key tab notification: a key of the picture or a control of the editor.
void HandleKeySetNotify(TNotifyUI& msg);

}  // namespace q31::app
