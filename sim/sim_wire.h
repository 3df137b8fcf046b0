#pragma once
// What crosses the q31-devsim socket: length-prefixed frames, each a kind and
// a payload. One socket carries either the requests of a back end (list the
// interfaces, read the change counter, run a devsim command) or, after an
// Open, the reports of one open interface both ways.
#include "hid/hid_backend.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace q31::sim {

enum class WireKind : std::uint8_t {
    Enumerate = 1,     // -> Interfaces
    Interfaces = 2,
    Counter = 3,       // -> CounterValue
    CounterValue = 4,
    Open = 5,          // path -> Opened
    Opened = 6,        // open error, then the interface when it opened
    Write = 7,         // report -> Written
    Written = 8,       // bytes written or -1
    Input = 9,         // an input report, whenever one arrives
    Control = 10,      // a devsim command line -> ControlReply
    ControlReply = 11, // success flag, then the text
    WaitChange = 12,   // counter seen, longest wait in ms -> CounterValue once it differs or the wait is over
};

struct WireFrame {
    WireKind kind = WireKind::Enumerate;
    QByteArray payload;
};

inline constexpr std::size_t kMaxWireFrame = 1 << 20;

QByteArray EncodeWireFrame(WireKind kind, const QByteArray& payload = {});
// True when the buffer starts with a whole frame, or with a length no frame can have.
bool HasWholeWireFrame(const QByteArray& buffer);
// Takes the first frame off the buffer; nullopt when it is not whole or malformed.
std::optional<WireFrame> TakeWireFrame(QByteArray& buffer);

QByteArray EncodeInterface(const hid::HidInterfaceInfo& info);
QByteArray EncodeInterfaces(const std::vector<hid::HidInterfaceInfo>& interfaces);
std::optional<hid::HidInterfaceInfo> DecodeInterface(const QByteArray& bytes);
std::optional<std::vector<hid::HidInterfaceInfo>> DecodeInterfaces(const QByteArray& bytes);

QByteArray EncodeNumber(std::int64_t number);
std::optional<std::int64_t> DecodeNumber(const QByteArray& bytes);

// One socket to q31-devsim with its unread bytes; closed with the object.
class WireSocket {
public:
    explicit WireSocket(int fd) : m_fd(fd) {}
    ~WireSocket();
    WireSocket(const WireSocket&) = delete;
    WireSocket& operator=(const WireSocket&) = delete;

    // Nullptr when nothing listens at the path.
    static std::unique_ptr<WireSocket> Connect(const QString& path);

    bool Send(WireKind kind, const QByteArray& payload = {}, int timeoutMs = 1000);
    // The next frame; nullopt on timeout, a closed socket or a malformed frame.
    std::optional<WireFrame> Receive(int timeoutMs);
    // Sends a request and waits for the frame of the expected kind.
    std::optional<QByteArray> Ask(WireKind kind, const QByteArray& payload, WireKind answer, int timeoutMs);
    // Ends waits on the socket from another thread: both directions are shut.
    void Shutdown();
    int Descriptor() const { return m_fd; }

private:
    int m_fd;
    QByteArray m_pending;
};

}  // namespace q31::sim
