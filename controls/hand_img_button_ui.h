#pragma once
// A button with an extra picture, its hand image, drawn over its own images.
// Attributes: "handimage" (image string; "dest" is relative to the button and
// clipped to it), "deletenormalimage" and "deletehotimage" (accepted; the
// delete badge is never shown). Sends "msenter" and "msleave"; "click" only
// when the button is released inside.
#include "controls/hover_button_ui.h"

class CHandImgButtonUI : public CHoverButtonUI {
    Q_OBJECT
public:
    explicit CHandImgButtonUI(QWidget* parent = nullptr) : CHoverButtonUI(parent) {}

    QString GetClass() const override { return QStringLiteral("HandImgButton"); }
    bool SetAttribute(const QString& name, const QString& value) override;

protected:
    void PaintStatusImage(QPainter& painter) override;

private:
    QString m_handImage;
};
