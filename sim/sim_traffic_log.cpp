#include "sim/sim_traffic_log.h"

#include <QDateTime>

namespace q31::sim {

void TrafficLog::Add(TrafficEntry entry)
{
    std::lock_guard lock(m_mutex);
    if (m_entries.size() == m_capacity)
        m_entries.pop_front();
    m_entries.push_back(std::move(entry));
}

std::vector<TrafficEntry> TrafficLog::Entries() const
{
    std::lock_guard lock(m_mutex);
    return {m_entries.begin(), m_entries.end()};
}

void TrafficLog::Clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t length)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        if (i)
            text += ' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string FormatTrafficEntry(const TrafficEntry& entry)
{
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(entry.time.time_since_epoch()).count();
    const QString time = QDateTime::fromMSecsSinceEpoch(milliseconds).toString(QStringLiteral("HH:mm:ss.zzz"));
    return time.toStdString() + "  " + entry.source + "  " +
           (entry.direction == Direction::ToDevice ? "out" : "in ") + "  " +
           HexBytes(entry.bytes.data(), entry.bytes.size());
}

}  // namespace q31::sim
