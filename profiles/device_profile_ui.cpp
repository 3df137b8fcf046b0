#include "profiles/device_profile_ui.h"

#include "ui/control_factory.h"
#include "ui/option_ui.h"
#include "ui/paint_manager.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSize>

#include <initializer_list>

namespace {

constexpr int kItemHeight = 30;

// The function tabs a device kind does not have, and those only it has.
struct KindTabs {
    int kind;
    std::initializer_list<const char*> hidden;
    std::initializer_list<const char*> shown;
};

const KindTabs kKindTabs[] = {
    {1, {"cursor_Op_tab"}, {}},
    {2, {}, {}},
    {3, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}, {}},
    {7, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"},
     {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
};

}  // namespace

CDeviceProfileUI::CDeviceProfileUI(QWidget* parent) : CHorizontalLayoutUI(parent)
{
}

QComboBox* CDeviceProfileUI::Combo() const
{
    if (!m_combo)
        m_combo = qobject_cast<QComboBox*>(
            CPaintManagerUI::FindSubControlByName(this, QStringLiteral("device_profile_combo")));
    return m_combo;
}

QLineEdit* CDeviceProfileUI::NameEdit() const
{
    if (!m_nameEdit)
        m_nameEdit = qobject_cast<QLineEdit*>(
            CPaintManagerUI::FindSubControlByName(this, QStringLiteral("device_profile_name_edit")));
    return m_nameEdit;
}

COptionUI* CDeviceProfileUI::FunctionTab(const QString& name) const
{
    const QWidget* scope = m_tabScope ? m_tabScope.data() : this;
    return qobject_cast<COptionUI*>(CPaintManagerUI::FindSubControlByName(scope, name));
}

int CDeviceProfileUI::ProfileCount() const
{
    const QComboBox* combo = Combo();
    return combo ? combo->count() : 0;
}

void CDeviceProfileUI::ShowProfileMenu(bool visible)
{
    if (QWidget* menu = CPaintManagerUI::FindSubControlByName(this, QStringLiteral("profile_menu_layout")))
        menu->setVisible(visible);
}

bool CDeviceProfileUI::IsProfileMenuVisible() const
{
    const QWidget* menu = CPaintManagerUI::FindSubControlByName(this, QStringLiteral("profile_menu_layout"));
    return menu && !menu->isHidden();
}

bool CDeviceProfileUI::HasProfileCombo() const
{
    return Combo() != nullptr;
}

void CDeviceProfileUI::RemoveAllProfileItems()
{
    if (QComboBox* combo = Combo()) {
        const QSignalBlocker quiet(combo);
        combo->clear();
    }
}

void CDeviceProfileUI::AddProfileItem(const QString& name)
{
    QComboBox* combo = Combo();
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    combo->addItem(name, name);
    combo->setItemData(combo->count() - 1, QSize(0, kItemHeight), Qt::SizeHintRole);
}

void CDeviceProfileUI::SelectProfileItem(int index, bool fireEvent)
{
    QComboBox* combo = Combo();
    if (!combo || index < 0 || index >= combo->count())
        return;
    combo->setFocus();
    if (fireEvent) {
        combo->setCurrentIndex(index);
        return;
    }
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
}

int CDeviceProfileUI::SelectedProfileItem() const
{
    const QComboBox* combo = Combo();
    return combo ? combo->currentIndex() : -1;
}

QString CDeviceProfileUI::ProfileItemText(int index) const
{
    const QComboBox* combo = Combo();
    return combo ? combo->itemText(index) : QString();
}

QString CDeviceProfileUI::NameEditText() const
{
    const QLineEdit* edit = NameEdit();
    return edit ? edit->text() : QString();
}

void CDeviceProfileUI::SetNameEditText(const QString& text)
{
    if (QLineEdit* edit = NameEdit())
        edit->setText(text);
}

void CDeviceProfileUI::HideFunctionTabs(int deviceKind)
{
    for (const KindTabs& tabs : kKindTabs) {
        if (tabs.kind != deviceKind)
            continue;
        for (const char* name : tabs.hidden) {
            if (COptionUI* tab = FunctionTab(QString::fromLatin1(name)))
                tab->setVisible(false);
        }
        for (const char* name : tabs.shown) {
            if (COptionUI* tab = FunctionTab(QString::fromLatin1(name)))
                tab->setVisible(true);
        }
    }
}

namespace q31 {

void RegisterProfileControls(CControlFactory& factory)
{
    factory.RegisterControl<CDeviceProfileUI>(QStringLiteral("DeviceProfile"), QStringLiteral("CDeviceProfileUI"));
}

}  // namespace q31
