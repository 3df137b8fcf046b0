#pragma once
// The lighting tables every device shares: the breathing curve, the brightness
// and speed levels, the four fixed colours, the 192-colour spectrum, and the
// mouse's flow wave and LED columns.
#include <array>
#include <cstdint>

namespace q31::devices {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr int kBreathingCurveLength = 128;
inline constexpr int kSpectrumLength = 192;
inline constexpr int kSpectrumRunLength = 32;
inline constexpr int kFixedColourCount = 4;
inline constexpr int kLevelCount = 5;

// The first half of the breathing curve; the second half is the same backwards.
inline constexpr std::array<std::uint8_t, kBreathingCurveLength / 2> kBreathingRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// The changing component of one spectrum run, rising and falling.
inline constexpr std::array<std::uint8_t, kSpectrumRunLength> kSpectrumRise = {
    1,  3,  5,  7,  10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<std::uint8_t, kSpectrumRunLength> kSpectrumFall = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

inline constexpr std::array<std::uint8_t, kLevelCount> kBrightnessLevels = {30, 80, 135, 195, 255};
// Worker ticks per effect step; the blink effects count them in units of 200 ms.
inline constexpr std::array<std::uint8_t, kLevelCount> kSpeedLevels = {28, 23, 18, 13, 7};
// The same for the effects that run through the spectrum a colour at a time.
inline constexpr std::array<std::uint8_t, kLevelCount> kSpectrumSpeedLevels = {5, 4, 3, 2, 1};

inline constexpr std::array<Rgb, kFixedColourCount> kFixedColours = {{
    {0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};

constexpr std::array<std::uint8_t, kBreathingCurveLength> MakeBreathingCurve()
{
    std::array<std::uint8_t, kBreathingCurveLength> curve{};
    constexpr int half = kBreathingCurveLength / 2;
    for (int i = 0; i < half; ++i) {
        curve[i] = kBreathingRise[i];
        curve[kBreathingCurveLength - 1 - i] = kBreathingRise[i];
    }
    return curve;
}

// Six runs around the colour wheel: red, yellow, green, cyan, blue, magenta and
// back to red. In each run one component changes, one stays full, one is 0.
constexpr std::array<Rgb, kSpectrumLength> MakeSpectrum()
{
    struct Run {
        int changing;  // component index: 0 red, 1 green, 2 blue
        bool rising;
        int full;
    };
    constexpr Run runs[] = {{1, true, 0}, {0, false, 1}, {2, true, 1},
                            {1, false, 2}, {0, true, 2}, {2, false, 0}};
    std::array<Rgb, kSpectrumLength> spectrum{};
    for (int run = 0; run < 6; ++run) {
        for (int j = 0; j < kSpectrumRunLength; ++j) {
            std::uint8_t components[3] = {0, 0, 0};
            components[runs[run].full] = 255;
            components[runs[run].changing] = runs[run].rising ? kSpectrumRise[j] : kSpectrumFall[j];
            spectrum[run * kSpectrumRunLength + j] = {components[0], components[1], components[2]};
        }
    }
    return spectrum;
}

inline constexpr std::array<std::uint8_t, kBreathingCurveLength> kBreathingCurve = MakeBreathingCurve();
inline constexpr std::array<Rgb, kSpectrumLength> kSpectrum = MakeSpectrum();

// The mouse's flow wave: the breathing curve without its dim ends (the 48
// values from 22 up to 255 and back down).
inline constexpr int kWaveLength = 96;
inline constexpr int kWaveStart = (kBreathingCurveLength - kWaveLength) / 2;

constexpr std::array<std::uint8_t, kWaveLength> MakeWave()
{
    std::array<std::uint8_t, kWaveLength> wave{};
    for (int i = 0; i < kWaveLength; ++i)
        wave[i] = kBreathingCurve[kWaveStart + i];
    return wave;
}

inline constexpr std::array<std::uint8_t, kWaveLength> kWave = MakeWave();

// The column of each of the mouse's 15 LEDs; the flow and column wave
// effects light the seven columns one after another.
inline constexpr int kMouseLedCount = 15;
inline constexpr int kMouseColumnCount = 7;
inline constexpr std::array<std::uint8_t, kMouseLedCount> kMouseLedColumns = {
    0, 1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 0, 6};

// Settings come from profile files: a level beyond the table takes its last entry.
constexpr std::uint8_t BrightnessLevel(std::uint8_t setting)
{
    return kBrightnessLevels[setting < kLevelCount ? setting : kLevelCount - 1];
}
constexpr std::uint8_t SpeedLevel(std::uint8_t setting)
{
    return kSpeedLevels[setting < kLevelCount ? setting : kLevelCount - 1];
}
constexpr std::uint8_t SpectrumSpeedLevel(std::uint8_t setting)
{
    return kSpectrumSpeedLevels[setting < kLevelCount ? setting : kLevelCount - 1];
}

}  // namespace q31::devices
