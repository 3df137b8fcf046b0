#pragma once
// The current colour of each light: R, G, B and brightness A packed in one
// 32-bit word (red in bits 0-7, green 8-15, blue 16-23, A 24-31). Effect
// workers and the synchronised lighting write records while the UI thread
// paints them, so each record is one atomic word.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace q31::devices {

struct LightColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
    bool operator==(const LightColour&) const = default;
};

constexpr std::uint32_t PackLightRecord(LightColour c)
{
    return std::uint32_t(c.r) | std::uint32_t(c.g) << 8 | std::uint32_t(c.b) << 16 | std::uint32_t(c.a) << 24;
}

constexpr LightColour UnpackLightRecord(std::uint32_t record)
{
    return {std::uint8_t(record), std::uint8_t(record >> 8), std::uint8_t(record >> 16), std::uint8_t(record >> 24)};
}

class CLightRecords {
public:
    // All records 0. Only while no worker runs: the storage is replaced.
    void Resize(std::size_t count);
    std::size_t Size() const { return m_count; }
    // Callers keep index below Size().
    std::uint32_t Load(std::size_t index) const { return m_records[index].load(std::memory_order_relaxed); }
    void Store(std::size_t index, std::uint32_t record) { m_records[index].store(record, std::memory_order_relaxed); }
    void Fill(std::uint32_t record);
    // True when some record differs from the snapshot, which then takes the
    // current records: lets the preview repaint only what moved.
    bool ChangedSince(std::vector<std::uint32_t>& snapshot) const;

private:
    std::unique_ptr<std::atomic<std::uint32_t>[]> m_records;
    std::size_t m_count = 0;
};

}  // namespace q31::devices
