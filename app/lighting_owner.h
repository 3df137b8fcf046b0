#pragma once
// The lighting editor's notifications on a device page, turned into changes of
// that device's light settings: the page's preview takes them at once, the
// profile keeps them and the device is sent its settings record. Also the
// keyboard's custom group and the mouse's zone selection.
#include "app/notify_owners.h"

#include <QString>

#include <vector>

namespace q31::app {

// A light control of a zone selection panel: its LED number, whether the drag
// selected it and whether the page hides it.
struct ZoneChoice {
    int led = 0;
    bool selected = false;
    bool hidden = false;
};

// True when at least one LED is selected and every LED below ledCount is
// selected or hidden.
bool CoversEveryLed(const std::vector<ZoneChoice>& zones, int ledCount);

// Makes the lighting the owner of the lighting controls' notifications.
void RegisterLightingOwner(CNotifyOwners& owners);

// The apply sequence for one notification of a lighting control on the page
// that holds it; false when it changes nothing (another control, a page
// without an editor).
bool HandleLightingNotify(const TNotifyUI& msg);

}  // namespace q31::app
