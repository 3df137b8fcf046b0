// Recording into the selected macro: the page is locked while the capture
// runs, each captured change goes through the recorder against the rows, and
// the capture is released whenever the recording ends.
#include "macros/macro_control_ui.h"

#include "macros/input_time.h"
#include "macros/macro_event.h"
#include "macros/macro_limits.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

using namespace q31::macros;
using q31::ParseJsonText;
using q31::platform::InputEvent;

void CMacroControlUI::SetEditingEnabled(bool enabled)
{
    for (const char* name : {"macro_name_tab", "macro_action_list", "macro_tab_macroaction_edit",
                             "macro_tab_macrodelay_edit"}) {
        if (QWidget* control = Find(name))
            control->setEnabled(enabled);
    }
    if (QWidget* start = Find("macro_btn_starredio"))
        start->setVisible(enabled);
    if (QWidget* stop = Find("macro_btn_stopredio"))
        stop->setVisible(!enabled);
}

void CMacroControlUI::SetCapture(IMacroCapture* capture)
{
    StopRecording();
    m_capture = capture;
}

int CMacroControlUI::ReadFixedDelay()
{
    auto* field = findChild<QLineEdit*>(QStringLiteral("macro_fixed_time_edit"));
    if (!field)
        return FixedDelay();
    bool ok = false;
    const qlonglong typed = field->text().trimmed().toLongLong(&ok);
    const int delay = ok ? int(std::clamp<qlonglong>(typed, 0, kMaxDelay)) : FixedDelay();
    field->setText(QString::number(delay));
    field->setCursorPosition(int(field->text().size()));
    return delay;
}

bool CMacroControlUI::StartRecording(int recordMode, int hookMode)
{
    if (IsRecording())
        return true;
    if (recordMode == 0) {
        const auto* fixed = findChild<QAbstractButton*>(QStringLiteral("macro_check_time"));
        recordMode = fixed && fixed->isChecked() ? int(RecordMode::FixedDelay) : int(RecordMode::RecordedDelays);
    }
    const auto mode = static_cast<RecordMode>(recordMode);
    const int fixedDelay = mode == RecordMode::FixedDelay ? ReadFixedDelay() : FixedDelay();
    // The captured events carry times of the same clock.
    m_recorder.Start(mode, static_cast<HookMode>(hookMode), fixedDelay, InputTimeMs());
    SetEditingEnabled(false);
    emit RecordingChanged(true);
    QString failure = QStringLiteral("macro_record_failed_text");
    const auto receiver = [this](const InputEvent& input) { OnCapturedInput(input); };
    if (!m_capture || !m_capture->Start(hookMode, this, receiver, failure)) {
        EndRecording(false);
        m_prompts.notice(failure);
        return false;
    }
    if (QWidget* hint = Find("macro_record_focus_hint"))
        hint->setVisible(m_capture->FocusOnly());
    return true;
}

void CMacroControlUI::StopRecording()
{
    if (IsRecording())
        EndRecording(true);
}

void CMacroControlUI::EndRecording(bool save)
{
    m_recorder.Stop();
    if (m_capture)
        m_capture->Stop();
    if (QWidget* hint = Find("macro_record_focus_hint"))
        hint->hide();
    SetEditingEnabled(true);
    emit RecordingChanged(false);
    if (save)
        SaveMacro();
}

void CMacroControlUI::OnCapturedInput(const InputEvent& input)
{
    const QListWidget* list = ActionList();
    if (!IsRecording() || !list)
        return;
    std::vector<EditorRow> rows = CollectRows();
    const RecordingChange change = m_recorder.OnInput(input, rows, list->currentRow(), StopButtonOnScreen());
    if (change.kind != RecordingChange::Kind::None)
        ShowRecordingChange(change, rows);
}

void CMacroControlUI::ShowRecordingChange(const RecordingChange& change, const std::vector<EditorRow>& rows)
{
    const EditorRow& changed = rows.at(std::size_t(change.row));
    const Json::Value event = ParseJsonText(changed.eventText);
    // A replaced event may name another key: its row is built anew.
    if (change.kind == RecordingChange::Kind::Replaced)
        delete ActionList()->takeItem(change.row);
    InsertRow(change.row, event, DelayOf(q31::json::Member(event, "Delay")));
    PutBackRow(change.row, changed);
    if (change.delayedRow >= 0)
        PutBackRow(change.delayedRow, rows.at(std::size_t(change.delayedRow)));
    SelectRow(change.selection);
    m_lastRecordedRow = change.row;
    m_recordingScroll.start();
}

void CMacroControlUI::ScrollToRecorded()
{
    QListWidget* list = ActionList();
    if (!list)
        return;
    QListWidgetItem* shown = list->currentItem() ? list->currentItem() : list->item(m_lastRecordedRow);
    if (shown)
        list->scrollToItem(shown);
}

QRect CMacroControlUI::StopButtonOnScreen() const
{
    const QWidget* stop = Find("macro_btn_stopredio");
    if (!stop || !stop->isVisible())
        return {};
    // The capture reports points in the screen's pixels.
    const qreal ratio = stop->devicePixelRatioF();
    const QPointF topLeft = stop->mapToGlobal(QPointF(0, 0)) * ratio;
    return QRectF(topLeft, QSizeF(stop->size()) * ratio).toRect();
}

void CMacroControlUI::hideEvent(QHideEvent* event)
{
    // A page out of sight must not keep the keyboard.
    StopRecording();
    CHorizontalLayoutUI::hideEvent(event);
}
