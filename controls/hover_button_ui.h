#pragma once
// A button that tells the window when the pointer enters it ("msenter", only
// while enabled) and when it leaves again ("msleave"); the hot look follows.
#include "ui/button_ui.h"

class CHoverButtonUI : public CButtonUI {
    Q_OBJECT
public:
    explicit CHoverButtonUI(QWidget* parent = nullptr) : CButtonUI(parent) {}

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // An "msleave" pairs with an "msenter" sent before it.
    bool m_entered = false;
};
