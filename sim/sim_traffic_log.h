#pragma once
// Every report that crosses a simulated interface, with the time it crossed.
// Keeps the most recent entries only.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace q31::sim {

enum class Direction { ToDevice, ToHost };

struct TrafficEntry {
    std::chrono::system_clock::time_point time;
    std::string source;  // model name and collection: "keyboard_receiver col04"
    Direction direction = Direction::ToDevice;
    std::vector<std::uint8_t> bytes;
};

class TrafficLog {
public:
    explicit TrafficLog(std::size_t capacity = 20000) : m_capacity(capacity) {}

    void Add(TrafficEntry entry);
    std::vector<TrafficEntry> Entries() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::size_t m_capacity;
    std::deque<TrafficEntry> m_entries;
};

// "22:31:05.123  keyboard col04  out  04 01 00 01 ..."; "out" is towards the
// device, "in" towards the host, as HID names its reports.
std::string FormatTrafficEntry(const TrafficEntry& entry);
std::string HexBytes(const std::uint8_t* bytes, std::size_t length);

}  // namespace q31::sim
