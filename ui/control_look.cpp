#include "ui/control_look.h"

#include "ui/colour_value.h"
#include "ui/render_engine.h"

#include <QDynamicPropertyChangeEvent>
#include <QPainter>
#include <QWidget>

namespace q31::ui {

void SetUserData(QWidget* control, const QString& data)
{
    control->setProperty("userdata", data);
}

QString GetUserData(const QWidget* control)
{
    return control->property("userdata").toString();
}

bool ReadAttributeEvent(const QObject* control, QEvent* event, QString* name, QString* value)
{
    if (event->type() != QEvent::DynamicPropertyChange)
        return false;
    const QByteArray property = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
    const QVariant data = control->property(property);
    if (!data.canConvert<QString>())
        return false;
    *name = QString::fromLatin1(property);
    *value = data.toString();
    return true;
}

bool CControlLook::SetAttribute(const QString& name, const QString& value)
{
    if (name == QLatin1String("bkcolor")) {
        m_bkColour = ParseColourValue(value).value_or(0);
        return true;
    }
    if (name == QLatin1String("bkimage")) {
        m_bkImage = value;
        return true;
    }
    return false;
}

void CControlLook::Paint(QPainter& painter, const QRect& rc) const
{
    if (m_bkColour != 0)
        CRenderEngine::DrawColor(painter, rc, m_bkColour);
    if (!m_bkImage.isEmpty())
        CRenderEngine::DrawImageString(painter, rc, m_bkImage);
}

}  // namespace q31::ui
