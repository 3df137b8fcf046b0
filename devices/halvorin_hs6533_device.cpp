#include "devices/halvorin_hs6533_device.h"

#include "devices/device_views.h"
#include "platform/debug_log.h"
#include "platform/ui_message.h"

using namespace q31::devices;

CHalvorinHS6533Device::CHalvorinHS6533Device(QWidget* parent) : CHalvorinUSBDevice(parent)
{
    // The base's sync delay of 500 ms is the headset's.
    RestartWaves(m_waveLights);
}

CHalvorinHS6533Device::~CHalvorinHS6533Device()
{
    StopDeviceThreads();
}

void CHalvorinHS6533Device::OnActivated()
{
    ReloadProfile();
    ReadAudioState();
    RefreshPage();
    StartPreviewThread();
}

int CHalvorinHS6533Device::ReloadProfile()
{
    SetKindIndex(0);
    LoadSelectedProfile(m_profile);
    ApplyProfile();
    m_soundSettings.LoadFromProfile();
    return 1;
}

void CHalvorinHS6533Device::ResetFromProfile()
{
    ReloadProfile();
    m_profile.LoadDeviceSection(m_profile.GetDefaultDocumentPath());
    ApplyProfile();
    SaveProfile();
    RefreshPage();
}

int CHalvorinHS6533Device::ApplyProfile()
{
    const int previousMode = GetLightSettingsBytes()[kSettingEffect];
    TakeLightSettings(m_profile.ReadLightInfo());
    const LightSettings light = GetLightSettingsBytes();
    if (light[kSettingEffect] != previousMode) {
        // The waves start again from one lit entry.
        std::lock_guard lock(m_headsetEffectLock);
        RestartWaves(m_waveLights);
    }
    PutPadLight(m_deviceState, light);
    LoadProfileLighting(m_profile, kKindHeadset);
    return 1;
}

void CHalvorinHS6533Device::SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3)
{
    CHalvorinUSBDevice::SetLightSettings(word0, word1, word2, word3);
    m_profile.WriteLightInfo(GetLightSettingsBytes());
}

void CHalvorinHS6533Device::SetKindIndex(int index)
{
    CHalvorinUSBDevice::SetKindIndex(index);
    m_profile.SetDeviceIndex(0);
}

void CHalvorinHS6533Device::SaveProfile()
{
    SaveProfileDocument(m_profile);
}

void CHalvorinHS6533Device::LoadNameLists()
{
    m_modeCodes = LightModeCodes(kKindHeadset);
}

int CHalvorinHS6533Device::WriteSettings(int page, int, int, int, int)
{
    LoadNameLists();
    const PadRecord record = PadWireRecord(m_deviceState, m_modeCodes);
    PostWrite("settings", [record, page](CDeviceLink& link) { return WritePadRecord(link, record, page); });
    return 1;
}

void CHalvorinHS6533Device::SyncFromDevice()
{
    m_commandLink.SetEffectPause(false);
    LoadNameLists();
    ReadForPage<PadRecordFetch>(
        [this](const CStopEvent&) { return ReadPadRecord(m_commandLink); },
        [this, codes = m_modeCodes](const PadRecordFetch& fetch) {
            // Half a read is no state: the profile number alone would move the record's address.
            if (fetch.result != q31::kResultSuccess) {
                OutputDebugText(QStringLiteral("headset: the settings could not be read (%1)").arg(fetch.result));
                return;
            }
            m_deviceState = PadStateOfRead(fetch.record, fetch.currentProfile, codes);
            if (m_mainWindow)
                PostMessageTo(*m_mainWindow, kDeviceProfileMessage, WPARAM(fetch.currentProfile), 0);
        },
        "settings read");
}

void CHalvorinHS6533Device::RefreshPower()
{
    ReadPowerStatus();
}
