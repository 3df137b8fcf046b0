#pragma once
// The player of a custom effect: a list of steps, each lighting every light
// with one effect for its own duration, one step after another in a loop.
// The clock is handed in (milliseconds), so a simulated clock drives it the
// same way the preview thread's tick count does.
#include "devices/light_records.h"
#include "platform/win_types.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace q31::devices {

// One step of a custom effect as the lighting files give it.
using CustomEffectStep = std::array<std::uint8_t, 24>;

// Bytes of a step.
enum CustomEffectStepByte {
    kStepMode = 0,
    kStepBrightness = 1,
    kStepSpeed = 2,
    kStepDirection = 3,
    kStepMultiColour = 4,
    kStepRed = 5,
    kStepGreen = 6,
    kStepBlue = 7,
    kStepDuration = 16,  // 32 bits, low byte first; the file's cycle count is not played
};

enum CustomStepMode : std::uint8_t {
    kCustomStepBreathing = 0,
    kCustomStepStatic = 1,
    kCustomStepBlink = 2,
    kCustomStepFlow = 4,
    kCustomStepSpectrum = 5,
};

std::uint32_t StepDuration(const CustomEffectStep& step);
void SetStepDuration(CustomEffectStep& step, std::uint32_t milliseconds);

// The device's list and where it stands, guarded by the device's lock.
struct CustomLightingList {
    std::recursive_mutex& lock;
    const std::vector<CustomEffectStep>& steps;
    int& position;
    int& length;
};

// Where the player stands. It lives as long as its device: a new step or a
// new profile carries phase and tick count over.
struct CustomEffectPlayer {
    std::uint32_t phase = 0;
    std::uint32_t ticks = 0;
    bool started = false;
    DWORD lastStepChange = 0;
    bool blinkOn = false;
    DWORD lastBlinkToggle = 0;
    std::uint32_t blinkColourIndex = 0;
    CustomEffectStep step{};
};

// One pass of the list: the current step's effect into every record, and the
// next step once the current one has run longer than its duration. An empty
// list turns every light off.
void StepCustomLighting(CustomEffectPlayer& player, CustomLightingList list, CLightRecords& records, DWORD now);

}  // namespace q31::devices
