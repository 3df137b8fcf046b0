#include "app/macro_owner.h"

#include "app/main_wnd.h"
#include "devices/halvorin_usb_device.h"
#include "macros/macro_control_ui.h"

#include <QPointer>

namespace q31::app {

CMacroControlUI* EditorOf(QWidget* control)
{
    for (QWidget* widget = control; widget; widget = widget->parentWidget()) {
        if (auto* editor = qobject_cast<CMacroControlUI*>(widget))
            return editor;
    }
    return nullptr;
}

CMacroOwner::CMacroOwner(CMainWnd& main) : m_main(main)
{
    const auto toEditor = [](TNotifyUI& msg) {
        if (CMacroControlUI* editor = EditorOf(msg.pSender))
            editor->OnNotify(msg);
    };
    CNotifyOwners& owners = main.NotifyOwners();
    owners.Register(NotifyOwner::MacroEditor, toEditor);
    owners.Register(NotifyOwner::MacroRecording, toEditor);
}

CMacroOwner::~CMacroOwner()
{
    for (const QPointer<CMacroControlUI>& editor : m_editors) {
        if (!editor)
            continue;
        // The window around the lock may be half gone by now.
        QObject::disconnect(editor, nullptr, &m_context, nullptr);
        editor->SetCapture(nullptr);
    }
}

void CMacroOwner::BindPage(CHalvorinUSBDevice& device)
{
    auto* editor = device.findChild<CMacroControlUI*>();
    if (!editor)
        return;
    editor->SetMacroFolder(device.UserDataFolder());
    editor->SetCapture(&m_capture);
    m_editors.emplace_back(editor);
    editor->LoadMacroList();
    const QPointer<CHalvorinUSBDevice> page(&device);
    QObject::connect(editor, &CMacroControlUI::MacroNamesChanged, &m_context, [page] {
        if (page)
            page->LoadNameLists();
    });
    QObject::connect(editor, &CMacroControlUI::MacroDeleted, &m_context, [page](int, bool keysChanged) {
        // The profile documents were rebound on disk: the page takes its keys from them again.
        if (page && keysChanged)
            page->ReloadProfile();
    });
    QObject::connect(editor, &CMacroControlUI::RecordingChanged, &m_context,
                     [this](bool recording) { LockAroundRecording(recording); });
}

void CMacroOwner::LockAroundRecording(bool recording)
{
    CPaintManagerUI& manager = m_main.GetPaintManager();
    if (QWidget* selector = manager.FindControl(QStringLiteral("device_select_layout")))
        selector->setEnabled(!recording);
    for (CHalvorinUSBDevice* page : {m_main.DeviceOfKind(kKindKeyboard), m_main.DeviceOfKind(kKindMouse)}) {
        if (QWidget* profiles = page ? page->findChild<QWidget*>(QStringLiteral("profile_area")) : nullptr)
            profiles->setEnabled(!recording);
    }
}

}  // namespace q31::app
