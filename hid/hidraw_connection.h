#pragma once
// One opened collection of a hidraw node. All collections of an interface
// share the node, so a read hands on only the input reports whose id belongs
// to this collection.
#include <cstdint>
#include <vector>

#include "hid/hid_backend.h"

namespace q31::hid {

class HidrawConnection : public IHidConnection {
public:
    // Takes ownership of fd. When the device numbers no reports, each read
    // gets a 0 id byte in front, as on Windows.
    HidrawConnection(int fd, HidInterfaceInfo info, bool numberedReports,
                     std::vector<std::uint8_t> inputReportIds);
    ~HidrawConnection() override;
    HidrawConnection(const HidrawConnection&) = delete;
    HidrawConnection& operator=(const HidrawConnection&) = delete;

    int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
    int Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
    // Through the kernel's own output-report call where it has one (5.11 and
    // later), else as an ordinary write.
    int SetOutputReport(const std::uint8_t* buffer, std::size_t length) override;
    void Abort() override;
    const HidInterfaceInfo& Info() const override { return m_info; }

private:
    enum class Wait { Ready, Timeout, Failed };
    Wait WaitFor(short events, std::int64_t deadlineMs);

    int m_fd;
    int m_abortFd;
    HidInterfaceInfo m_info;
    bool m_numberedReports;
    std::vector<std::uint8_t> m_inputReportIds;
};

}  // namespace q31::hid
