#pragma once
// The headset's voice changer editor ("MagicControlItem", class "MagicControl"):
// the on/off switch and the four voice types, which can be chosen only while
// the voice changer is on. It only shows values; the headset's sound settings
// act on its notifications. A missing child is skipped.
#include "controls/named_children.h"
#include "ui/container_ui.h"

class CControlFactory;

class CMagicControlUI : public CHorizontalLayoutUI {
    Q_OBJECT
public:
    static constexpr int kTypeCount = 4;

    explicit CMagicControlUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("MagicControl"); }

    // Also enables the voice types to match.
    void SetMagicOn(bool on);
    bool IsMagicOn() const;  // false when missing
    // Shows type 1 .. 4; any other value shows none and is remembered as 0.
    void SetMagicType(int type);
    int GetMagicType() const { return m_type; }

private:
    int m_type = 0;
    q31::controls::CNamedChildren m_children{*this};
};

namespace q31::controls {

// Lets skins name the editor "MagicControl" (or "CMagicControlUI").
void RegisterMagicControl(CControlFactory& factory);

}  // namespace q31::controls
