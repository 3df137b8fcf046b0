#pragma once
// The headset's sound editor ("Voice6533ControlItem", class "Voice6533Control"):
// microphone and monitor switches and levels, the equaliser choice (twelve
// presets and the custom curve), the ten band sliders and the custom curve
// tools. It only shows values; the headset's sound settings act on its
// notifications. Children are looked up by name on first use; a missing one is
// skipped: setters do nothing, getters answer their default.
#include "controls/named_children.h"
#include "ui/container_ui.h"

#include <QString>

class CControlFactory;
class QComboBox;

class CVoice6533ControlUI : public CHorizontalLayoutUI {
    Q_OBJECT
public:
    static constexpr int kCustomChoice = 13;  // choices 1 .. 12 are the presets
    static constexpr int kBandCount = 10;

    explicit CVoice6533ControlUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("Voice6533Control"); }

    // Shows choice 1 .. 13; any other value shows none and is remembered as 0.
    void SetEqOption(int choice);
    int GetEqOption() const { return m_eqChoice; }
    // Slider index 0 .. 9 shows band 1 .. 10.
    void SetBandSlider(int index, int gain);
    int GetBandSlider(int index) const;  // -1 when missing
    void EnableCustomTools(bool enabled);

    void SetMicOn(bool on);
    void SetMonitorOn(bool on);
    void SetMicLevel(int level);
    void SetMonitorLevel(int level);
    int GetMicLevel() const;      // -1 when missing
    int GetMonitorLevel() const;  // -1 when missing

    // The name typed for a new curve.
    void SetCurveName(const QString& name);
    QString GetCurveName() const;

    // Curve names are the user's own text, never language keys.
    void AddCurveName(const QString& name);
    int GetCurveSelection() const;  // -1 when none
    int GetCurveCount() const;
    QString GetCurveNameAt(int index) const;
    // -1 (or any index outside the list) clears the selection; the name edit is emptied.
    void SelectCurve(int index);
    void RemoveCurveAt(int index);
    void RemoveAllCurves();

private:
    QComboBox* CurveCombo() const;

    int m_eqChoice = 0;
    q31::controls::CNamedChildren m_children{*this};
};

namespace q31::controls {

// Lets skins name the editor "Voice6533Control" (or "CVoice6533ControlUI").
void RegisterVoice6533Control(CControlFactory& factory);

}  // namespace q31::controls
