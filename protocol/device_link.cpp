#include "protocol/device_link.h"

#include <algorithm>
#include <cstring>

#include "protocol/report_dump.h"
#include "protocol/result_codes.h"

using q31::Report;

namespace {

constexpr std::uint8_t kCableChunk = 56;
constexpr std::uint8_t kReceiverChunk = 24;
constexpr int kReadsPerRequest = 2;
// As many input reports as the kernel (and the simulator) keeps queued for one reader.
constexpr int kMostQueuedReports = 64;

Report PaddedRequest(const std::uint8_t* request, std::size_t length)
{
    Report frame{};
    if (request)
        std::memcpy(frame.data(), request, std::min(length, frame.size()));
    return frame;
}

void CopyReply(const Report& answer, std::uint8_t* reply, std::size_t replyLength)
{
    if (reply)
        std::memcpy(reply, answer.data(), std::min(replyLength, answer.size()));
}

// The reply to a request is the first report after it: whatever waits on the
// interface before the request goes out (a reply that came too late for an
// earlier exchange) would otherwise be taken for it. Call under the I/O lock.
bool SendRequest(CHidDevice& device, const Report& frame, DWORD timeoutMs)
{
    Report stale{};
    for (int dropped = 0; dropped < kMostQueuedReports; ++dropped) {
        if (!device.ReadReport(stale.data(), static_cast<DWORD>(stale.size()), nullptr, 0))
            break;
    }
    return device.WriteReport(frame.data(), static_cast<DWORD>(frame.size()), nullptr, timeoutMs);
}

// Clears the busy count on every way out of Transceive.
class BusyScope {
public:
    explicit BusyScope(std::atomic<int>& busy) : m_busy(busy) { ++m_busy; }
    ~BusyScope() { --m_busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::atomic<int>& m_busy;
};

}  // namespace

CDeviceLink::CDeviceLink() = default;
CDeviceLink::~CDeviceLink() = default;

int CDeviceLink::Transceive(const std::uint8_t* request, std::size_t requestLength, std::uint8_t* reply,
                            std::size_t replyLength, DWORD* bytesRead)
{
    const BusyScope busy(m_busy);
    if (bytesRead)
        *bytesRead = 0;
    if (!m_open)
        return q31::kResultNoReply;

    const Report frame = PaddedRequest(request, requestLength);
    q31::DumpReport(QStringLiteral("命令"), frame.data());

    // The interface is chosen under the I/O lock, so an exchange that waited
    // there while the link was attached or switched uses the new one; it then
    // keeps it for the whole exchange.
    CHidDevice* device = nullptr;
    DWORD timeoutMs = kCableTimeoutMs;
    bool receiverMode = false;
    bool written = false;
    {
        std::lock_guard io(m_ioLock);
        receiverMode = m_receiverMode;
        device = receiverMode ? &m_receiver : &m_cable;
        timeoutMs = receiverMode ? kReceiverTimeoutMs : kCableTimeoutMs;
        written = SendRequest(*device, frame, timeoutMs);
    }
    if (!written)
        return q31::kResultWriteFailed;

    Report answer{};
    int result = q31::kResultNoReply;
    {
        std::lock_guard io(m_ioLock);
        // A read that times out is followed by the second one all the same: a
        // reply that is slow, but not slower than both, still counts.
        for (int read = 0; read < kReadsPerRequest; ++read) {
            answer.fill(0);
            result = device->ReadReport(answer.data(), answer.size(), bytesRead, timeoutMs) ? q31::kResultSuccess
                                                                                           : q31::kResultNoReply;
            if (result != q31::kResultSuccess)
                continue;
            if (answer[q31::kCommandByte] == frame[q31::kCommandByte])
                break;
            if (receiverMode && answer[q31::kCommandByte] == q31::kUnreachableEcho) {
                result = q31::kResultUnreachable;
                break;
            }
        }
    }
    CopyReply(answer, reply, replyLength);
    q31::DumpReport(QStringLiteral("返回"), answer.data());
    return result;
}

int CDeviceLink::TransceiveQuick(const std::uint8_t* request, std::size_t requestLength, std::uint8_t* reply,
                                 std::size_t replyLength, DWORD* bytesRead)
{
    if (bytesRead)
        *bytesRead = 0;
    if (!m_open)
        return q31::kResultNoReply;
    const Report frame = PaddedRequest(request, requestLength);
    {
        std::lock_guard io(m_ioLock);
        if (!SendRequest(m_cable, frame, kCableTimeoutMs))
            return q31::kResultWriteFailed;
    }
    Report answer{};
    bool read = false;
    {
        std::lock_guard io(m_ioLock);
        read = m_cable.ReadReport(answer.data(), answer.size(), bytesRead, kCableTimeoutMs);
    }
    CopyReply(answer, reply, replyLength);
    return read ? q31::kResultSuccess : q31::kResultNoReply;
}

void CDeviceLink::SetMode(int mode)
{
    const bool receiver = mode == kModeReceiver;
    m_receiverMode = receiver;
    m_chunkSize = receiver ? kReceiverChunk : kCableChunk;
}

int CDeviceLink::SetBlockLength(std::uint16_t length)
{
    if (length > kMaxBlockLength)
        return 0;
    m_blockLength = length;
    return 1;
}

int CDeviceLink::Exchange(Report& request, Report& reply, ExchangeLock lock)
{
    q31::SealRequest(request);
    int result = q31::kResultNoReply;
    {
        // Page writes also exclude the light stream; every exchange holds the
        // command lock so no two exchanges ever share the interface.
        std::unique_lock<std::recursive_mutex> stream;
        if (lock == ExchangeLock::Stream)
            stream = std::unique_lock(m_streamLock);
        std::lock_guard command(m_commandLock);
        result = Transceive(request.data(), request.size(), reply.data(), reply.size(), nullptr);
    }
    return result == q31::kResultSuccess ? q31::ResultFromStatus(reply) : result;
}
