// The keyboard's settings record: read into the profile at activation and on
// a sync, written from the profile when the user changes a system setting.
#include "devices/halvorin_keyboard_device.h"
#include "devices/keyboard_profile_write.h"
#include "devices/indexed_name.h"
#include "platform/debug_log.h"

#include <algorithm>

using namespace q31::devices;

namespace {

const QString kPollingRatePrefix = QStringLiteral("polling_rate_option_");
const QString kRepeatDelayPrefix = QStringLiteral("repeat_delay_check_");

}  // namespace

struct CHalvorinKeyboardDevice::SettingsReadResult {
    bool open = false;
    int result = q31::kResultNoReply;
    std::uint8_t profile = 0;
    KeyboardSettingsRecord record{};
};

void CHalvorinKeyboardDevice::ReadSettings()
{
    ReadForPage<SettingsReadResult>(
        [this](const CStopEvent&) {
            SettingsReadResult read;
            read.open = m_commandLink.IsOpen();
            if (!read.open)
                return read;
            read.result = m_commandLink.ReadParams(&read.profile, 1, 0);
            if (read.result == q31::kResultSuccess)
                read.result = m_commandLink.ReadParams(read.record.data(), read.record.size(),
                                                       std::uint16_t(read.profile * kKeyboardSettingsStride));
            return read;
        },
        [this](const SettingsReadResult& read) { TakeSettings(read); }, "settings read");
}

void CHalvorinKeyboardDevice::TakeSettings(const SettingsReadResult& read)
{
    if (read.open && read.result != q31::kResultSuccess) {
        OutputDebugText(QStringLiteral("keyboard: the settings could not be read (%1)").arg(read.result));
        return;
    }
    LoadNameLists();
    if (!read.open) {
        // Without the keyboard there is nothing to take: a blank record would wipe the profile's
        // lighting and flags, so only the record is blanked, keeping the last known profile number.
        const std::uint8_t profile = m_settingsRecord[0];
        m_settingsRecord = {};
        m_settingsRecord[0] = profile;
        RefreshPage();
        return;
    }
    const KeyboardSettingsRead taken =
        ReadKeyboardSettings(read.record, read.profile, m_profile.ReadLightInfo(), m_modeCodes);
    m_settingsRecord = taken.record;
    m_systemWords[1] = PackWord(taken.key6Flag, HighHalf(m_systemWords[1]));
    m_systemWords[2] = PackWord(taken.wFlag, taken.winFlag);
    m_profile.WriteKeyboardSystem(m_systemWords);
    m_profile.WriteLightInfo(taken.light);
    ApplyProfile();
    SaveProfile();
    RefreshPage();
}

int CHalvorinKeyboardDevice::WriteSettings(int profile, int value, int, int, int)
{
    const KeyboardSettingsRecord record = PackKeyboardSettings(
        std::uint8_t(value), m_profile.ReadLightInfo(), KeyboardFlagsOf(m_systemWords), m_modeCodes);
    const auto address = std::uint16_t(std::clamp(profile, 0, 0xFF) * kKeyboardSettingsStride);
    PostWrite("settings", [record, address](CDeviceLink& link) {
        return link.IsOpen() ? WriteKeyboardSettings(link, record, address) : q31::kResultNoReply;
    });
    return 1;
}

void CHalvorinKeyboardDevice::KeepSystemSettings()
{
    m_profile.WriteKeyboardSystem(m_systemWords);
    SaveProfile();
    ShowSystemSettings();
}

void CHalvorinKeyboardDevice::StoreSystemSettings()
{
    KeepSystemSettings();
    WriteSettings(0, 0, 0, 0, 0);
}

void CHalvorinKeyboardDevice::SetFlag(Flag flag, bool on)
{
    const int state = on ? 1 : 0;
    switch (flag) {
    case Flag::Key6:
        m_systemWords[1] = PackWord(state, HighHalf(m_systemWords[1]));
        break;
    case Flag::W:
        m_systemWords[2] = PackWord(state, HighHalf(m_systemWords[2]));
        break;
    case Flag::WinLock:
        m_systemWords[2] = PackWord(LowHalf(m_systemWords[2]), state);
        break;
    }
    StoreSystemSettings();
}

void CHalvorinKeyboardDevice::SetPollingRate(int option)
{
    if (option < 0 || option >= kPollingRateOptions)
        return;
    m_systemWords[1] = PackWord(LowHalf(m_systemWords[1]), option);
    StoreSystemSettings();
}

void CHalvorinKeyboardDevice::SetRepeat(int value)
{
    m_systemWords[0] = PackWord(std::clamp(value, 0, 0xFFFF), HighHalf(m_systemWords[0]));
    KeepSystemSettings();
}

void CHalvorinKeyboardDevice::SetRepeatDelay(int option)
{
    if (option < 0 || option >= kRepeatDelayOptions)
        return;
    m_systemWords[0] = PackWord(LowHalf(m_systemWords[0]), option);
    KeepSystemSettings();
}

void CHalvorinKeyboardDevice::NotifyPump(TNotifyUI& msg)
{
    if (!msg.pSender)
        return;
    const QString name = msg.pSender->objectName();
    if (msg.sType == QLatin1String("valuechanged") && name == QLatin1String("repeat_rate_slider"))
        SetRepeat(int(msg.wParam));
    else if (msg.sType == QLatin1String("click") && name == QLatin1String("reset_repeat_btn"))
        ClearRepeatTest();
    if (msg.sType != QLatin1String("selectchanged"))
        return;
    const bool on = msg.wParam != 0;
    if (name == QLatin1String("6flag_option"))
        SetFlag(Flag::Key6, on);
    else if (name == QLatin1String("wflag_option"))
        SetFlag(Flag::W, on);
    else if (name == QLatin1String("winlockflag_option"))
        SetFlag(Flag::WinLock, on);
    else if (const auto split = SplitIndexedName(name); on && split && split->prefix == kPollingRatePrefix)
        SetPollingRate(split->number);
    else if (on && split && split->prefix == kRepeatDelayPrefix)
        SetRepeatDelay(split->number);
}
