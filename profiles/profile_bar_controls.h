#pragma once
// The controls of a device page's profile bar, as the profile list logic uses
// them. The UI side implements it on the page's real controls; a missing
// control makes the calls do nothing.
#include <QString>

namespace q31 {

class IProfileBarControls {
public:
    virtual ~IProfileBarControls() = default;

    // "device_profile_combo"
    virtual bool HasProfileCombo() const = 0;
    virtual void RemoveAllProfileItems() = 0;
    // A list item of height 30 whose text and user data are the name.
    virtual void AddProfileItem(const QString& name) = 0;
    // Selects the item (taking focus); the selection event only when fireEvent is set.
    virtual void SelectProfileItem(int index, bool fireEvent) = 0;
    // The selected item, or -1.
    virtual int SelectedProfileItem() const = 0;
    virtual QString ProfileItemText(int index) const = 0;

    // "device_profile_name_edit"
    virtual QString NameEditText() const = 0;
    virtual void SetNameEditText(const QString& text) = 0;

    // Hides the function tabs a device kind does not have.
    virtual void HideFunctionTabs(int deviceKind) = 0;
};

}  // namespace q31
