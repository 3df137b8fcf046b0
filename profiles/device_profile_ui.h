#pragma once
// The profile bar of a device page ("DeviceProfileItem"): the profile combo,
// the name edit and the function tabs over the device's profile list.
#include "profiles/device_profile_list.h"
#include "ui/container_ui.h"

#include <QPointer>

class COptionUI;
class CControlFactory;
class QComboBox;
class QLineEdit;

class CDeviceProfileUI : public CHorizontalLayoutUI, private q31::IProfileBarControls {
    Q_OBJECT
public:
    explicit CDeviceProfileUI(QWidget* parent = nullptr);

    QString GetClass() const override { return QStringLiteral("DeviceProfile"); }

    // 1 keyboard, 2 mouse, 3 mouse pad, 7 headset.
    void SetDeviceKind(int kind) { m_list.SetDeviceKind(kind); }
    // The device's user profile folder and its shipped default document.
    void SetPaths(const QString& userFolder, const QString& defaultDocument) { m_list.SetPaths(userFolder, defaultDocument); }
    bool LoadProfileList() { return m_list.LoadProfileList(); }
    void SelectProfile(int index, bool fireEvent) { m_list.SelectProfile(index, fireEvent); }
    int GetSelectedIndex() const { return m_list.GetSelectedIndex(); }
    QString GetCurrentProfileId() const { return m_list.GetCurrentProfileId(); }
    QString GetNameEditText() const { return m_list.GetNameEditText(); }
    void SetNameEditText(const QString& text) override;
    void ShowList(const Json::Value& list, int index) { m_list.ShowList(list, index); }
    int ProfileCount() const;

    // Where the function tabs are: the device page around the bar. The bar's
    // own children until it is set.
    void SetFunctionTabScope(QWidget* page) { m_tabScope = page; }

    // "profile_menu_layout", the operation buttons.
    void ShowProfileMenu(bool visible);
    bool IsProfileMenuVisible() const;

    q31::DeviceProfileList& ProfileList() { return m_list; }

private:
    bool HasProfileCombo() const override;
    void RemoveAllProfileItems() override;
    void AddProfileItem(const QString& name) override;
    void SelectProfileItem(int index, bool fireEvent) override;
    int SelectedProfileItem() const override;
    QString ProfileItemText(int index) const override;
    QString NameEditText() const override;
    void HideFunctionTabs(int deviceKind) override;

    QComboBox* Combo() const;
    QLineEdit* NameEdit() const;
    COptionUI* FunctionTab(const QString& name) const;

    q31::DeviceProfileList m_list{*this};
    mutable QPointer<QComboBox> m_combo;
    mutable QPointer<QLineEdit> m_nameEdit;
    QPointer<QWidget> m_tabScope;
};

namespace q31 {

// Lets skins name the profile bar as "DeviceProfile" (or "CDeviceProfileUI").
void RegisterProfileControls(CControlFactory& factory);

}  // namespace q31
