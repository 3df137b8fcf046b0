#include "devices/mouse_link_gate.h"

namespace q31::devices {

int MouseLinkGate::operator()(const std::function<int()>& command)
{
    if (m_refusal == kResultSuccess && !m_link.IsOpen())
        m_refusal = kResultNoReply;
    if (m_refusal == kResultSuccess && m_link.IsReceiverMode() && !m_link.QueryReceiverLink())
        m_refusal = kResultUnreachable;
    return m_refusal == kResultSuccess ? command() : m_refusal;
}

}  // namespace q31::devices
