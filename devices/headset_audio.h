#pragma once
// What the headset needs from its audio chip's configuration library. The
// binding to that library lives above the device layer and implements this;
// the headset page only ever sees the interface.
#include "profiles/profile_records.h"

#include <cstdint>
#include <string>
#include <vector>

// The sound values of the headset that the library can report: the eight
// "SystemSetStages" values and the two mute flags.
struct HeadsetSound {
    HeadsetSystemValues values{};  // MagicEnable .. MicMoniterValue
    std::int32_t micMuted = 0;
    std::int32_t monitorMuted = 0;
};

enum HeadsetSoundValue : int {
    kMagicEnable = 0,
    kMagicType,
    kEqType,
    kCustomEqSeletIndex,
    kMicInSelect,
    kMicInValue,
    kMicMoniterSelect,
    kMicMoniterValue,
};

class IHeadsetAudio {
public:
    virtual ~IHeadsetAudio() = default;

    // Loads and initialises the library, chooses the render and capture
    // endpoints and gives every audio feature its start-up default. Returns
    // the texts of the message boxes to show, in order (empty when all went well).
    virtual std::vector<std::string> Start() = 0;
    // False when the library could not be loaded: every call below then fails.
    virtual bool IsLoaded() const = 0;
    // Reads the microphone, monitor and voice changer state; a failed read
    // leaves its field unchanged.
    virtual void ReadState(HeadsetSound& sound) = 0;

    // Each write returns false when the library rejected it (or is not loaded).
    virtual bool SetMicLevel(int level) = 0;      // 0 .. 100
    virtual bool SetMonitorLevel(int level) = 0;  // 0 .. 100
    virtual bool SetMicMuted(bool muted) = 0;
    virtual bool SetMonitorMuted(bool muted) = 0;
    virtual bool EnableEqualiser() = 0;
    virtual bool SetBandGain(int band, int gain) = 0;  // band 1 .. 10
    virtual bool SetVoiceChanger(bool on) = 0;
    virtual bool SetVoiceType(int type) = 0;  // 1 .. 4
};
