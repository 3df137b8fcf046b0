#pragma once
// The wide decimal texts the chip library answers reads with. They come from
// outside the program: anything that is not a plain number is refused.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace q31::audio {

std::optional<std::int64_t> IntegerOf(std::u16string_view text);
// A finite number ("0.37", "-12.5").
std::optional<double> NumberOf(std::u16string_view text);

// A level scalar 0.0 .. 1.0 as a level 0 .. 100, rounded to the nearest.
int LevelOfScalar(double scalar);

// "GetSupportFeature": a comma-separated list of at least seven integers,
// of which fields 0, 4 and 6 are the feature words.
std::optional<std::array<std::int32_t, 3>> FeatureWordsOf(std::u16string_view text);

}  // namespace q31::audio
