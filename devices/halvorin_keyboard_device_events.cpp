// What the keyboard reports by itself: key presses on its cable, its own
// profile switches through the receiver, and its power state.
#include "devices/halvorin_keyboard_device.h"
#include "protocol/notification_code.h"
#include "protocol/link_attach.h"

void CHalvorinKeyboardDevice::OnNotificationCode(int type, std::uint16_t code)
{
    CHalvorinUSBDevice::OnNotificationCode(type, code);
    // On the reader's thread: the page's state is the UI thread's.
    switch (q31::EventOf(code)) {
    case q31::kEventKeyDown:
    case q31::kEventKeyUp: {
        const int kind = q31::EventOf(code) == q31::kEventKeyDown ? 1 : 2;
        PostResult([this, position = q31::ArgumentOf(code), kind] { OnKeyEvent(position, kind); });
        break;
    }
    case q31::kEventProfile:
    case q31::kEventProfileStage:
        if (q31::IsReceiverType(std::uint16_t(type)))
            PostResult([this, code] { TakeProfileSwitch(code); });
        break;
    default:
        break;
    }
}

void CHalvorinKeyboardDevice::OnKeyEvent(int position, int kind)
{
    const std::optional<int> key = m_layout.KeyAtPosition(position);
    if (!key)
        return;
    m_keyboardEffects.ReactToKey(GetLightSettingsBytes(), *key, kind);
    emit KeyReported(*key, kind);
}

void CHalvorinKeyboardDevice::TakeProfileSwitch(std::uint16_t code)
{
    if (!m_commandLink.IsOpen())
        return;
    m_settingsRecord[0] = q31::ProfileOf(code);
    if (q31::EventOf(code) == q31::kEventProfileStage)
        m_settingsRecord[17] = q31::SecondSettingOf(code);
    RefreshPage();
}

bool CHalvorinKeyboardDevice::IsOnline()
{
    return m_commandLink.IsOpen() && m_commandLink.IsReceiverMode() && m_commandLink.QueryReceiverLink();
}

void CHalvorinKeyboardDevice::RefreshPower()
{
    ReadPowerStatus();
}
