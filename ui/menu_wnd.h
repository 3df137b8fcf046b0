#pragma once
// Pop-up menus built from a menu file under the skin folder:
//   <Menu>
//     <MenuElement name="setwnd_menu" text="%[menu_settings]" icon="common/set.svg"/>
//     <MenuElement separator="true"/>
//     <MenuElement name="more" text="More"> ...nested MenuElements... </MenuElement>
//     <MenuElement name="exit" text="%[menu_exit]" checkable="false" enabled="true"/>
//   </Menu>
// A chosen item is reported to the owner with message 0x0479 and wParam
// pointing to its MenuCmd, valid during that call only.
#include "platform/ui_message.h"
#include "platform/win_types.h"

#include <QPoint>
#include <QString>

class QMenu;
class QWidget;

struct MenuCmd {
    QString szName;
    QString szUserData;
    QString szText;
    bool bChecked = false;
};

class CMenuWnd {
public:
    static constexpr UINT kMenuCommand = 0x0479;

    // The menu of a file (its actions are named after the items); null with a
    // debug line when the file is missing or malformed. parent gives the theme.
    static QMenu* Build(const QString& menuFile, QWidget* parent);
    // Builds the menu and opens it at a global point; it deletes itself when
    // closed. Returns null when it could not be built.
    static QMenu* Popup(const QString& menuFile, IMessageReceiver* owner, const QPoint& at, QWidget* parent);
};
