#include "sdk/usb_sound_card.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace q31::sdk {
namespace {

namespace fs = std::filesystem;

// A card as the kernel shows it: class/sound/cardN/device links to the USB
// interface, whose parent folder holds the device's ids.
void AddCard(const fs::path& sys, int card, const char* vendor, const char* product)
{
    const fs::path usbDevice = sys / "devices" / ("usb" + std::to_string(card)) / "1-1";
    fs::create_directories(usbDevice / "1-1:1.0");
    std::ofstream(usbDevice / "idVendor") << vendor << '\n';
    std::ofstream(usbDevice / "idProduct") << product << '\n';
    const fs::path cardFolder = sys / "class" / "sound" / ("card" + std::to_string(card));
    fs::create_directories(cardFolder);
    fs::create_directory_symlink(usbDevice / "1-1:1.0", cardFolder / "device");
}

TEST(UsbSoundCard, TheCardWhoseUsbDeviceHasTheIds)
{
    test::TempFolder folder;
    const fs::path sys = folder.Path();
    EXPECT_EQ(FindUsbSoundCard(sys.string(), 0x0C76, 0x1630), std::nullopt);
    AddCard(sys, 0, "046d", "0a44");
    AddCard(sys, 3, "0c76", "1630");
    AddCard(sys, 2, "0c76", "163x");
    fs::create_directories(sys / "class" / "sound" / "controlC0");
    EXPECT_EQ(FindUsbSoundCard(sys.string(), 0x0C76, 0x1630), 3);
    AddCard(sys, 1, "0C76", "1630");
    EXPECT_EQ(FindUsbSoundCard(sys.string(), 0x0C76, 0x1630), 1);
}

}  // namespace
}  // namespace q31::sdk
