#include "devices/key_lights.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr int kAudioKind = 29;

bool Bit(std::uint8_t value, int bit)
{
    return value & (1u << bit);
}

// Small intensities fade by 8 above 16 and by 1 below, whatever the kind.
std::uint8_t TailStep(std::uint8_t v)
{
    return v > 16 ? 8 : v > 0 ? 1 : 0;
}

std::uint8_t DecayStep(std::uint8_t v, int kind)
{
    if (kind == kAudioKind) {
        if (Bit(v, 7) || Bit(v, 4))
            return 45;
        if (Bit(v, 5) || Bit(v, 6))
            return 35;
        return v > 0 ? 1 : 0;
    }
    if (Bit(v, 7))
        return 40;
    if (Bit(v, 6))
        return 30;
    if (Bit(v, 5))
        return kind == 0 ? 15 : 10;
    return TailStep(v);
}

template <class Table>
bool InRange(const Table& table, int index)
{
    return index >= 0 && index < int(table.size());
}

}  // namespace

// The audio kind's big steps start at bit 4, below the step size: stop at 0
// rather than wrap round to a bright key.
std::uint8_t DecayedIntensity(std::uint8_t intensity, int kind)
{
    return std::uint8_t(intensity - std::min(DecayStep(intensity, kind), intensity));
}

std::uint8_t CKeyLights::Intensity(int key) const
{
    return InRange(m_intensities, key) ? m_intensities[key].load(std::memory_order_relaxed) : 0;
}

void CKeyLights::SetIntensity(int key, std::uint8_t value)
{
    if (InRange(m_intensities, key))
        m_intensities[key].store(value, std::memory_order_relaxed);
}

std::uint8_t CKeyLights::RingByte(int index) const
{
    return InRange(m_ring, index) ? m_ring[index].load(std::memory_order_relaxed) : 0;
}

void CKeyLights::SetRingByte(int index, std::uint8_t value)
{
    if (InRange(m_ring, index))
        m_ring[index].store(value, std::memory_order_relaxed);
}

void CKeyLights::Decay(int key, int kind)
{
    SetIntensity(key, DecayedIntensity(Intensity(key), kind));
}

void CKeyLights::TriggerRingKeys()
{
    for (int key = 0; key < kRingKeys; ++key) {
        if (RingByte(key) != 0)
            SetIntensity(key, 255);
    }
}

void CKeyLights::RotateRing(int direction)
{
    std::array<std::uint8_t, kRingSize> ring;
    for (int i = 0; i < kRingSize; ++i)
        ring[i] = RingByte(i);
    if (direction != 0)
        std::rotate(ring.rbegin(), ring.rbegin() + 1, ring.rend());
    else
        std::rotate(ring.begin(), ring.begin() + 1, ring.end());
    for (int i = 0; i < kRingSize; ++i)
        SetRingByte(i, ring[i]);
}

void CKeyLights::Clear()
{
    for (auto& intensity : m_intensities)
        intensity.store(0, std::memory_order_relaxed);
    for (auto& byte : m_ring)
        byte.store(0, std::memory_order_relaxed);
}

}  // namespace q31::devices
