// The key tab of keyboard and mouse pages: the selected key in the key
// editor, its change into the key list, and the keys written to the device.
#include "devices/halvorin_usb_device.h"
#include "ui/msg_wnd.h"
#include "ui/paint_manager.h"

#include <QStackedWidget>

void CHalvorinUSBDevice::SetUpKeyEditor(q31::keys::Page page, const QStringList& macroNames)
{
    m_keyEditor = findChild<CKeySetControlUI*>(QStringLiteral("KeySetControlItem"));
    if (!m_keyEditor)
        return;
    m_keyEditor->Bind(page, macroNames);
    connect(m_keyEditor, &CKeySetControlUI::KeyAssigned, this, &CHalvorinUSBDevice::SetKeyAssignment);
    connect(m_keyEditor, &CKeySetControlUI::SaveRequested, this, &CHalvorinUSBDevice::SaveKeyAssignments);
}

bool CHalvorinUSBDevice::IsKeyTabShown() const
{
    const QWidget* shown = findChild<QWidget*>(QStringLiteral("key_area"));
    if (!shown)
        return false;
    for (const QWidget* parent = shown->parentWidget(); parent && parent != this; parent = parent->parentWidget()) {
        if (const auto* tabs = qobject_cast<const QStackedWidget*>(parent); tabs && tabs->currentWidget() != shown)
            return false;
        shown = parent;
    }
    return true;
}

void CHalvorinUSBDevice::SelectKey(int index)
{
    m_selectedKey = index;
    const std::vector<KeyListEntry> keys = GetKeyList();
    if (m_keyEditor && index >= 0 && index < int(keys.size()))
        m_keyEditor->ShowKey(keys[std::size_t(index)]);
}

void CHalvorinUSBDevice::SetKeyAssignment(const KeyListEntry& entry)
{
    std::vector<KeyListEntry> keys = GetKeyList();
    if (m_selectedKey < 0 || m_selectedKey >= int(keys.size()))
        return;
    keys[std::size_t(m_selectedKey)] = entry;
    SetKeyList(keys);
    ShowKeyCaptions();
}

void CHalvorinUSBDevice::SaveKeyAssignments()
{
    WriteMacros(CollectKeyMacros());
    WriteKeyTableCurrent(0);
    SaveProfile();
}

void CHalvorinUSBDevice::ShowPageMessage(const QString& textId)
{
    emit PageMessageShown(textId);
    const CPaintManagerUI* manager = CPaintManagerUI::ForControl(this);
    ShowMessageBox(this, QString(), textId, manager ? manager->GetDPI() : CPaintManagerUI::kDefaultDpi, true, 0);
}
