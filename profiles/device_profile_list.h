#pragma once
// The list side of a device page's profile bar: which profiles the device has,
// which one is selected, and the files behind them.
#include "profiles/profile_bar_controls.h"
#include "profiles/profile_list_file.h"

#include <QString>
#include <json/value.h>

#include <optional>

namespace q31 {

class DeviceProfileList {
public:
    explicit DeviceProfileList(IProfileBarControls& controls);

    // 1 keyboard, 2 mouse, 3 mouse pad, 7 headset.
    void SetDeviceKind(int kind) { m_deviceKind = kind; }
    int DeviceKind() const { return m_deviceKind; }
    // The device's user profile folder and its shipped default document.
    void SetPaths(const QString& userFolder, const QString& defaultDocument);

    // Reads (or on the first start creates) the list, fills the combo and
    // selects the remembered profile, or the first when it names none. False,
    // with the bar left empty, when the list could neither be read nor created.
    bool LoadProfileList();
    // Selects the profile at index in the combo and the name edit, and
    // remembers it in the list file.
    void SelectProfile(int index, bool fireEvent);
    // Shows a list an operation left on disk, with the profile at index selected
    // (the first when it names none); nothing is written.
    void ShowList(const Json::Value& list, int index);

    int GetSelectedIndex() const { return m_controls.SelectedProfileItem(); }
    QString GetCurrentProfileId() const { return m_currentProfileId; }
    QString GetNameEditText() const { return m_controls.NameEditText(); }
    void SetNameEditText(const QString& text) { m_controls.SetNameEditText(text); }

    // The list as last read or written.
    const Json::Value& ProfileList() const { return m_list; }
    // Files of the device, once SetPaths was called.
    const std::optional<ProfileListFile>& Files() const { return m_files; }

private:
    ProfileEntry SelectedEntry() const;
    void FillCombo();

    IProfileBarControls& m_controls;
    std::optional<ProfileListFile> m_files;
    QString m_currentProfileId;
    int m_deviceKind = 0;
    Json::Value m_list;
};

}  // namespace q31
