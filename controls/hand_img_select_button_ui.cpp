#include "controls/hand_img_select_button_ui.h"

#include "controls/cursor_names.h"
#include "ui/paint_manager.h"
#include "ui/render_engine.h"

#include <QDir>
#include <QImageReader>
#include <QMouseEvent>

#include <algorithm>

namespace {

QSize ImageSize(const QString& image)
{
    const std::optional<TDrawInfo> info = CRenderEngine::ParseCached(image);
    if (!info)
        return QSize();
    return QImageReader(QDir(CPaintManagerUI::GetResourcePath()).absoluteFilePath(info->sFile)).size();
}

}  // namespace

CHandImgSelectButtonUI::CHandImgSelectButtonUI(QWidget* parent) : CHoverButtonUI(parent)
{
    // Space on a focused button would click it; this one never clicks.
    setFocusPolicy(Qt::NoFocus);
}

bool CHandImgSelectButtonUI::SetAttribute(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    if (key == QLatin1String("handimage")) {
        SetHandImage(value);
        return true;
    }
    if (key == QLatin1String("cursor")) {
        if (const std::optional<Qt::CursorShape> shape = q31::controls::CursorShapeFromName(value))
            setCursor(*shape);
        return true;
    }
    return CHoverButtonUI::SetAttribute(name, value);
}

void CHandImgSelectButtonUI::SetHandImage(const QString& image)
{
    m_handImage = image;
    m_imageSize = ImageSize(image);
    m_viewOrigin = QPoint(0, 0);
    update();
}

bool CHandImgSelectButtonUI::ImageLargerThanButton() const
{
    return m_imageSize.isValid() && (width() < m_imageSize.width() || height() < m_imageSize.height());
}

QRect CHandImgSelectButtonUI::GetViewWindow() const
{
    // Follows the button's size, which the skin may set after the image.
    return InsideImage(QRect(m_viewOrigin, size()));
}

QString CHandImgSelectButtonUI::SourceAttribute() const
{
    const QRect view = GetViewWindow();
    return QStringLiteral("source='%1,%2,%3,%4'")
        .arg(view.left())
        .arg(view.top())
        .arg(view.left() + view.width())
        .arg(view.top() + view.height());
}

void CHandImgSelectButtonUI::PaintStatusImage(QPainter& painter)
{
    CHoverButtonUI::PaintStatusImage(painter);
    // A picture larger than the button is shown through the view window, one
    // image pixel to a button pixel; a smaller one is drawn as described.
    CRenderEngine::DrawImageString(painter, rect(), m_handImage,
                                   ImageLargerThanButton() ? SourceAttribute() : QString());
}

QRect CHandImgSelectButtonUI::InsideImage(QRect view) const
{
    const int maxLeft = std::max(0, m_imageSize.width() - view.width());
    const int maxTop = std::max(0, m_imageSize.height() - view.height());
    view.moveTo(std::clamp(view.left(), 0, maxLeft), std::clamp(view.top(), 0, maxTop));
    return view;
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setDown(true);
    m_lastPointer = event->position().toPoint();
    m_dragging = true;
    update();
}

void CHandImgSelectButtonUI::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const QPoint pointer = event->position().toPoint();
    // The picture follows the pointer, so the window moves against it; a
    // picture that fits in the button has nothing to show beyond it.
    if (ImageLargerThanButton()) {
        m_viewOrigin = InsideImage(GetViewWindow().translated(m_lastPointer - pointer)).topLeft();
        update();
    }
    m_lastPointer = pointer;
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_dragging = false;
    setDown(false);
    update();
}
