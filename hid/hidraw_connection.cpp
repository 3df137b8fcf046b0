#include "hid/hidraw_connection.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace q31::hid {

namespace {

constexpr std::int64_t kNoDeadline = -1;
constexpr std::size_t kLargestReport = 16384;  // the kernel's largest HID report
constexpr int kOutputReportTimeoutMs = 1000;

std::int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t Deadline(int timeoutMs)
{
    return timeoutMs < 0 ? kNoDeadline : NowMs() + timeoutMs;
}

}  // namespace

HidrawConnection::HidrawConnection(int fd, HidInterfaceInfo info, bool numberedReports,
                                   std::vector<std::uint8_t> inputReportIds)
    : m_fd(fd), m_abortFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), m_info(std::move(info)),
      m_numberedReports(numberedReports), m_inputReportIds(std::move(inputReportIds))
{
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
}

HidrawConnection::~HidrawConnection()
{
    close(m_fd);
    if (m_abortFd >= 0)
        close(m_abortFd);
}

HidrawConnection::Wait HidrawConnection::WaitFor(short events, std::int64_t deadlineMs)
{
    if (m_abortFd < 0)
        return Wait::Failed;
    for (;;) {
        pollfd fds[2] = {{m_abortFd, POLLIN, 0}, {m_fd, events, 0}};
        int timeout = -1;
        if (deadlineMs != kNoDeadline)
            timeout = static_cast<int>(std::max<std::int64_t>(0, deadlineMs - NowMs()));
        const int ready = poll(fds, 2, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || fds[0].revents)
            return Wait::Failed;
        if (ready == 0)
            return Wait::Timeout;
        if (fds[1].revents & events)
            return Wait::Ready;
        return Wait::Failed;  // the node went away or the descriptor is broken
    }
}

int HidrawConnection::Read(std::uint8_t* buffer, std::size_t length, int timeoutMs)
{
    const std::int64_t deadline = Deadline(timeoutMs);
    std::array<std::uint8_t, kLargestReport> report;
    for (;;) {
        switch (WaitFor(POLLIN, deadline)) {
        case Wait::Timeout: return 0;
        case Wait::Failed: return -1;
        case Wait::Ready: break;
        }
        const ssize_t count = read(m_fd, report.data(), report.size());
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (count <= 0)
            return -1;
        if (!m_numberedReports) {
            if (length == 0)
                return 0;
            buffer[0] = 0;
            const std::size_t copied = std::min(static_cast<std::size_t>(count), length - 1);
            std::memcpy(buffer + 1, report.data(), copied);
            return static_cast<int>(copied + 1);
        }
        const bool ours = std::find(m_inputReportIds.begin(), m_inputReportIds.end(), report[0]) !=
                          m_inputReportIds.end();
        if (!ours)
            continue;  // a report of another collection of this interface
        const std::size_t copied = std::min(static_cast<std::size_t>(count), length);
        std::memcpy(buffer, report.data(), copied);
        return static_cast<int>(copied);
    }
}

int HidrawConnection::Write(const std::uint8_t* buffer, std::size_t length, int timeoutMs)
{
    const std::int64_t deadline = Deadline(timeoutMs);
    for (;;) {
        switch (WaitFor(POLLOUT, deadline)) {
        case Wait::Timeout: return 0;
        case Wait::Failed: return -1;
        case Wait::Ready: break;
        }
        const ssize_t count = write(m_fd, buffer, length);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        return count < 0 ? -1 : static_cast<int>(count);
    }
}

int HidrawConnection::SetOutputReport(const std::uint8_t* buffer, std::size_t length)
{
    if (length == 0 || length >= kLargestReport)
        return -1;
    // The kernel copies the report in; the call only lacks a const argument.
    const int sent = ioctl(m_fd, HIDIOCSOUTPUT(length), const_cast<std::uint8_t*>(buffer));
    if (sent >= 0)
        return sent;
    // Kernels before 5.11 do not know the call; any other error is the device's.
    if (errno != ENOTTY && errno != EINVAL)
        return -1;
    return Write(buffer, length, kOutputReportTimeoutMs);
}

void HidrawConnection::Abort()
{
    if (m_abortFd >= 0)
        eventfd_write(m_abortFd, 1);
}

}  // namespace q31::hid
