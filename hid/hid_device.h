#pragma once
// The interface paths of one enumeration and at most one open HID interface
// with its attributes, capabilities and report buffers. Everything above the
// HID back ends talks to devices through this class only.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hid/hid_backend.h"
#include "hid/hid_types.h"

namespace q31::hid {
struct ReportDescriptor;
}

class CHidDevice {
public:
    CHidDevice();
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    // Lists the paths of every present interface (one per top-level collection).
    bool EnumeratePaths();
    // The path at the cursor, then the cursor advances; nullptr after the last one.
    const std::string* NextPath();
    void FreePaths();

    // Opens one interface and reads its attributes and capabilities.
    // A previously open interface is closed first. The flags are those of the
    // Windows call; every back end opens shared, for reading and writing.
    bool Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
    // Safe from any thread: a transfer waiting on another thread returns false at once.
    // The path list is kept.
    void Close();
    bool IsOpen() const;

    // One whole report; false on failure, timeout (nothing transferred) or Close.
    // timeoutMs may be INFINITE. transferred may be null.
    bool ReadReport(void* buffer, DWORD length, DWORD* transferred, DWORD timeoutMs);
    bool WriteReport(const void* buffer, DWORD length, DWORD* transferred, DWORD timeoutMs);
    // An output report through the control path, for devices that take their
    // output reports that way (the headset's lights).
    bool SetOutputReport(const void* buffer, DWORD length);

    // Decodes an input report into InputData(); false when a value entry of
    // the report's id could not be read.
    bool UnpackInputReport(const std::uint8_t* report, std::size_t length);

    const HidAttributes& Attributes() const { return m_attributes; }
    const HidCaps& Caps() const { return m_caps; }
    // Zeroed, Caps().inputReportByteLength long while open.
    std::vector<std::uint8_t>& InputReportBuffer() { return m_inputReport; }
    const std::vector<HidData>& InputData() const { return m_inputData; }
    const std::vector<HidData>& OutputData() const { return m_outputData; }
    const std::vector<HidData>& FeatureData() const { return m_featureData; }
    // The "&mi_" and "&col" numbers of the open path (0 when absent).
    int InterfaceNumber() const { return m_interfaceNumber; }
    int CollectionNumber() const { return m_collectionNumber; }
    const std::string& DevicePath() const { return m_devicePath; }

private:
    std::shared_ptr<q31::hid::IHidConnection> Connection() const;
    bool FillDeviceInformation(const q31::hid::HidInterfaceInfo& info);
    void FreeDeviceInformation();

    std::vector<std::string> m_paths;
    std::size_t m_pathCursor = 0;

    // Guards the connection pointer only, so Close on one thread cannot free
    // it under a transfer on another; the transfer holds its own reference.
    mutable std::mutex m_connectionMutex;
    std::shared_ptr<q31::hid::IHidConnection> m_connection;

    std::string m_devicePath;
    std::shared_ptr<const q31::hid::ReportDescriptor> m_descriptor;
    HidCaps m_caps;
    HidAttributes m_attributes;
    int m_collectionIndex = 0;  // top-level collection within the descriptor
    std::vector<std::uint8_t> m_inputReport;
    std::vector<std::uint8_t> m_outputReport;
    std::vector<std::uint8_t> m_featureReport;
    std::vector<HidData> m_inputData;
    std::vector<HidData> m_outputData;
    std::vector<HidData> m_featureData;
    int m_interfaceNumber = 0;
    int m_collectionNumber = 0;
};
