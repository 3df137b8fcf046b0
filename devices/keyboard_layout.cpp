#include "devices/keyboard_layout.h"

#include "keys/function_types.h"
#include "keys/keyboard_keys.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace q31::devices {
namespace {

// Key list order; "" is a place without a key of its own.
constexpr std::array<const char*, kKeyboardKeys> kFactoryKeyNames = {
    "Esc", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "Print Scr", "Scroll Lock",
    "Pause", "GM", "", "", "", "", "`", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "BackSpace",
    "Insert", "Home", "Page Up", "Num Lock", "Num /", "Num *", "Num -", "Tab", "Q", "W", "E", "R", "T", "Y", "U",
    "I", "O", "P", "[", "]", "xiegang", "Delete", "End", "Page Down", "Num 7", "Num 8", "Num 9", "K42", "Caplk",
    "A", "S", "D", "F", "G", "H", "J", "K", "L", ";", "'", "Enter", "Num 4", "Num 5", "Num 6", "K132", "K131",
    "K151", "K150", "K133", "LShift", "Z", "X", "C", "V", "B", "N", "M", "<", ".", "/", "RShift", "Up", "Num 1",
    "Num 2", "Num 3", "K56", "K14", "K45", "K107", "", "LCtrl", "LWin", "LAlt", "Space", "RAlt", "FN", "App",
    "RCtrl", "Left", "Down", "Right", "Num 0", "Decimal", "Num Enter", "Num +", "M1", "M2", "M3", "M4", "M5",
    "RWin"};
// The one place with a special key of no name of its own.
constexpr int kSpecialKey = 17;
constexpr FunctionCode kSpecialKeyCode{keys::kDeviceSpecial, 0x24, 0x00};
constexpr FunctionCode kNoKeyCode{keys::kKeyboardKey, 0x00, 0x00};

FunctionCode CodeOfName(const std::string& name)
{
    const std::string nameKey = "keyboard_key_" + name;
    for (const keys::CatalogueRow& row : keys::KeyboardKeyRows()) {
        if (row.nameKey == nameKey)
            return row.code;
    }
    throw std::logic_error("factory key without a catalogue row: " + name);
}

std::array<FunctionCode, kKeyboardKeys> BuildFactoryCodes()
{
    std::array<FunctionCode, kKeyboardKeys> codes{};
    for (int key = 0; key < kKeyboardKeys; ++key) {
        const std::string name = kFactoryKeyNames[key];
        codes[key] = key == kSpecialKey ? kSpecialKeyCode : name.empty() ? kNoKeyCode : CodeOfName(name);
    }
    return codes;
}

}  // namespace

const std::array<FunctionCode, kKeyboardKeys>& FactoryKeyCodes()
{
    static const std::array<FunctionCode, kKeyboardKeys> codes = BuildFactoryCodes();
    return codes;
}

std::optional<int> KeyboardLayout::KeyAtPosition(int position) const
{
    if (position < 0 || position >= positions)
        return std::nullopt;
    const auto key = std::find(positionOfKey.begin(), positionOfKey.end(), std::uint8_t(position));
    if (key == positionOfKey.end())
        return std::nullopt;
    return int(key - positionOfKey.begin());
}

KeyboardLayout BuildKeyboardLayout(int positions, const KeyboardImage& keyMap, const KeyboardImage& keyLights)
{
    KeyboardLayout layout;
    layout.positions = std::clamp(positions, 0, kMaxKeyPositions);
    layout.positionOfKey.fill(kNoKeyEntry);
    layout.lightOfKey.fill(kNoKeyEntry);
    const auto& codes = FactoryKeyCodes();
    for (int key = 0; key < kKeyboardKeys; ++key) {
        for (int position = 0; position < layout.positions; ++position) {
            const FunctionCode atPosition{keyMap[3 * position], keyMap[3 * position + 1], keyMap[3 * position + 2]};
            if (atPosition != codes[key])
                continue;
            layout.positionOfKey[key] = std::uint8_t(position);
            // A light index past the light tables is as good as none.
            const std::uint8_t light = keyLights[position];
            layout.lightOfKey[key] = light < kMaxKeyPositions ? light : kNoKeyEntry;
            break;
        }
    }
    return layout;
}

}  // namespace q31::devices
