#pragma once
// The small fixed records the device code works with, as kept in profile
// documents.
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// Light settings: effect, brightness, speed, direction, multi-colour, red, green,
// blue, three device bytes, secondary effect, custom group, previous effect.
using LightSettings = std::array<std::uint8_t, 14>;
// The light settings as the device and the editor pass them: bytes 0-3, 4-7,
// 8-11 and 12-13, low byte first.
using LightWords = std::array<std::uint32_t, 4>;

constexpr LightWords PackLightWords(const LightSettings& light)
{
    LightWords words{};
    for (std::size_t i = 0; i < light.size(); ++i)
        words[i / 4] |= std::uint32_t(light[i]) << (8 * (i % 4));
    return words;
}
constexpr LightSettings UnpackLightWords(const LightWords& words)
{
    LightSettings light{};
    for (std::size_t i = 0; i < light.size(); ++i)
        light[i] = static_cast<std::uint8_t>(words[i / 4] >> (8 * (i % 4)));
    return light;
}

// Audio light settings: style, background RGB, foreground RGB, seven-colour flag,
// colour type flag.
using AudioLightSettings = std::array<std::uint8_t, 9>;

// Three words of two 16-bit settings each (low half first).
using SystemWords = std::array<std::uint32_t, 3>;

// Pairs of 16-bit settings are kept as word = high × 65536 + low.
constexpr std::uint32_t PackWord(int low, int high)
{
    return static_cast<std::uint32_t>(high & 0xFFFF) << 16 | static_cast<std::uint32_t>(low & 0xFFFF);
}
constexpr int LowHalf(std::uint32_t word) { return static_cast<int>(word & 0xFFFF); }
constexpr int HighHalf(std::uint32_t word) { return static_cast<int>(word >> 16); }

// MagicEnable, MagicType, EqType, CustomEqSeletIndex, MicInSelect, MicInValue,
// MicMoniterSelect, MicMoniterValue.
using HeadsetSystemValues = std::array<std::int32_t, 8>;

// A function code: type, data 1, data 2.
struct FunctionCode {
    std::uint8_t type = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    bool operator==(const FunctionCode&) const = default;
};

// Documents store a code as one integer: type × 65536 + data 1 × 256 + data 2.
constexpr int PackFunctionCode(FunctionCode code)
{
    return code.type << 16 | code.data1 << 8 | code.data2;
}
constexpr FunctionCode UnpackFunctionCode(int packed)
{
    return {static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
            static_cast<std::uint8_t>(packed)};
}

// One key of a device's key list: its number and its current and factory code.
struct KeyListEntry {
    std::uint16_t key = 0;
    FunctionCode current;
    FunctionCode factory;
    bool operator==(const KeyListEntry&) const = default;
};

// A mouse has five DPI stages.
inline constexpr int kDpiStageCount = 5;

// A mouse DPI stage; resolutions are DPI indices.
struct DpiStage {
    std::uint8_t enabled = 0;
    std::uint8_t separateXY = 0;
    std::uint16_t dpiX = 0;
    std::uint16_t dpiY = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const DpiStage&) const = default;
};

// A mouse angle-correction setting.
struct CorrectionEntry {
    int threshold = 0;
    int minimum = 0;
    bool selected = false;
    QString name;
    bool operator==(const CorrectionEntry&) const = default;
};

// The colour of one LED in a keyboard custom lighting group.
struct CustomColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;
    bool operator==(const CustomColour&) const = default;
};
