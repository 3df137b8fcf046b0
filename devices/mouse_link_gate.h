#pragma once
// Through its receiver the mouse may be out of reach: each command of a mouse
// operation is preceded there by the online query, and once the link is closed
// or the query fails the operation sends nothing more. On the cable nothing is asked.
#include "protocol/command_gate.h"
#include "protocol/device_link.h"
#include "protocol/result_codes.h"

#include <functional>

namespace q31::devices {

class MouseLinkGate {
public:
    explicit MouseLinkGate(CDeviceLink& link) : m_link(link) {}

    // The command's result, or without sending it kResultNoReply (link closed)
    // or kResultUnreachable (the receiver does not reach the mouse, or does not
    // answer the query).
    int operator()(const std::function<int()>& command);

    // For the functions that take a CommandGate; the gate must outlive it.
    CommandGate Gate() { return std::ref(*this); }

private:
    CDeviceLink& m_link;
    int m_refusal = kResultSuccess;  // once set, every later command is refused with it
};

}  // namespace q31::devices
