#pragma once
// The random numbers of one keyboard's light effects. Each keyboard has its
// own generator, so a seed pins every frame; the light thread and the key
// reactions draw from it, hence the lock.
#include <cstdint>
#include <mutex>
#include <random>

namespace q31::devices {

class CEffectRandom {
public:
    explicit CEffectRandom(std::uint32_t seed = std::random_device{}());
    void Seed(std::uint32_t seed);
    // A number from 0 to count - 1; count at least 1.
    int Below(int count);

private:
    std::mutex m_mutex;
    std::mt19937 m_engine;
};

}  // namespace q31::devices
