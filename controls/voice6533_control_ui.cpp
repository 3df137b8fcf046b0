#include "controls/voice6533_control_ui.h"

#include "controls/quiet_controls.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSize>
#include <QSlider>

namespace {

constexpr int kCurveItemHeight = 30;

QString EqOptionName(int choice)
{
    return QStringLiteral("6533_eq_option_%1").arg(choice);
}

QString BandSliderName(int index)
{
    return QStringLiteral("6533_eq_hz_slider_%1").arg(index);
}

const QString kMicOption = QStringLiteral("6533_MicIn_option");
const QString kMicSlider = QStringLiteral("6533_MicIn_slider");
const QString kMonitorOption = QStringLiteral("6533_MicMoniter_option");
const QString kMonitorSlider = QStringLiteral("6533_MicMoniter_slider");
const QString kCustomTools = QStringLiteral("custom_eq_option_layout");
const QString kCurveCombo = QStringLiteral("custom_eq_name_combo");
const QString kCurveNameEdit = QStringLiteral("custom_eq_name_edit");

int ValueOf(const QSlider* slider)
{
    return slider ? slider->value() : -1;
}

}  // namespace

CVoice6533ControlUI::CVoice6533ControlUI(QWidget* parent) : CHorizontalLayoutUI(parent) {}

QComboBox* CVoice6533ControlUI::CurveCombo() const
{
    return m_children.As<QComboBox>(kCurveCombo);
}

void CVoice6533ControlUI::SetEqOption(int choice)
{
    for (int option = 1; option <= kCustomChoice; ++option)
        q31::controls::ShowSelected(m_children.As<COptionUI>(EqOptionName(option)), false);
    if (choice < 1 || choice > kCustomChoice) {
        m_eqChoice = 0;
        return;
    }
    q31::controls::ShowSelected(m_children.As<COptionUI>(EqOptionName(choice)), true);
    m_eqChoice = choice;
}

void CVoice6533ControlUI::SetBandSlider(int index, int gain)
{
    if (index >= 0 && index < kBandCount)
        q31::controls::ShowValue(m_children.As<QSlider>(BandSliderName(index)), gain);
}

int CVoice6533ControlUI::GetBandSlider(int index) const
{
    if (index < 0 || index >= kBandCount)
        return -1;
    return ValueOf(m_children.As<QSlider>(BandSliderName(index)));
}

void CVoice6533ControlUI::EnableCustomTools(bool enabled)
{
    if (QWidget* tools = m_children.Find(kCustomTools))
        tools->setEnabled(enabled);
}

void CVoice6533ControlUI::SetMicOn(bool on)
{
    q31::controls::ShowSelected(m_children.As<COptionUI>(kMicOption), on);
}

void CVoice6533ControlUI::SetMonitorOn(bool on)
{
    q31::controls::ShowSelected(m_children.As<COptionUI>(kMonitorOption), on);
}

void CVoice6533ControlUI::SetMicLevel(int level)
{
    q31::controls::ShowValue(m_children.As<QSlider>(kMicSlider), level);
}

void CVoice6533ControlUI::SetMonitorLevel(int level)
{
    q31::controls::ShowValue(m_children.As<QSlider>(kMonitorSlider), level);
}

int CVoice6533ControlUI::GetMicLevel() const
{
    return ValueOf(m_children.As<QSlider>(kMicSlider));
}

int CVoice6533ControlUI::GetMonitorLevel() const
{
    return ValueOf(m_children.As<QSlider>(kMonitorSlider));
}

void CVoice6533ControlUI::SetCurveName(const QString& name)
{
    if (auto* edit = m_children.As<QLineEdit>(kCurveNameEdit)) {
        const QSignalBlocker quiet(edit);
        edit->setText(name);
    }
}

QString CVoice6533ControlUI::GetCurveName() const
{
    const auto* edit = m_children.As<QLineEdit>(kCurveNameEdit);
    return edit ? edit->text() : QString();
}

void CVoice6533ControlUI::AddCurveName(const QString& name)
{
    QComboBox* combo = CurveCombo();
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    const int selected = combo->currentIndex();
    combo->addItem(name, name);
    combo->setItemData(combo->count() - 1, QSize(0, kCurveItemHeight), Qt::SizeHintRole);
    // The first item of an empty combo would otherwise become its selection.
    combo->setCurrentIndex(selected);
}

int CVoice6533ControlUI::GetCurveSelection() const
{
    const QComboBox* combo = CurveCombo();
    return combo ? combo->currentIndex() : -1;
}

int CVoice6533ControlUI::GetCurveCount() const
{
    const QComboBox* combo = CurveCombo();
    return combo ? combo->count() : 0;
}

QString CVoice6533ControlUI::GetCurveNameAt(int index) const
{
    const QComboBox* combo = CurveCombo();
    return combo ? combo->itemText(index) : QString();
}

void CVoice6533ControlUI::SelectCurve(int index)
{
    q31::controls::ShowCurrentIndex(CurveCombo(), index);
    SetCurveName({});
}

void CVoice6533ControlUI::RemoveCurveAt(int index)
{
    if (QComboBox* combo = CurveCombo()) {
        const QSignalBlocker quiet(combo);
        combo->removeItem(index);
    }
}

void CVoice6533ControlUI::RemoveAllCurves()
{
    if (QComboBox* combo = CurveCombo()) {
        const QSignalBlocker quiet(combo);
        combo->clear();
    }
}

namespace q31::controls {

void RegisterVoice6533Control(CControlFactory& factory)
{
    factory.RegisterControl<CVoice6533ControlUI>(QStringLiteral("Voice6533Control"),
                                                 QStringLiteral("CVoice6533ControlUI"));
}

}  // namespace q31::controls
