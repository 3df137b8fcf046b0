#include "ui/container_ui.h"

#include <QBoxLayout>
#include <QPainter>
#include <QStyleOption>

CContainerUI::CContainerUI(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
}

bool CContainerUI::SetAttribute(const QString& name, const QString& value)
{
    const bool known = m_look.SetAttribute(name.toLower(), value);
    if (known)
        update();
    return known;
}

void CContainerUI::Add(QWidget* control)
{
    if (!layout())
        setLayout(MakeLayout());
    layout()->addWidget(control);
}

QLayout* CContainerUI::MakeLayout()
{
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

void CContainerUI::SetBkColor(DWORD colour)
{
    m_look.SetBkColor(colour);
    update();
}

void CContainerUI::SetBkImage(const QString& image)
{
    m_look.SetBkImage(image);
    update();
}

bool CContainerUI::event(QEvent* event)
{
    QString name, value;
    if (q31::ui::ReadAttributeEvent(this, event, &name, &value))
        SetAttribute(name, value);
    return QWidget::event(event);
}

void CContainerUI::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    m_look.Paint(painter, rect());
}

QLayout* CHorizontalLayoutUI::MakeLayout()
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

bool CTabLayoutUI::SelectItem(int index)
{
    if (index < 0 || index >= count())
        return false;
    setCurrentIndex(index);
    return true;
}
