#include "devices/keyboard_effect_random.h"

#include <algorithm>

namespace q31::devices {

CEffectRandom::CEffectRandom(std::uint32_t seed) : m_engine(seed) {}

void CEffectRandom::Seed(std::uint32_t seed)
{
    std::lock_guard lock(m_mutex);
    m_engine.seed(seed);
}

// The engine's raw output is the same with every standard library, unlike
// its distributions: a seed gives the same frames everywhere.
int CEffectRandom::Below(int count)
{
    std::lock_guard lock(m_mutex);
    return int(m_engine() % std::uint32_t(std::max(count, 1)));
}

}  // namespace q31::devices
