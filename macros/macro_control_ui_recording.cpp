// Recording into the selected macro: the page is locked while the capture
// runs, and the capture is released whenever the recording ends.
#include "macros/macro_control_ui.h"

#include "macros/macro_limits.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>

#include <algorithm>

using namespace q31::macros;

namespace {

constexpr int kRecordedDelays = 1;
constexpr int kFixedDelays = 2;

}  // namespace

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

int CMacroControlUI::ReadFixedDelay()
{
    auto* field = findChild<QLineEdit*>(QStringLiteral("macro_fixed_time_edit"));
    if (!field)
        return m_fixedDelay;
    bool ok = false;
    const qlonglong typed = field->text().trimmed().toLongLong(&ok);
    const int delay = ok ? int(std::clamp<qlonglong>(typed, 0, kMaxDelay)) : m_fixedDelay;
    field->setText(QString::number(delay));
    field->setCursorPosition(int(field->text().size()));
    return delay;
}

bool CMacroControlUI::StartRecording(int recordMode, int hookMode)
{
    if (m_recording)
        return true;
    if (recordMode == 0) {
        const auto* fixed = findChild<QAbstractButton*>(QStringLiteral("macro_check_time"));
        recordMode = fixed && fixed->isChecked() ? kFixedDelays : kRecordedDelays;
    }
    m_recordMode = recordMode;
    if (recordMode == kFixedDelays)
        m_fixedDelay = ReadFixedDelay();
    m_recording = true;
    SetEditingEnabled(false);
    emit RecordingChanged(true);
    QString failure = QStringLiteral("macro_record_failed_text");
    if (!m_capture || !m_capture->Start(hookMode, failure)) {
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
    if (m_recording)
        EndRecording(true);
}

void CMacroControlUI::EndRecording(bool save)
{
    if (m_capture)
        m_capture->Stop();
    m_recording = false;
    if (QWidget* hint = Find("macro_record_focus_hint"))
        hint->hide();
    SetEditingEnabled(true);
    emit RecordingChanged(false);
    if (save)
        SaveMacro();
}

void CMacroControlUI::PostRecordedRow(const RecordedRow& row)
{
    QMetaObject::invokeMethod(this, [this, row] { PlaceRecordedRow(row); }, Qt::QueuedConnection);
}

void CMacroControlUI::hideEvent(QHideEvent* event)
{
    // A page out of sight must not keep the keyboard.
    StopRecording();
    CHorizontalLayoutUI::hideEvent(event);
}
