#include "tools/q31ctl/hex_input.h"

#include <cctype>
#include <charconv>

namespace q31::ctl {
namespace {

bool IsSeparator(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) || c == ':' || c == ',' || c == '-';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ParseHexBytes(const std::string& text, std::string* error)
{
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        const std::string group = text.substr(i, end - i);
        for (char c : group) {
            if (HexDigit(c) < 0) {
                *error = "\"" + group + "\" is not hex";
                return std::nullopt;
            }
        }
        if (group.size() % 2 != 0) {
            *error = "\"" + group + "\" has an odd number of hex digits";
            return std::nullopt;
        }
        for (std::size_t k = 0; k < group.size(); k += 2)
            bytes.push_back(static_cast<std::uint8_t>(HexDigit(group[k]) * 16 + HexDigit(group[k + 1])));
        i = end;
    }
    if (bytes.empty()) {
        *error = "no data bytes given";
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::uint32_t> ParseNumber(const std::string& text, std::uint32_t maximum, std::string* error)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    std::uint64_t value = 0;
    const auto [end, status] = std::from_chars(first, last, value, hex ? 16 : 10);
    if (text.empty() || status == std::errc::invalid_argument || end != last) {
        *error = "\"" + text + "\" is not a number";
        return std::nullopt;
    }
    if (status == std::errc::result_out_of_range || value > maximum) {
        *error = text + " is over " + std::to_string(maximum);
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace q31::ctl
