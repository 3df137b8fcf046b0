#include "controls/named_children.h"

#include "ui/paint_manager.h"

namespace q31::controls {

QWidget* CNamedChildren::Find(const QString& name) const
{
    QPointer<QWidget>& found = m_found[name];
    if (!found)
        found = CPaintManagerUI::FindSubControlByName(&m_owner, name);
    return found;
}

}  // namespace q31::controls
