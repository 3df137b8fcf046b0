#include "ui/button_ui.h"

#include "ui/colour_value.h"
#include "ui/paint_manager.h"
#include "ui/render_engine.h"

#include <QEvent>
#include <QPainter>

CButtonUI::CButtonUI(QWidget* parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
}

bool CButtonUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (m_look.SetAttribute(key, value)) {
        update();
        return true;
    }
    QString* images[] = {&m_normalImage, &m_hotImage, &m_pushedImage, &m_focusedImage,
                         &m_disabledImage, &m_foreImage, &m_hotForeImage};
    const char* names[] = {"normalimage", "hotimage", "pushedimage", "focusedimage",
                           "disabledimage", "foreimage", "hotforeimage"};
    for (int i = 0; i < int(std::size(names)); ++i) {
        if (key == QLatin1String(names[i])) {
            *images[i] = value;
            update();
            return true;
        }
    }
    if (key == QLatin1String("textcolor")) {
        m_textColour = q31::ui::ParseColourValue(value).value_or(0);
        update();
        return true;
    }
    return false;
}

void CButtonUI::SetBkColor(DWORD colour)
{
    m_look.SetBkColor(colour);
    update();
}

void CButtonUI::SetForeImage(const QString& image)
{
    m_foreImage = image;
    update();
}

bool CButtonUI::event(QEvent* event)
{
    QString name, value;
    if (q31::ui::ReadAttributeEvent(this, event, &name, &value))
        SetAttribute(name, value);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange || event->type() == QEvent::ScreenChangeInternal)
        m_themeFace.Clear();
    return QPushButton::event(event);
}

bool CButtonUI::DrawsItself() const
{
    return !m_look.IsEmpty() || !StateImage().isEmpty();
}

void CButtonUI::paintEvent(QPaintEvent*)
{
    if (!DrawsItself()) {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        m_themeFace.Paint(painter, *this, option);
        PaintStatusImage(painter);
        return;
    }
    QPainter painter(this);
    PaintBkColor(painter);
    PaintStatusImage(painter);
    PaintText(painter);
}

void CButtonUI::PaintBkColor(QPainter& painter)
{
    m_look.Paint(painter, rect());
}

QString CButtonUI::StateImage() const
{
    const QString* chosen = &m_normalImage;
    if (!isEnabled())
        chosen = &m_disabledImage;
    else if (isDown())
        chosen = &m_pushedImage;
    else if (underMouse())
        chosen = &m_hotImage;
    else if (hasFocus())
        chosen = &m_focusedImage;
    return chosen->isEmpty() ? m_normalImage : *chosen;
}

void CButtonUI::PaintStatusImage(QPainter& painter)
{
    CRenderEngine::DrawImageString(painter, rect(), StateImage());
    const QString& fore = underMouse() && !m_hotForeImage.isEmpty() ? m_hotForeImage : m_foreImage;
    CRenderEngine::DrawImageString(painter, rect(), fore);
}

void CButtonUI::PaintText(QPainter& painter)
{
    if (text().isEmpty())
        return;
    const DWORD colour = m_textColour ? m_textColour : palette().buttonText().color().rgba();
    CRenderEngine::DrawTextW(painter, rect(), text(), colour, font(), Qt::AlignCenter | Qt::TextWordWrap);
}
