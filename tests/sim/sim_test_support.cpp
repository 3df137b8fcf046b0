#include "tests/sim/sim_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace q31::sim::test {

Report Request(std::uint8_t command, std::uint8_t length, std::uint16_t address, const std::vector<std::uint8_t>& data)
{
    Report report{};
    report[0] = 0x04;
    report[3] = command;
    report[4] = length;
    report[5] = static_cast<std::uint8_t>(address & 0xFF);
    report[6] = static_cast<std::uint8_t>(address >> 8);
    std::copy(data.begin(), data.end(), report.begin() + 8);
    unsigned sum = 0;
    for (std::size_t i = 3; i < report.size(); ++i)
        sum += report[i];
    report[1] = static_cast<std::uint8_t>(sum & 0xFF);
    report[2] = static_cast<std::uint8_t>(sum >> 8);
    return report;
}

Report Bytes(const std::string& hex)
{
    Report report{};
    std::istringstream text(hex);
    std::string token;
    for (std::size_t i = 0; text >> token && i < report.size(); ++i)
        report[i] = static_cast<std::uint8_t>(std::stoul(token, nullptr, 16));
    return report;
}

std::shared_ptr<SimHub> MakeHub()
{
    QString error;
    auto hub = SimHub::FromDataFolder(&error, 0);
    EXPECT_TRUE(hub) << error.toStdString();
    return hub;
}

std::string PathOf(SimHub& hub, std::uint16_t productId, std::uint16_t usagePage)
{
    for (const hid::HidInterfaceInfo& info : hub.Enumerate())
        if (info.productId == productId && info.usagePage == usagePage)
            return info.path;
    return {};
}

std::string CommandPath(SimHub& hub, std::uint16_t productId)
{
    return productId == 0x1630 ? PathOf(hub, productId, 0x000C) : PathOf(hub, productId, 0xFF1C);
}

std::string NotificationPath(SimHub& hub, std::uint16_t productId)
{
    return PathOf(hub, productId, 0x000C);
}

RawLink::RawLink(hid::IHidBackend& backend, const std::string& path)
{
    hid::OpenError error = hid::OpenError::None;
    m_connection = backend.Open(path, error);
}

std::optional<Report> RawLink::Read(int timeoutMs)
{
    Report reply{};
    if (m_connection->Read(reply.data(), reply.size(), timeoutMs) <= 0)
        return std::nullopt;
    return reply;
}

std::optional<Report> RawLink::Exchange(const Report& request, int timeoutMs)
{
    if (Write(request) != static_cast<int>(request.size()))
        return std::nullopt;
    return Read(timeoutMs);
}

std::optional<std::vector<std::uint8_t>> RawLink::ReadBlock(std::uint8_t command, std::size_t total,
                                                            std::size_t chunk, std::uint16_t base)
{
    std::vector<std::uint8_t> block;
    for (std::size_t offset = 0; offset < total; offset += chunk) {
        const auto length = static_cast<std::uint8_t>(std::min(chunk, total - offset));
        const auto reply = Exchange(Request(command, length, static_cast<std::uint16_t>(base + offset)));
        if (!reply || (*reply)[3] != command || (*reply)[7] == 0xFF || (*reply)[7] == 0xFE)
            return std::nullopt;
        block.insert(block.end(), reply->begin() + 8, reply->begin() + 8 + length);
    }
    return block;
}

bool RawLink::WriteBlock(std::uint8_t command, const std::vector<std::uint8_t>& block, std::size_t chunk,
                         std::uint16_t base)
{
    for (std::size_t offset = 0; offset < block.size(); offset += chunk) {
        const auto length = static_cast<std::uint8_t>(std::min(chunk, block.size() - offset));
        const std::vector<std::uint8_t> data(block.begin() + offset, block.begin() + offset + length);
        const auto reply = Exchange(Request(command, length, static_cast<std::uint16_t>(base + offset), data));
        if (!reply || (*reply)[3] != command || (*reply)[7] == 0xFF || (*reply)[7] == 0xFE)
            return false;
    }
    return true;
}

}  // namespace q31::sim::test
