#pragma once
// The keyboard's light modes as the program's light thread and stream see
// them: how often each mode steps, which modes the keyboard takes its frames
// for from the program, the level colour step, and the frame it is sent.
#include "devices/effect_steps.h"
#include "devices/keyboard_layout.h"
#include "devices/light_records.h"
#include "devices/live_frame.h"
#include "profiles/profile_records.h"

#include <array>
#include <cstddef>

namespace q31::devices {

enum KeyboardLightMode : int {
    kKeyboardModeSpectrum = 4,
    kKeyboardModeEdgeWaves = 16,
    kKeyboardModeBlinkSpectrum = 23,
    kKeyboardModeBreathingColours = 26,
    kKeyboardModeBlinkColours = 27,
    kKeyboardModeOff = 28,
    kKeyboardModeAudio = 29,
    kKeyboardModeLevelColour = 30,
};

// The keyboard takes only the first 340 bytes of a streamed frame.
inline constexpr std::size_t kKeyboardStreamLength = 340;
// The level values the recorder sends; the level colour shows the first three.
inline constexpr std::size_t kAudioLevelCount = 6;

// Light thread ticks per step of a mode at a speed level (light settings bytes 0 and 2).
int KeyboardStepThreshold(int mode, int speed);

// The host-driven modes: their frames go to the keyboard over the cable.
constexpr bool IsStreamedKeyboardMode(int mode)
{
    return mode == kKeyboardModeAudio || mode == kKeyboardModeLevelColour;
}

// Every light red, green, blue = the low bytes of level values 0, 1, 2, at the set brightness.
int StepLevelColour(const LightSettings& settings, const std::array<int, 3>& levels, CLightRecords& records);

// One step of the light mode of the settings, for the modes the keyboard
// shares with the other devices and the level colour; false for the others.
// now: the tick count in milliseconds; levels: the level colour's values.
bool StepKeyboardMode(const LightSettings& settings, EffectState& effect, CLightRecords& records, DWORD now,
                      const std::array<int, 3>& levels);

// The frame of records kept per logical key: each key's colour at its light
// index, a light shared by several keys taking the first one's; three lights
// beside keys E, M and L show those keys' colours.
LiveFrame KeyboardLiveFrame(const KeyboardLayout& layout, const CLightRecords& records);

}  // namespace q31::devices
