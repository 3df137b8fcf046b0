#include "tests/protocol/echo_backend.h"

#include <algorithm>
#include <deque>

namespace q31::test {

class EchoBackend::Connection : public hid::IHidConnection {
public:
    explicit Connection(EchoBackend& owner) : m_owner(owner), m_info(EchoBackend::Info()) {}

    int Read(std::uint8_t* buffer, std::size_t length, int) override
    {
        std::lock_guard lock(m_owner.m_mutex);
        if (m_replies.empty())
            return 0;
        const std::size_t count = std::min(length, m_replies.front().size());
        std::copy_n(m_replies.front().begin(), count, buffer);
        m_replies.pop_front();
        return static_cast<int>(count);
    }
    int Write(const std::uint8_t* buffer, std::size_t length, int) override
    {
        std::array<std::uint8_t, 64> request{};
        std::copy_n(buffer, std::min(length, request.size()), request.begin());
        std::array<std::uint8_t, 64> reply{};
        reply[0] = request[0];
        reply[3] = request[3];
        reply[7] = 0x01;
        std::lock_guard lock(m_owner.m_mutex);
        m_owner.m_requests.push_back(request);
        m_replies.push_back(reply);
        return static_cast<int>(length);
    }
    void Abort() override {}
    const hid::HidInterfaceInfo& Info() const override { return m_info; }

private:
    EchoBackend& m_owner;
    hid::HidInterfaceInfo m_info;
    std::deque<std::array<std::uint8_t, 64>> m_replies;
};

std::unique_ptr<hid::IHidConnection> EchoBackend::Open(const std::string&, hid::OpenError& error)
{
    error = hid::OpenError::None;
    return std::make_unique<Connection>(*this);
}

std::vector<std::array<std::uint8_t, 64>> EchoBackend::Requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

hid::HidInterfaceInfo EchoBackend::Info()
{
    hid::HidInterfaceInfo info;
    info.path = kPath;
    info.vendorId = 0x3A9D;
    info.productId = 0x6B01;
    // Vendor page 0xFF1C, usage 0x92: 63 bytes in and out under report id 4.
    info.usagePage = 0xFF1C;
    info.usage = 0x92;
    info.reportDescriptor = {0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x15, 0x00, 0x26, 0xFF,
                             0x00, 0x75, 0x08, 0x95, 0x3F, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
    return info;
}

}  // namespace q31::test
