#include "controls/wnd_ui.h"

#include <QVBoxLayout>
#include <QWindow>

CWndUI::CWndUI(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void CWndUI::Attach(QWindow* window)
{
    // The container owns the window it holds; a foreign window outlives it.
    delete m_container;
    m_container = window ? QWidget::createWindowContainer(window, this) : nullptr;
    m_window = window;
    if (m_container)
        layout()->addWidget(m_container);
}
