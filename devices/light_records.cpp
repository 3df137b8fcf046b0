#include "devices/light_records.h"

namespace q31::devices {

void CLightRecords::Resize(std::size_t count)
{
    m_records = count ? std::make_unique<std::atomic<std::uint32_t>[]>(count) : nullptr;
    m_count = count;
    Fill(0);
}

void CLightRecords::Fill(std::uint32_t record)
{
    for (std::size_t i = 0; i < m_count; ++i)
        Store(i, record);
}

bool CLightRecords::ChangedSince(std::vector<std::uint32_t>& snapshot) const
{
    bool changed = snapshot.size() != m_count;
    snapshot.resize(m_count);
    for (std::size_t i = 0; i < m_count; ++i) {
        const std::uint32_t record = Load(i);
        changed |= snapshot[i] != record;
        snapshot[i] = record;
    }
    return changed;
}

}  // namespace q31::devices
