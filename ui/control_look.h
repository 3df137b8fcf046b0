#pragma once
// What containers and buttons share: a user data string and a background
// (colour and image string) from the skin's attributes "userdata", "bkcolor"
// and "bkimage" (colours as in colour_value.h).
#include "platform/win_types.h"

#include <QString>

class QEvent;
class QObject;
class QPainter;
class QRect;
class QWidget;

namespace q31::ui {

// Any control's user data (the dynamic property "userdata").
void SetUserData(QWidget* control, const QString& data);
QString GetUserData(const QWidget* control);

// A skin attribute arriving as a dynamic property (set by the skin loader or by
// setProperty): false for any other event.
bool ReadAttributeEvent(const QObject* control, QEvent* event, QString* name, QString* value);

class CControlLook {
public:
    // True when the attribute was one of the look's.
    bool SetAttribute(const QString& name, const QString& value);
    void SetBkColor(DWORD colour) { m_bkColour = colour; }
    DWORD GetBkColor() const { return m_bkColour; }
    void SetBkImage(const QString& image) { m_bkImage = image; }
    QString GetBkImage() const { return m_bkImage; }
    bool IsEmpty() const { return m_bkColour == 0 && m_bkImage.isEmpty(); }
    void Paint(QPainter& painter, const QRect& rc) const;

private:
    DWORD m_bkColour = 0;
    QString m_bkImage;
};

}  // namespace q31::ui
