#pragma once
// The supported devices, identified by their HID interfaces, and the page
// each kind of device gets.
#include <array>
#include <cstdint>
#include <string>

enum DeviceType : std::uint16_t {
    Keyboard = 1,
    Mouse = 2,
    MousePad = 3,
    MouseReceiver = 6,
    Headset = 7,
    KeyboardReceiver = 9,
};

inline constexpr std::uint16_t kChannelCommand = 0x00;
inline constexpr std::uint16_t kChannelNotification = 0xFF;

struct HidInterfaceEntry {
    std::uint16_t vendorId;
    std::uint16_t productId;
    std::uint16_t interfaceNumber;
    std::uint16_t collection;
    std::uint16_t type;
    std::uint16_t channel;
    std::uint16_t connected;
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint16_t hasPartner;
    std::uint16_t partner;
    std::string devicePath;
};

inline const std::array<HidInterfaceEntry, 11> kHidInterfaceTable = {{
    {0x3A9D, 0x6B01, 1, 4, Keyboard, kChannelCommand, 0, 0xFF1C, 0x92, 1, 2, {}},
    {0x3A9D, 0x6B01, 1, 3, Keyboard, kChannelNotification, 0, 0x000C, 0x01, 1, 3, {}},
    {0x3A9D, 0x6B02, 1, 4, KeyboardReceiver, kChannelCommand, 0, 0xFF1C, 0x92, 1, 0, {}},
    {0x3A9D, 0x6B02, 1, 3, KeyboardReceiver, kChannelNotification, 0, 0x000C, 0x01, 1, 1, {}},
    {0x3A9D, 0x6C01, 1, 4, Mouse, kChannelCommand, 0, 0xFF1C, 0x92, 1, 6, {}},
    {0x3A9D, 0x6C01, 1, 3, Mouse, kChannelNotification, 0, 0x000C, 0x01, 1, 7, {}},
    {0x3A9D, 0x6C02, 1, 4, MouseReceiver, kChannelCommand, 0, 0xFF1C, 0x92, 1, 4, {}},
    {0x3A9D, 0x6C02, 1, 3, MouseReceiver, kChannelNotification, 0, 0x000C, 0x01, 1, 5, {}},
    {0x3A9D, 0x6D01, 1, 4, MousePad, kChannelCommand, 0, 0xFF1C, 0x92, 0, 0, {}},
    {0x3A9D, 0x6D01, 1, 3, MousePad, kChannelNotification, 0, 0x000C, 0x01, 0, 0, {}},
    {0x0C76, 0x1630, 3, 0, Headset, kChannelCommand, 0, 0x000C, 0x01, 0, 0, {}},
}};

// A device option row's kind index: which of the main window's device lists holds the device.
enum DeviceKind : int {
    kKindKeyboard = 0,
    kKindMouse = 1,
    kKindMousePad = 2,
    kKindHeadset = 3,
};
inline constexpr int kDeviceKindCount = 4;

// One kind of device page; only cable types have a row.
struct DeviceOptionRow {
    const char* optionXml;
    const char* headerControl;
    const char* powerControl;
    const char* kindName;  // also the device's user data folder
    int kindIndex;
    std::uint16_t vendorId;
    std::uint16_t productId;
    std::uint16_t type;
    int variant;
};

inline constexpr std::array<DeviceOptionRow, 4> kDeviceOptionTable = {{
    {"XML/CustomControlXML/DeviceOption.xml", "tab_header_device", "device_power_switch", "mouse", kKindMouse, 0x3A9D, 0x6C01, Mouse, 0},
    {"XML/CustomControlXML/DeviceOption.xml", "tab_header_device", "device_power_switch", "keyboard", kKindKeyboard, 0x3A9D, 0x6B01, Keyboard, 0},
    {"XML/CustomControlXML/DeviceOption.xml", "tab_header_device", "device_power_switch", "MousePad", kKindMousePad, 0x3A9D, 0x6D01, MousePad, 0},
    {"XML/CustomControlXML/DeviceOption.xml", "tab_header_device", "device_power_switch", "HD", kKindHeadset, 0x0C76, 0x1630, Headset, 0},
}};

// The page of the device option row with the same index.
struct DevicePageRow {
    int lightCount;
    int keyCount;
    int powerDisplay;
    int reserved;
    const char* pageXml;
    const char* lightControl;
};

inline constexpr std::array<DevicePageRow, 4> kDevicePageTable = {{
    {15, 11, 1, -1, "XML/DeviceXml/mousedevice.xml", "quorl_light"},
    {170, 170, 0, -1, "XML/DeviceXml/keyboarddevice.xml", "quorl_light"},
    {15, 0, 0, -1, "XML/DeviceXml/mousepaddevice.xml", "quorl_light"},
    {13, 0, 0, -1, "XML/DeviceXml/hs6533device.xml", "quorl_light"},
}};
