#pragma once
// The sound card controls the headset's microphone goes through: its capture
// (what others hear) and its playback into the headset (the side-tone).
#include <memory>
#include <optional>

namespace q31::sdk {

enum class MixerPath { Microphone, SideTone };

struct DecibelRange {
    double lowest = 0;
    double highest = 0;
    double step = 0;
};

class SoundMixer {
public:
    virtual ~SoundMixer() = default;
    virtual std::optional<double> Level(MixerPath path) const = 0;  // 0.0 .. 1.0
    virtual bool SetLevel(MixerPath path, double level) = 0;
    virtual std::optional<bool> IsOn(MixerPath path) const = 0;  // false: muted
    virtual bool SetOn(MixerPath path, bool on) = 0;
    virtual std::optional<double> Decibels(MixerPath path) const = 0;
    virtual std::optional<DecibelRange> Range(MixerPath path) const = 0;
};

}  // namespace q31::sdk
