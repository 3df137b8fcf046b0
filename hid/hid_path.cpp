#include "hid/hid_path.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

// The hexadecimal number right after the first occurrence of token.
int ParseHexAfter(std::string_view path, std::string_view token)
{
    const auto equalIgnoringCase = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    const auto found = std::search(path.begin(), path.end(), token.begin(), token.end(), equalIgnoringCase);
    if (found == path.end())
        return 0;
    const char* first = path.data() + (found - path.begin()) + token.size();
    unsigned value = 0;
    const std::errc error = std::from_chars(first, path.data() + path.size(), value, 16).ec;
    return error == std::errc() && value <= 0xFFFFu ? static_cast<int>(value) : 0;
}

}  // namespace

int ParseVid(std::string_view path) { return ParseHexAfter(path, "vid_"); }
int ParsePid(std::string_view path) { return ParseHexAfter(path, "pid_"); }
int ParseInterface(std::string_view path) { return ParseHexAfter(path, "&mi_"); }
int ParseCollection(std::string_view path) { return ParseHexAfter(path, "&col"); }
