#pragma once
// The key tab of a keyboard or mouse page: the selected key's function as a
// category with its fields. Every change is encoded at once and handed to the
// page as the key's new entry; writing to the device is the page's job.
#include "keys/key_capture_link.h"
#include "keys/key_set_codec.h"
#include "profiles/profile_records.h"
#include "ui/container_ui.h"
#include "ui/notify.h"

#include <QStringList>

class QComboBox;
class QLineEdit;

class CKeySetControlUI : public CVerticalLayoutUI {
    Q_OBJECT
public:
    explicit CKeySetControlUI(QWidget* parent = nullptr);
    ~CKeySetControlUI() override;
    QString GetClass() const override { return QStringLiteral("KeySetControlUI"); }

    // Once the skin is built: numbers the categories, drops those the device
    // lacks, lists the macros and hides the panel until a key is selected.
    void Bind(q31::keys::Page page, const QStringList& macroNames);
    // The macro list changed (added, renamed, deleted); the shown key is shown again.
    void SetMacroNames(const QStringList& macroNames);
    // The capture behind the key field; none: keys are not captured.
    void SetCapture(q31::keys::IKeyCapture* capture);

    // A key was selected: its entry is kept and its current code shown.
    void ShowKey(const KeyListEntry& entry);
    void ShowDefault();
    void ShowCurrent();
    // The fields' code becomes the current code; returns the whole entry.
    KeyListEntry Encode();
    KeyListEntry Entry() const { return m_entry; }
    void SetButtonsEnabled(bool enabled);
    bool IsPanelShown() const;

    // A notification of the tab's controls, as the main window passes it on.
    void OnNotify(const TNotifyUI& msg);
    // A key event while the key field has the focus.
    void OnCapturedKey(const q31::platform::InputEvent& input);

signals:
    // The entry the key now has ("key_butt_keysave" and every immediate change).
    void KeyAssigned(const KeyListEntry& entry);
    // "key_butt_prosave": macros, key table and profile go to the device.
    void SaveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* Combo(const char* name) const;
    QLineEdit* Edit(const char* name) const;
    q31::keys::KeySetFields ReadFields() const;
    void ShowFields(const q31::keys::KeySetFields& fields);
    void ShowCategoryPage(int category);
    void ShowCode(FunctionCode code);
    // Encode, then hand the entry to the page.
    void Apply();
    void StopCapture();

    q31::keys::Page m_page = q31::keys::Page::Keyboard;
    QStringList m_macroNames;
    KeyListEntry m_entry;
    q31::keys::IKeyCapture* m_capture = nullptr;
    bool m_capturing = false;
};

class CControlFactory;

namespace q31::keys {

// "KeySetControl" and "CKeySetControlUI" for the skins.
void RegisterKeySetControls(CControlFactory& factory);

}  // namespace q31::keys
