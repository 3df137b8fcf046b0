// The user-defined lighting every device plays in its preview: the custom
// effect of its light mode and the per-light effects of its profile.
#include "devices/custom_effect_files.h"
#include "devices/custom_effect_modes.h"
#include "devices/halvorin_usb_device.h"
#include "profiles/basic_profile_data.h"

using namespace q31::devices;

void CHalvorinUSBDevice::LoadProfileLighting(const CBasicProfiledata& profile, int kindIndex)
{
    const std::optional<int> entry = CustomEntryOfMode(kindIndex, GetLightSettingsBytes()[kSettingEffect]);
    std::vector<CustomEffectStep> steps;
    if (entry)
        steps = LoadCustomEffect(UserDataFolder(), kindIndex, *entry);
    {
        std::lock_guard lock(m_customLightingLock);
        m_customLighting = std::move(steps);
        m_customLightingLength = int(m_customLighting.size());
        m_customLightingPosition = 0;
    }
    // One entry per light: a longer list loses its tail, a shorter one leaves the rest unused.
    std::vector<LightSettings> list = profile.ReadLightList();
    list.resize(std::size_t(m_lightCount), LightSettings{});
    std::lock_guard lock(m_lightLock);
    m_perLightSettings = std::move(list);
    ResetPerLightEffects(m_perLightStates, m_perLightSettings);
}

void CHalvorinUSBDevice::StepCustomLightingList()
{
    StepCustomLighting(m_customPlayer,
                       {m_customLightingLock, m_customLighting, m_customLightingPosition, m_customLightingLength},
                       m_lightRecords, TickCountMs());
}

void CHalvorinUSBDevice::StepPerLightList()
{
    std::lock_guard lock(m_lightLock);
    StepPerLightEffects(m_perLightStates, m_perLightSettings, m_lightRecords, TickCountMs());
}
