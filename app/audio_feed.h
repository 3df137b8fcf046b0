#pragma once
// Sound data for the keyboard's audio light modes, as records on the message
// bus: the recorder's six level values, and - for testing until the
// recorder's spectrum frames are taken in - ready band values.
#include "platform/bus_endpoint.h"

#include <optional>
#include <vector>

namespace q31::app {

// COPYDATA record kinds: the level values, and 25 band values of the test feed.
inline constexpr std::uint64_t kAudioLevelsRecord = 2;
inline constexpr std::uint64_t kAudioBandsTestRecord = 101;

struct AudioFeed {
    bool bands = false;
    // 32-bit values; levels always six (missing ones 0), bands as many as came, at most 25.
    std::vector<int> values;
};

// What the record carries for the keyboard; nullopt for other records.
std::optional<AudioFeed> AudioFeedOf(const bus::BusDelivery& delivery);

}  // namespace q31::app
