#include "ui/control_factory.h"

#include "ui/standard_controls.h"

CControlFactory& CControlFactory::GetInstance()
{
    static CControlFactory factory;
    return factory;
}

CControlFactory::CControlFactory()
{
    q31::ui::RegisterStandardControls(*this);
}

void CControlFactory::RegisterControlClass(const QString& className, Creator creator)
{
    m_creators.insert(className, std::move(creator));
}

bool CControlFactory::IsRegistered(const QString& className) const
{
    return m_creators.contains(className);
}

QWidget* CControlFactory::CreateControl(const QString& className, QWidget* parent) const
{
    const auto it = m_creators.constFind(className);
    return it == m_creators.constEnd() ? nullptr : (*it)(parent);
}
