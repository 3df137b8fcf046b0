#include "profiles/device_profile_list.h"

namespace q31 {

DeviceProfileList::DeviceProfileList(IProfileBarControls& controls) : m_controls(controls)
{
}

void DeviceProfileList::SetPaths(const QString& userFolder, const QString& defaultDocument)
{
    m_files.emplace(userFolder, defaultDocument);
}

bool DeviceProfileList::LoadProfileList()
{
    if (!m_files)
        return false;
    m_list = m_files->LoadOrCreate();
    const bool loaded = !m_list.isNull();
    // The device opens the selected profile even when the page has no combo.
    m_currentProfileId = SelectedEntry().id;
    if (!m_controls.HasProfileCombo())
        return loaded;
    FillCombo();
    if (loaded)
        SelectProfile(ProfileListFile::SelectedIndex(m_list), false);
    else
        m_controls.SetNameEditText(QString());
    m_controls.HideFunctionTabs(m_deviceKind);
    return loaded;
}

void DeviceProfileList::SelectProfile(int index, bool fireEvent)
{
    if (!m_files)
        return;
    if (index < 0 || index >= static_cast<int>(ProfileListFile::Entries(m_list).size()))
        index = 0;
    m_controls.SelectProfileItem(index, fireEvent);
    m_controls.SetNameEditText(m_controls.ProfileItemText(index));
    m_list = m_files->StoreSelection(m_list, index);
    m_currentProfileId = SelectedEntry().id;
}

void DeviceProfileList::ShowList(const Json::Value& list, int index)
{
    m_list = list;
    const auto entries = ProfileListFile::Entries(m_list);
    if (index < 0 || index >= static_cast<int>(entries.size()))
        index = 0;
    m_currentProfileId = entries.empty() ? QString() : entries[static_cast<std::size_t>(index)].id;
    if (!m_controls.HasProfileCombo())
        return;
    FillCombo();
    m_controls.SelectProfileItem(index, false);
    m_controls.SetNameEditText(m_controls.ProfileItemText(index));
}

void DeviceProfileList::FillCombo()
{
    // A page that is set up again (device plugged in again) must not show items twice.
    m_controls.RemoveAllProfileItems();
    for (const ProfileEntry& entry : ProfileListFile::Entries(m_list))
        m_controls.AddProfileItem(entry.name);
}

ProfileEntry DeviceProfileList::SelectedEntry() const
{
    const auto entries = ProfileListFile::Entries(m_list);
    if (entries.empty())
        return {};
    return entries[static_cast<std::size_t>(ProfileListFile::SelectedIndex(m_list))];
}

}  // namespace q31
