#include "keys/keyboard_keys.h"

#include "keys/function_types.h"

#include <cstdint>
#include <string>
#include <utility>

namespace q31::keys {

namespace {

constexpr const char* kPrefix = "keyboard_key_";

void AddKey(std::vector<CatalogueRow>& rows, const std::string& name, std::uint8_t type, std::uint8_t data1,
            std::uint8_t data2)
{
    std::string nameKey = kPrefix;
    nameKey += name;
    rows.push_back({std::move(nameKey), {type, data1, data2}});
}

void AddUsage(std::vector<CatalogueRow>& rows, const std::string& name, std::uint8_t usage)
{
    AddKey(rows, name, kKeyboardKey, 0, usage);
}

// Appending, since GCC 12 warns wrongly about "literal" + std::to_string(n).
std::string Numbered(std::string text, int number)
{
    text += std::to_string(number);
    return text;
}

void AddUsages(std::vector<CatalogueRow>& rows, const std::vector<std::pair<const char*, std::uint8_t>>& keys)
{
    for (const auto& [name, usage] : keys)
        AddUsage(rows, name, usage);
}

std::vector<CatalogueRow> BuildRows()
{
    std::vector<CatalogueRow> rows;
    rows.reserve(kKeyboardKeyRows);
    const char* const modifiers[] = {"LCtrl", "LShift", "LAlt", "LWin", "RCtrl", "RShift", "RAlt", "RWin"};
    for (int bit = 0; bit < kModifierRows; ++bit)
        AddKey(rows, modifiers[bit], kKeyboardKey, static_cast<std::uint8_t>(1 << bit), 0);

    for (char letter = 'A'; letter <= 'Z'; ++letter)
        AddUsage(rows, std::string(1, letter), static_cast<std::uint8_t>(0x04 + letter - 'A'));
    for (int digit = 1; digit <= 10; ++digit)  // 1 ... 9, then 0
        AddUsage(rows, std::to_string(digit % 10), static_cast<std::uint8_t>(0x1D + digit));
    AddUsages(rows, {{"Enter", 0x28}, {"Esc", 0x29}, {"BackSpace", 0x2A}, {"Tab", 0x2B}, {"Space", 0x2C},
                     {"-", 0x2D}, {"=", 0x2E}, {"[", 0x2F}, {"]", 0x30}, {"xiegang", 0x31}, {";", 0x33},
                     {"'", 0x34}, {"`", 0x35}, {"<", 0x36}, {".", 0x37}, {"/", 0x38}, {"Caplk", 0x39}});
    for (int f = 1; f <= 12; ++f)
        AddUsage(rows, Numbered("F", f), static_cast<std::uint8_t>(0x39 + f));
    AddUsages(rows, {{"Print Scr", 0x46}, {"Scroll Lock", 0x47}, {"Pause", 0x48}, {"Insert", 0x49},
                     {"Home", 0x4A}, {"Page Up", 0x4B}, {"Delete", 0x4C}, {"End", 0x4D}, {"Page Down", 0x4E},
                     {"Right", 0x4F}, {"Left", 0x50}, {"Down", 0x51}, {"Up", 0x52}, {"Num Lock", 0x53},
                     {"Num /", 0x54}, {"Num *", 0x55}, {"Num -", 0x56}, {"Num +", 0x57}, {"Num Enter", 0x58}});
    for (int digit = 1; digit <= 10; ++digit)  // Num 1 ... Num 9, then Num 0
        AddUsage(rows, Numbered("Num ", digit % 10), static_cast<std::uint8_t>(0x58 + digit));
    AddUsages(rows, {{"Decimal", 0x63}, {"App", 0x65}, {"K45", 0x64}, {"K56", 0x87}, {"K14", 0x89},
                     {"K107", 0x85}, {"K131", 0x8B}, {"K132", 0x8A}, {"K133", 0x88}, {"K150", 0x91},
                     {"K151", 0x90}, {"K42", 0x32}});

    const std::pair<const char*, std::uint16_t> consumer[] = {
        {"keyboard_key_Launch App2", 0x0192},        {"keyboard_key_Browaer Home", 0x0223},
        {"keyboard_key_Media Play Pause", 0x00CD},   {"keyboard_key_Browser Search", 0x0221},
        {"keyboard_key_Launch Mail", 0x018A},        {"keyboard_key_Volume Up", 0x00E9},
        {"keyboard_key_Volume Mute", 0x00E2},        {"keyboard_key_Media Stop", 0x00B7},
        {"keyboard_key_Volume Down", 0x00EA},        {"keyboard_key_Browser Favorites", 0x022A},
        {"keyboard_key_Browser ForWard", 0x0225},    {"keyboard_key_Browser Back", 0x0224},
        {"keyboard_key_Media Prev Track", 0x00B6},   {"keyboard_key_Media Next Track", 0x00B5},
        {"keyboard_key_Computer", 0x0194},           {"keyboard_key_Browser Refresh", 0x0227},
        {"wed_stop", 0x0226},                        {"keyboard_key_Launch Media Select", 0x0183},
    };
    for (const auto& [nameKey, usage] : consumer)
        rows.push_back({nameKey, ConsumerCode(usage)});

    AddKey(rows, "Power", kSystemControl, 0x01, 0);
    AddKey(rows, "Sleep", kSystemControl, 0x02, 0);
    AddKey(rows, "Wakeup", kSystemControl, 0x04, 0);
    for (int m = 1; m <= 5; ++m)
        AddKey(rows, Numbered("M", m), kOnBoardMacroKey, 0xA2, static_cast<std::uint8_t>(m));
    AddKey(rows, "FN", kDeviceSpecial, 0x01, 0);
    AddKey(rows, "GM", kDeviceSpecial, 0x1B, 0);
    return rows;
}

}  // namespace

const std::vector<CatalogueRow>& KeyboardKeyRows()
{
    static const std::vector<CatalogueRow> rows = BuildRows();
    return rows;
}

}  // namespace q31::keys
