// The device's notification interfaces: opening them as discovery reports
// them, and the readers that follow what the device says on them.
#include "devices/entry_timers.h"
#include "devices/halvorin_usb_device.h"
#include "platform/debug_log.h"
#include "platform/post_to_thread.h"
#include "protocol/link_attach.h"
#include "protocol/notification_code.h"
#include "ui/paint_manager.h"

namespace {

constexpr int kReaderStopWaitMs = 500;

}  // namespace

CHidDevice& CHalvorinUSBDevice::NotificationInterface(int type)
{
    return q31::IsReceiverType(std::uint16_t(type)) ? m_notificationLink.ReceiverInterface()
                                                    : m_notificationLink.CableInterface();
}

q31::devices::CNotificationReader& CHalvorinUSBDevice::ReaderOf(int type)
{
    return q31::IsReceiverType(std::uint16_t(type)) ? m_receiverReader : m_cableReader;
}

bool CHalvorinUSBDevice::IsNotificationAttached(int type)
{
    return NotificationInterface(type).IsOpen();
}

void CHalvorinUSBDevice::AttachNotification(const std::string& path, int type)
{
    const bool receiver = q31::IsReceiverType(std::uint16_t(type));
    CHidDevice& hid = NotificationInterface(type);
    {
        // The notification link's own lock: the command link's may be held by an exchange for seconds.
        std::lock_guard lock(receiver ? m_notificationLink.ReceiverLock() : m_notificationLink.IoLock());
        if (hid.IsOpen())
            return;
        if (!hid.Open(path, true, true, true, false))
            return;
        if (!receiver)
            m_notificationLink.SetOpen(true);
    }
    ReaderOf(type).Start(hid, [this, type](std::uint16_t code) { OnNotificationCode(type, code); });
}

void CHalvorinUSBDevice::DetachNotification(int type)
{
    const bool receiver = q31::IsReceiverType(std::uint16_t(type));
    CHidDevice& hid = NotificationInterface(type);
    ReaderOf(type).Stop(hid, kReaderStopWaitMs);
    if (receiver)
        return;
    std::lock_guard lock(m_notificationLink.IoLock());
    m_notificationLink.SetOpen(false);
}

void CHalvorinUSBDevice::ReattachNotification(const std::string& path, int type)
{
    DetachNotification(type);
    AttachNotification(path, type);
}

void CHalvorinUSBDevice::StopNotificationReaders()
{
    m_cableReader.Stop(m_notificationLink.CableInterface(), kReaderStopWaitMs);
    m_receiverReader.Stop(m_notificationLink.ReceiverInterface(), kReaderStopWaitMs);
}

void CHalvorinUSBDevice::OnNotificationCode(int /*type*/, std::uint16_t code)
{
    if (code != q31::kCodeReadSettings)
        return;
    OutputDebugText(QStringLiteral("接收到自动添加设备的同步信息要求"));
    StartEntryTimerLater(q31::devices::kEntrySyncTimer, m_syncDelayMs);
}

void CHalvorinUSBDevice::StartEntryTimerLater(UINT timerId, UINT elapseMs)
{
    // Queued to the page, so nothing runs once the page is gone.
    PostToThreadOf(this, [this, timerId, elapseMs] {
        QWidget* entry = m_selectorEntry;
        CPaintManagerUI* manager = entry ? CPaintManagerUI::ForControl(entry) : nullptr;
        if (manager)
            manager->SetTimer(entry, timerId, elapseMs);
    });
}
