#pragma once
// Raw 64-byte exchanges with simulated devices, built by hand so the tests
// check the device side against the frame layout itself.
#include "hid/hid_backend.h"
#include "sim/sim_hub.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q31::sim::test {

using Report = std::array<std::uint8_t, 64>;

// Report id 4, command, length, address, data; checksum over bytes 3 to 63.
Report Request(std::uint8_t command, std::uint8_t length = 0, std::uint16_t address = 0,
               const std::vector<std::uint8_t>& data = {});
Report Bytes(const std::string& hex);  // "04 01 00 01" padded with zeros

// A hub over the data folder's models, without latency, everything unplugged.
std::shared_ptr<SimHub> MakeHub();

// The path of the collection of that vendor/product with that usage page.
std::string PathOf(SimHub& hub, std::uint16_t productId, std::uint16_t usagePage);
std::string CommandPath(SimHub& hub, std::uint16_t productId);
std::string NotificationPath(SimHub& hub, std::uint16_t productId);

class RawLink {
public:
    RawLink(hid::IHidBackend& backend, const std::string& path);
    explicit RawLink(std::unique_ptr<hid::IHidConnection> connection) : m_connection(std::move(connection)) {}

    bool IsOpen() const { return m_connection != nullptr; }
    int Write(const Report& report) { return m_connection->Write(report.data(), report.size(), 1000); }
    // The next report, nullopt on timeout or error.
    std::optional<Report> Read(int timeoutMs = 1000);
    // Writes the request and reads one reply.
    std::optional<Report> Exchange(const Report& request, int timeoutMs = 1000);
    // Reads `total` bytes from the address in chunks; nullopt when a reply is missing or not successful.
    std::optional<std::vector<std::uint8_t>> ReadBlock(std::uint8_t command, std::size_t total, std::size_t chunk,
                                                       std::uint16_t base = 0);
    // Writes the block in chunks; false at the first reply that is missing or not successful.
    bool WriteBlock(std::uint8_t command, const std::vector<std::uint8_t>& block, std::size_t chunk,
                    std::uint16_t base = 0);
    hid::IHidConnection& Connection() { return *m_connection; }

private:
    std::unique_ptr<hid::IHidConnection> m_connection;
};

}  // namespace q31::sim::test
