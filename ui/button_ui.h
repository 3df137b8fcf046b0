#pragma once
// A push button that can draw itself from image strings instead of the theme:
// attributes "normalimage", "hotimage", "pushedimage", "focusedimage",
// "disabledimage", "foreimage", "hotforeimage", "textcolor", plus the shared
// look ("bkcolor", "bkimage"). Attributes come from the skin's dynamic
// properties or from SetAttribute; names are compared without regard to case.
#include "platform/win_types.h"
#include "ui/control_look.h"
#include "ui/theme_face_cache.h"

#include <QPushButton>

class CButtonUI : public QPushButton {
    Q_OBJECT
public:
    explicit CButtonUI(QWidget* parent = nullptr);

    virtual QString GetClass() const { return QStringLiteral("Button"); }
    // False when the attribute is not the button's.
    virtual bool SetAttribute(const QString& name, const QString& value);

    void SetBkColor(DWORD colour);
    DWORD GetBkColor() const { return m_look.GetBkColor(); }
    void SetForeImage(const QString& image);
    QString GetForeImage() const { return m_foreImage; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    virtual void PaintBkColor(QPainter& painter);
    // The state's image, then the fore image.
    virtual void PaintStatusImage(QPainter& painter);
    virtual void PaintText(QPainter& painter);
    // The state image for the current state; options add their selected images.
    virtual QString StateImage() const;
    // With no background and no state image the theme draws the button; the
    // status images (overlays of subclasses) still come on top.
    bool DrawsItself() const;
    bool IsHot() const { return underMouse(); }

private:
    q31::ui::CControlLook m_look;
    CThemeFaceCache m_themeFace;
    QString m_normalImage, m_hotImage, m_pushedImage, m_focusedImage, m_disabledImage;
    QString m_foreImage, m_hotForeImage;
    DWORD m_textColour = 0;
};
