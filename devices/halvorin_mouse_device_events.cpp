// What the mouse reports by itself: a request to be read again, its own
// profile and DPI stage switches, and its power state.
#include "devices/halvorin_mouse_device.h"
#include "platform/debug_log.h"
#include "protocol/link_attach.h"
#include "protocol/notification_code.h"

using namespace q31::devices;

namespace {

// The mouse's key press, reported on its cable for the ripple of the preview.
constexpr std::uint16_t kCodeKeyRipple = 0x0403;

}  // namespace

struct CHalvorinMouseDevice::SettingsReadResult {
    bool open = false;
    MouseSettingsFetch fetch;
};

void CHalvorinMouseDevice::SyncFromDevice()
{
    m_commandLink.SetEffectPause(false);
    ReadForPage<SettingsReadResult>(
        [this](const CStopEvent&) {
            SettingsReadResult read;
            read.open = m_commandLink.IsOpen();
            if (read.open)
                read.fetch = ReadMouseSettings(m_commandLink);
            return read;
        },
        [this](const SettingsReadResult& read) { TakeSettings(read); }, "settings read");
}

void CHalvorinMouseDevice::TakeSettings(const SettingsReadResult& read)
{
    // A failed read leaves the page, the device state and the profile as they were.
    if (!read.open)
        return;
    if (read.fetch.result != q31::kResultSuccess) {
        OutputDebugText(QStringLiteral("mouse: the settings could not be read (%1)").arg(read.fetch.result));
        return;
    }
    LoadNameLists();
    const MouseSettingsRead taken =
        TakeMouseSettings(read.fetch.record, read.fetch.currentProfile, GetLightSettingsBytes(), m_modeCodes);
    m_deviceProfile = read.fetch.currentProfile;
    m_currentStage = taken.currentStage;
    m_profile.WriteCurrentDpiStage(m_currentStage);
    TakeLightSettings(taken.light);
    SaveProfile();
    RefreshPage();
}

void CHalvorinMouseDevice::OnNotificationCode(int type, std::uint16_t code)
{
    CHalvorinUSBDevice::OnNotificationCode(type, code);
    // On the reader's thread: the page's state is the UI thread's.
    if (code == kCodeKeyRipple && !q31::IsReceiverType(std::uint16_t(type)))
        StartRipple();
    const int event = q31::EventOf(code);
    if (event == q31::kEventProfile || event == q31::kEventProfileStage)
        PostResult([this, code] { TakeDeviceSwitch(code); });
}

void CHalvorinMouseDevice::TakeDeviceSwitch(std::uint16_t code)
{
    if (!m_commandLink.IsOpen())
        return;
    m_deviceProfile = q31::ProfileOf(code);
    if (q31::EventOf(code) == q31::kEventProfileStage) {
        // A stage past the five the page has is the mouse's own business.
        const int stage = q31::SecondSettingOf(code);
        if (stage < kDpiStageCount) {
            m_currentStage = stage;
            m_profile.WriteCurrentDpiStage(stage);
            SaveProfile();
        }
    }
    RefreshPage();
}

bool CHalvorinMouseDevice::IsOnline()
{
    return m_commandLink.IsOpen() && m_commandLink.IsReceiverMode() && m_commandLink.QueryReceiverLink();
}

void CHalvorinMouseDevice::RefreshPower()
{
    ReadPowerStatus();
}
