#pragma once
// The macro page of a keyboard or mouse page: the device's macros by name on
// one side, the events of the selected macro on the other, one row each with
// its own delay field. Nearly every step saves the macro file at once, so the
// file on disk follows the list. Everything runs on the UI thread.
#include "macros/macro_recorder.h"
#include "macros/macro_recording_link.h"
#include "macros/macro_storage.h"
#include "ui/container_ui.h"
#include "ui/notify.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QListWidget;
class QMenu;

namespace q31::macros {

// What the editor asks of the person; tests answer instead.
struct MacroEditorPrompts {
    std::function<bool(const QString& textId)> confirm;  // a question with confirm and cancel
    std::function<void(const QString& textId)> notice;   // a message with confirm only
    std::function<QString()> saveFilePath;               // empty when cancelled
    std::function<QString()> openFilePath;               // empty when cancelled
};

// The message boxes and Qt's file dialogs, over the editor's window.
MacroEditorPrompts DesktopPrompts(QWidget* editor);

}  // namespace q31::macros

class CMacroControlUI : public CHorizontalLayoutUI {
    Q_OBJECT
public:
    explicit CMacroControlUI(QWidget* parent = nullptr);
    ~CMacroControlUI() override;
    QString GetClass() const override { return QStringLiteral("MacroControlUI"); }

    void SetPrompts(q31::macros::MacroEditorPrompts prompts) { m_prompts = std::move(prompts); }
    // The input capture recordings run on; none: a recording ends at once.
    // A recording on the previous capture ends first.
    void SetCapture(q31::macros::IMacroCapture* capture);

    // Binding: the device's user profile folder, then its macros by name.
    void SetMacroFolder(const QString& folder);
    void LoadMacroList();
    QStringList GetMacroNames() const { return m_names; }
    int GetSelectedMacro() const;
    void ShowSelectedMacro();
    void ReloadMacro() { ShowSelectedMacro(); }

    // Name list operations; each says what changed through the signals below.
    QString AddMacro();
    void RenameMacro();
    // Asks first; the position noted before anything changes is the one deleted.
    void DeleteMacro();
    void SaveMacro();
    void ExportMacro();
    QString ImportMacro();

    // Event rows (macro_control_ui_rows.cpp); the callers save afterwards.
    void MoveEventUp();
    void MoveEventDown();
    void MoveEventToTop();
    void MoveEventToBottom();
    void DeleteEvent();
    void DeleteAllEvents();
    void InsertMouseEvent(unsigned message, int variant);
    int FixedDelay() const { return m_recorder.FixedDelay(); }

    // The recording lock: name list, event list and their tabs, start and stop buttons.
    void SetEditingEnabled(bool enabled);
    // Locks the page and starts the capture; a capture that cannot start ends
    // the recording at once with a message. False then. Record mode 0: the one
    // "macro_check_time" chooses.
    bool StartRecording(int recordMode, int hookMode);
    // Releases the capture, unlocks and saves; nothing when not recording.
    void StopRecording();
    bool IsRecording() const { return m_recorder.IsRecording(); }

    // A notification of the page's macro controls, as the main window passes it on.
    void OnNotify(const TNotifyUI& msg);
    // An item of the event menu.
    void OnMenuItem(const QString& item);
    // Opens the event menu at a global point, closing one that is open.
    QMenu* OpenEventMenu(const QPoint& at);

signals:
    // The names of the list changed (added, renamed, deleted, imported).
    void MacroNamesChanged();
    // A macro left the list; keysChanged: profile documents were rebound.
    void MacroDeleted(int position, bool keysChanged);
    void RecordingChanged(bool recording);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // The context menu of the event rows and the digits-only fields.
    void WireControls();
    QWidget* Find(const char* name) const;
    QListWidget* NameList() const;
    QListWidget* ActionList() const;
    // Enables the event tools and the export, delete and rename buttons.
    void EnableMacroTools(bool enabled);
    // The name list row of the last entry of "macro.config", selected and shown.
    void AppendNewestMacro();
    void SelectMacroRow(int row);

    // Event rows (macro_control_ui_rows.cpp).
    void RemoveAllRows();
    void InsertRow(int position, const Json::Value& event, int delay);
    void MoveRow(int from, int to);
    void SelectRow(int row);
    std::vector<q31::macros::EditorRow> CollectRows() const;
    void PutBackRows(const std::vector<q31::macros::EditorRow>& rows);
    void PutBackRow(int index, const q31::macros::EditorRow& row);
    int DistanceIn(const QString& field) const;

    // Recording (macro_control_ui_recording.cpp).
    int ReadFixedDelay();
    void EndRecording(bool save);
    void OnCapturedInput(const q31::platform::InputEvent& input);
    // The rows the recorder changed, into the list.
    void ShowRecordingChange(const q31::macros::RecordingChange& change,
                             const std::vector<q31::macros::EditorRow>& rows);
    void ScrollToRecorded();
    QRect StopButtonOnScreen() const;

    std::unique_ptr<q31::macros::MacroStorage> m_storage;
    q31::macros::MacroEditorPrompts m_prompts;
    q31::macros::IMacroCapture* m_capture = nullptr;
    QStringList m_names;
    QPointer<QMenu> m_menu;
    q31::macros::CMacroRecorder m_recorder;
    // Scrolls the selection, or the row recorded last, into view a moment after a change.
    QTimer m_recordingScroll;
    int m_lastRecordedRow = -1;
};

class CControlFactory;

namespace q31::macros {

// "MacroControlUI" and "CMacroControlUI" for the skins.
void RegisterMacroControls(CControlFactory& factory);

}  // namespace q31::macros
