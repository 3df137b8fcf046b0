#pragma once
// The notification-area icon. Clicks reach the owner as a message (default
// 0x0401) whose lParam names the mouse action as on Windows: 514 left button up,
// 515 left double click, 517 right button up, 520 middle button up.
#include "platform/ui_message.h"
#include "platform/win_types.h"

#include <QPointer>
#include <QString>

#include <memory>

class QSystemTrayIcon;

class CTrayIcon {
public:
    static constexpr UINT kDefaultMessage = 0x0401;
    static constexpr LPARAM kLeftButtonUp = 514;
    static constexpr LPARAM kLeftDoubleClick = 515;
    static constexpr LPARAM kRightButtonUp = 517;
    static constexpr LPARAM kMiddleButtonUp = 520;

    CTrayIcon();
    ~CTrayIcon();

    // iconFile: an image under the skin folder. False when the desktop has no
    // notification area; the owner must then keep its window reachable.
    bool CreateTrayIcon(IMessageReceiver* owner, const QString& iconFile, const QString& toolTip,
                        UINT message = kDefaultMessage);
    void DeleteTrayIcon();
    void SetToolTipText(const QString& toolTip);
    bool IsVisible() const;
    static bool IsSystemTrayAvailable();

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};
