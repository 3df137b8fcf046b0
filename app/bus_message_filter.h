#pragma once
// What the main window takes from other processes over the message bus. Any
// process of the user can write to its socket, so every message is checked
// here, where it enters, before a handler sees it.
#include "platform/bus_endpoint.h"

#include <QString>

#include <optional>

namespace q31::app {

// The delivery as the main window may handle it, or nullopt with the reason in
// why. The record behind a hook message lives in the sender, so only its
// message crosses: its lParam arrives as 0.
std::optional<q31::bus::BusDelivery> AcceptFromBus(const q31::bus::BusDelivery& delivery, QString* why);

}  // namespace q31::app
