#pragma once
// A checkable button: "selected" ("true"/"false"), "group" (options of one group
// under the same parent exclude each other), "selectedimage", "selectedhotimage",
// "selectedbkcolor", plus the button's attributes.
#include "ui/button_ui.h"

class COptionUI : public CButtonUI {
    Q_OBJECT
public:
    explicit COptionUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("Option"); }
    bool SetAttribute(const QString& name, const QString& value) override;

    bool IsSelected() const { return isChecked(); }
    void Selected(bool selected) { setChecked(selected); }

protected:
    QString StateImage() const override;
    void PaintBkColor(QPainter& painter) override;

private:
    QString m_selectedImage, m_selectedHotImage;
    DWORD m_selectedBkColour = 0;
};
