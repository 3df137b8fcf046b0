#pragma once
// What CHidDevice needs from the system's HID stack. The hidraw back end and
// the device simulator each implement it; nothing above CHidDevice sees it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CStopEvent;

namespace q31::hid {

// One HID top-level collection of a present interface.
struct HidInterfaceInfo {
    // Carries "vid_", "pid_", "&mi_" and "&col" tokens in every back end:
    // \\?\hid#vid_3a9d&pid_6b01&mi_01&col04#... (simulator),
    // /dev/hidraw3#vid_3a9d&pid_6b01&mi_01&col04#0003:3A9D:6B01.0007 (hidraw).
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::vector<std::uint8_t> reportDescriptor;  // of the whole interface
};

enum class OpenError { None, NotFound, PermissionDenied, Other };

// One opened collection. Read and Write may run at the same time on two
// threads; Abort may be called from any thread and ends a waiting Read or
// Write at once (and every later one).
class IHidConnection {
public:
    virtual ~IHidConnection() = default;
    // Bytes read (the report id first), 0 on timeout, -1 on error or abort.
    // timeoutMs < 0 waits without limit.
    virtual int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) = 0;
    // Bytes written, -1 on error or abort.
    virtual int Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs) = 0;
    // An output report through the control path; by default an ordinary write.
    virtual int SetOutputReport(const std::uint8_t* buffer, std::size_t length) {
        return Write(buffer, length, 1000);
    }
    virtual void Abort() = 0;
    // The interface this connection was opened on.
    virtual const HidInterfaceInfo& Info() const = 0;
};

class IHidBackend {
public:
    virtual ~IHidBackend() = default;
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    virtual std::unique_ptr<IHidConnection> Open(const std::string& path, OpenError& error) = 0;
    // A number that changes whenever the set of present interfaces may have
    // changed; discovery skips the enumeration while it stays the same.
    // Back ends that cannot tell return a new number on every call.
    virtual std::uint64_t ChangeCounter() = 0;
    // Whether the interface of this path is still present; by default looked
    // up in a fresh enumeration.
    virtual bool Exists(const std::string& path);
    // Waits up to timeoutMs, returning early when a change is seen; by default
    // simply waits on stop (a back end may notice stop only at the timeout).
    virtual void WaitForChange(const CStopEvent& stop, int timeoutMs);
};

// The back end every CHidDevice uses; set once at start-up (hidraw by default).
IHidBackend& CurrentHidBackend();
void SetHidBackend(std::shared_ptr<IHidBackend> backend);

}  // namespace q31::hid
