#include "app/bus_message_filter.h"

#include "app/main_wnd.h"
#include "app/registered_messages.h"

#include <algorithm>
#include <array>

namespace q31::app {
namespace {

constexpr UINT kFirstRegistered = 0xC000;
constexpr std::size_t kHookMessageCount = 20;  // the game events follow them
constexpr std::array<WPARAM, 13> kInputMessages = {0x0100, 0x0101, 0x0104, 0x0105,  // keys
                                                   0x0200, 0x0201, 0x0202, 0x0204, 0x0205,
                                                   0x0207, 0x0208, 0x020B, 0x020C};  // mouse
constexpr LPARAM kMaxProgress = 100;
constexpr LPARAM kMaxEffect = 0xFF;  // stored as one byte of the light settings

bool OnOrOff(WPARAM wParam, LPARAM lParam)
{
    return wParam == 1 && (lParam == 0 || lParam == 1);
}

std::optional<bus::BusDelivery> Refuse(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

std::optional<bus::BusDelivery> AcceptRegistered(bus::BusDelivery delivery, QString* why)
{
    const UINT message = delivery.message;
    const auto outOfRange = [&] {
        return Refuse(why, QStringLiteral("arguments %1, %2 out of range").arg(delivery.wParam).arg(delivery.lParam));
    };
    if (message == g_msgInstance || message == g_msgDeviceQuery)
        return delivery;  // the arguments are only logged
    if (message == g_msgLightOwner || message == g_msgLightRequest)
        return OnOrOff(delivery.wParam, delivery.lParam) ? std::optional(delivery) : outOfRange();
    if (message == g_msgUpdateProgress) {
        if (delivery.wParam < 1 || delivery.wParam > 4)
            return outOfRange();
        // An updater that overshoots still says how far it got.
        delivery.lParam = std::clamp<LPARAM>(delivery.lParam, 0, kMaxProgress);
        return delivery;
    }
    const auto hook = std::find(g_hookAndGameMessages.begin(), g_hookAndGameMessages.end(), message);
    if (hook == g_hookAndGameMessages.end())
        return Refuse(why, QStringLiteral("not a message for this window"));
    if (std::size_t(hook - g_hookAndGameMessages.begin()) < kHookMessageCount) {
        if (std::find(kInputMessages.begin(), kInputMessages.end(), delivery.wParam) == kInputMessages.end())
            return outOfRange();
        delivery.lParam = 0;
        return delivery;
    }
    // Game events: an action and an effect index.
    return delivery.wParam <= 0xFFFFFFFFu && delivery.lParam >= 0 && delivery.lParam <= kMaxEffect
               ? std::optional(delivery)
               : outOfRange();
}

}  // namespace

std::optional<bus::BusDelivery> AcceptFromBus(const bus::BusDelivery& delivery, QString* why)
{
    if (delivery.isCopyData)
        return delivery;  // the bus bounds its size; the handler reads it by value
    if (delivery.message >= kFirstRegistered)
        return AcceptRegistered(delivery, why);
    switch (delivery.message) {
    case CMainWnd::kOpenSettings:
    case CMainWnd::kShowSettingProgress:
    case CMainWnd::kDpiNotice:
        // They carry nothing: whatever came with them is dropped.
        return bus::BusDelivery{false, delivery.message, 0, 0, 0, {}};
    default:
        return Refuse(why, QStringLiteral("private message 0x%1 comes only from inside")
                               .arg(delivery.message, 4, 16, QLatin1Char('0')));
    }
}

}  // namespace q31::app
