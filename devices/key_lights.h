#pragma once
// The reactive effects' state: a brightness per key that fades step by step,
// and the trigger ring that the wave effects rotate. Effect workers step it
// while key events arrive on the notification readers, so every byte is atomic.
#include <array>
#include <atomic>
#include <cstdint>

namespace q31::devices {

// One fading step of a key intensity; the kind (the light mode) sets the pace.
std::uint8_t DecayedIntensity(std::uint8_t intensity, int kind);

class CKeyLights {
public:
    static constexpr int kKeyCount = 170;
    static constexpr int kRingSize = 23;
    static constexpr int kRingKeys = 9;  // keys 0-8 follow the ring

    // Indices outside the tables read 0 and are ignored when written.
    std::uint8_t Intensity(int key) const;
    void SetIntensity(int key, std::uint8_t value);
    std::uint8_t RingByte(int index) const;
    void SetRingByte(int index, std::uint8_t value);

    void Decay(int key, int kind);
    // Keys 0-8 whose ring byte is set light up fully.
    void TriggerRingKeys();
    // Nonzero direction: every byte one place towards the end, the last to the
    // front; 0: towards the front, the first to the end.
    void RotateRing(int direction);
    void Clear();

private:
    std::array<std::atomic<std::uint8_t>, kKeyCount> m_intensities{};
    std::array<std::atomic<std::uint8_t>, kRingSize> m_ring{};
};

}  // namespace q31::devices
