#include "sdk/usb_sound_card.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <vector>

namespace q31::sdk {
namespace {

std::optional<std::uint16_t> HexIdIn(const std::filesystem::path& file)
{
    std::ifstream stream(file);
    std::string text;
    if (!std::getline(stream, text) || text.size() > 8)
        return std::nullopt;
    std::uint16_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, 16);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return id;
}

std::optional<int> CardNumber(const std::string& name)
{
    constexpr std::string_view kPrefix = "card";
    if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0)
        return std::nullopt;
    int number = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + kPrefix.size(), end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

}  // namespace

std::optional<int> FindUsbSoundCard(const std::string& sysRoot, std::uint16_t vendorId, std::uint16_t productId)
{
    std::error_code error;
    std::vector<int> cards;
    for (const auto& entry : std::filesystem::directory_iterator(sysRoot + "/class/sound", error)) {
        const auto number = CardNumber(entry.path().filename().string());
        // A card's device is its USB interface; the ids are the interface's parent's.
        const std::filesystem::path usbDevice = entry.path() / "device" / "..";
        if (number && HexIdIn(usbDevice / "idVendor") == vendorId && HexIdIn(usbDevice / "idProduct") == productId)
            cards.push_back(*number);
    }
    if (cards.empty())
        return std::nullopt;
    return *std::min_element(cards.begin(), cards.end());
}

}  // namespace q31::sdk
