#include "controls/magic_control_ui.h"

#include "controls/quiet_controls.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"

namespace {

const QString kSwitch = QStringLiteral("magic_enable_option");
const QString kTypes = QStringLiteral("magic_option_layout");

QString TypeOptionName(int type)
{
    return QStringLiteral("magic_option_%1").arg(type);
}

}  // namespace

CMagicControlUI::CMagicControlUI(QWidget* parent) : CHorizontalLayoutUI(parent) {}

void CMagicControlUI::SetMagicOn(bool on)
{
    q31::controls::ShowSelected(m_children.As<COptionUI>(kSwitch), on);
    if (QWidget* types = m_children.Find(kTypes))
        types->setEnabled(on);
}

bool CMagicControlUI::IsMagicOn() const
{
    const auto* option = m_children.As<COptionUI>(kSwitch);
    return option && option->IsSelected();
}

void CMagicControlUI::SetMagicType(int type)
{
    for (int option = 1; option <= kTypeCount; ++option)
        q31::controls::ShowSelected(m_children.As<COptionUI>(TypeOptionName(option)), false);
    if (type < 1 || type > kTypeCount) {
        m_type = 0;
        return;
    }
    q31::controls::ShowSelected(m_children.As<COptionUI>(TypeOptionName(type)), true);
    m_type = type;
}

namespace q31::controls {

void RegisterMagicControl(CControlFactory& factory)
{
    factory.RegisterControl<CMagicControlUI>(QStringLiteral("MagicControl"), QStringLiteral("CMagicControlUI"));
}

}  // namespace q31::controls
