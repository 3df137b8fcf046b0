#include "audio/property_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace q31::audio {
namespace {

// The text without surrounding blanks, as narrow characters; nullopt when it
// holds anything beyond ASCII.
std::optional<std::string> Narrow(std::u16string_view text)
{
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text) {
        if (c == 0 || c > 0x7F)
            return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    if (!narrow.empty() && narrow.front() == '+')
        narrow.erase(0, 1);
    return narrow;
}

template <typename Number>
std::optional<Number> Parse(std::u16string_view text)
{
    const auto narrow = Narrow(text);
    if (!narrow || narrow->empty())
        return std::nullopt;
    Number value{};
    const char* end = narrow->data() + narrow->size();
    const auto [stop, error] = std::from_chars(narrow->data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::int64_t> IntegerOf(std::u16string_view text)
{
    return Parse<std::int64_t>(text);
}

std::optional<double> NumberOf(std::u16string_view text)
{
    const auto value = Parse<double>(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

int LevelOfScalar(double scalar)
{
    // Rounded: a level written as 0.29f reads back as 28.99..., which is 29.
    return static_cast<int>(std::lround(std::clamp(scalar, 0.0, 1.0) * 100.0));
}

std::optional<std::array<std::int32_t, 3>> FeatureWordsOf(std::u16string_view text)
{
    std::vector<std::u16string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(u',', start);
        fields.push_back(text.substr(start, comma == std::u16string_view::npos ? comma : comma - start));
        if (comma == std::u16string_view::npos)
            break;
        start = comma + 1;
    }
    if (fields.size() < 7)
        return std::nullopt;
    std::array<std::int32_t, 3> words{};
    constexpr std::array<std::size_t, 3> kWordFields = {0, 4, 6};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto value = IntegerOf(fields[kWordFields[i]]);
        // Feature words are bit sets: a value above 0x7FFFFFFF keeps its bits.
        if (!value || *value < INT32_MIN || *value > UINT32_MAX)
            return std::nullopt;
        words[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
    }
    return words;
}

}  // namespace q31::audio
