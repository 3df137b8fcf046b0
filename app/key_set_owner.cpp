#include "app/key_set_owner.h"

#include "app/notify_owners.h"
#include "devices/halvorin_usb_device.h"
#include "devices/indexed_name.h"
#include "keys/key_set_control_ui.h"

namespace q31::app {
namespace {

template <class Owner>
Owner* AncestorOf(QWidget* control)
{
    for (QWidget* widget = control; widget; widget = widget->parentWidget()) {
        if (auto* owner = qobject_cast<Owner*>(widget))
            return owner;
    }
    return nullptr;
}

}  // namespace

bool CKeyCaptureOverHook::Start(QWidget* page, Receiver receiver)
{
    QString failureTextId;
    return m_capture.Start(kKeyCaptureMode, page, std::move(receiver), failureTextId);
}

void HandleKeySetNotify(TNotifyUI& msg)
{
    if (CKeySetControlUI* editor = AncestorOf<CKeySetControlUI>(msg.pSender)) {
        editor->OnNotify(msg);
        return;
    }
    const std::optional<devices::IndexedName> key = devices::SplitIndexedName(msg.pSender->objectName());
    if (msg.sType != QLatin1String("click") || !key || key->prefix != QLatin1String("key_"))
        return;
    // On the lighting tab a key click belongs to the light selection.
    CHalvorinUSBDevice* page = AncestorOf<CHalvorinUSBDevice>(msg.pSender);
    if (page && page->IsKeyTabShown())
        page->SelectKey(key->number);
}

CKeySetOwner::CKeySetOwner(CNotifyOwners& owners, macros::CDeviceHook& hook) : m_capture(hook)
{
    owners.Register(NotifyOwner::KeyAssignment, [](TNotifyUI& msg) { HandleKeySetNotify(msg); });
}

CKeySetOwner::~CKeySetOwner()
{
    for (const QPointer<CKeySetControlUI>& editor : m_editors) {
        if (editor)
            editor->SetCapture(nullptr);
    }
}

void CKeySetOwner::BindPage(CHalvorinUSBDevice& device)
{
    CKeySetControlUI* editor = device.KeyEditor();
    if (!editor)
        return;
    editor->SetCapture(&m_capture);
    m_editors.emplace_back(editor);
}

}  // namespace q31::app
