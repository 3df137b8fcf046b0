#pragma once
// A collected colour slot of the palette dialog: an option drawn in its colour,
// framed while it holds none. Attribute "bordersize" (pixels at 96 DPI, 0 for
// no frame) besides the option's own.
#include "ui/option_ui.h"

class CColourSlotUI : public COptionUI {
    Q_OBJECT
public:
    using COptionUI::COptionUI;

    QString GetClass() const override { return QStringLiteral("ColourSlot"); }
    bool SetAttribute(const QString& name, const QString& value) override;

    void SetBorderSize(int size);
    int GetBorderSize() const { return m_borderSize; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_borderSize = 0;
};
