#include "devices/halvorin_mouse_pad_device.h"

#include "devices/config_bracket.h"
#include "devices/device_views.h"
#include "hid/hid_catalogue.h"
#include "platform/debug_log.h"
#include "platform/ui_message.h"

using namespace q31::devices;

CHalvorinMousePadDevice::CHalvorinMousePadDevice(QWidget* parent) : CHalvorinUSBDevice(parent)
{
    RestartWaves(m_keyLights);
}

CHalvorinMousePadDevice::~CHalvorinMousePadDevice()
{
    StopDeviceThreads();
}

int CHalvorinMousePadDevice::CreatePage()
{
    const int created = CHalvorinUSBDevice::CreatePage();
    SetUpLightEditor(kKindNumber, kKindMousePad);
    return created;
}

void CHalvorinMousePadDevice::OnActivated()
{
    // The pad's information is asked for as the pad expects, though nothing of it is used.
    RunOnDevice(
        [this](const CStopEvent&) {
            if (!m_commandLink.IsOpen())
                return;
            std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength> info{};
            InConfigBracket(m_commandLink, [&] { return m_commandLink.ReadDeviceInfo(info); });
        },
        "device info");
    ReloadProfile();
    RefreshPage();
    StartPreviewThread();
}

int CHalvorinMousePadDevice::ReloadProfile()
{
    SetKindIndex(kKindMousePad);
    LoadSelectedProfile(m_profile);
    ApplyProfile();
    return 1;
}

int CHalvorinMousePadDevice::ApplyProfile()
{
    const int modeBefore = GetLightSettingsBytes()[kSettingEffect];
    TakeLightSettings(m_profile.ReadLightInfo());
    const LightSettings light = GetLightSettingsBytes();
    PutPadLight(m_deviceState, light);
    if (light[kSettingEffect] != modeBefore)
        RestartWaves(m_keyLights);
    LoadProfileLighting(m_profile, kKindMousePad);
    return 1;
}

void CHalvorinMousePadDevice::RefreshPage()
{
    LoadNameLists();
    ShowLightEditor();
    emit PageRefreshed();
}

void CHalvorinMousePadDevice::ResetFromProfile()
{
    // The shipped default's settings replace those of the profile in use.
    ReloadProfile();
    m_profile.LoadDeviceSection(m_profile.GetDefaultDocumentPath());
    ApplyProfile();
    SaveProfile();
    RefreshPage();
}

void CHalvorinMousePadDevice::LoadNameLists()
{
    m_modeCodes = LightModeCodes(kKindMousePad);
}

void CHalvorinMousePadDevice::SaveProfile()
{
    SaveProfileDocument(m_profile);
}

void CHalvorinMousePadDevice::SetKindIndex(int index)
{
    CHalvorinUSBDevice::SetKindIndex(index);
    m_profile.SetDeviceIndex(0);
}

void CHalvorinMousePadDevice::SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3)
{
    CHalvorinUSBDevice::SetLightSettings(word0, word1, word2, word3);
    m_profile.WriteLightInfo(GetLightSettingsBytes());
}

int CHalvorinMousePadDevice::WriteSettings(int page, int, int, int, int)
{
    if (!m_commandLink.IsOpen())
        return q31::kResultNoReply;
    LoadNameLists();
    AskDevice<PadSettingsWrite>(
        [this, state = m_deviceState, known = m_ownBytesKnown, codes = m_modeCodes, page](const CStopEvent&) {
            return WritePadSettings(m_commandLink, state, known, codes, page);
        },
        [this](const PadSettingsWrite& written) {
            // A read made for the write tells the pad's own bytes, unless a re-read came first.
            if (written.ownBytesRead && !m_ownBytesKnown) {
                m_deviceState = WithPadOwnBytes(m_deviceState, written.state);
                m_ownBytesKnown = true;
            }
            ShowWriteResult(written.result == q31::kResultSuccess);
        },
        "settings");
    return 1;
}

void CHalvorinMousePadDevice::ApplyProfileToDevice()
{
    WriteSettings(0, 0, 0, 0, 0);
}

void CHalvorinMousePadDevice::SyncFromDevice()
{
    m_commandLink.SetEffectPause(false);
    ReadForPage<PadRecordFetch>(
        [this](const CStopEvent&) {
            return m_commandLink.IsOpen() ? ReadPadRecord(m_commandLink) : PadRecordFetch{};
        },
        [this](const PadRecordFetch& fetch) { TakeRecord(fetch); }, "settings read");
}

void CHalvorinMousePadDevice::TakeRecord(const PadRecordFetch& fetch)
{
    // A failed read keeps what the object holds: the next write must not put zeros over the pad's own bytes.
    if (fetch.result != q31::kResultSuccess) {
        OutputDebugText(QStringLiteral("mouse pad: the settings could not be read (%1)").arg(fetch.result));
        return;
    }
    LoadNameLists();
    m_deviceState = PadStateOfRead(fetch.record, fetch.currentProfile, m_modeCodes);
    m_ownBytesKnown = true;
    m_deviceProfile = fetch.currentProfile;
    if (m_mainWindow)
        PostMessageTo(*m_mainWindow, kDeviceProfileMessage, WPARAM(m_deviceProfile), 0);
}

void CHalvorinMousePadDevice::RefreshPower()
{
    ReadPowerStatus();
}
