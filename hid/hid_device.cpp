#include "hid/hid_device.h"

// Placeholder bodies so other folders can build against the class.
CHidDevice::CHidDevice() = default;
CHidDevice::~CHidDevice() = default;
bool CHidDevice::EnumeratePaths() { return false; }
const std::string* CHidDevice::NextPath() { return nullptr; }
void CHidDevice::FreePaths() {}
bool CHidDevice::Open(const std::string&, bool, bool, bool, bool) { return false; }
void CHidDevice::Close() {}
bool CHidDevice::IsOpen() const { return false; }
bool CHidDevice::ReadReport(void*, DWORD, DWORD*, DWORD) { return false; }
bool CHidDevice::WriteReport(const void*, DWORD, DWORD*, DWORD) { return false; }
bool CHidDevice::SetOutputReport(const void*, DWORD) { return false; }
bool CHidDevice::UnpackInputReport(const std::uint8_t*, std::size_t) { return false; }
