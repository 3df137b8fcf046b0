#include "sim/sim_wire.h"

#include "platform/bus_socket.h"

#include <QDataStream>
#include <QFile>
#include <QIODevice>

#include <sys/socket.h>
#include <unistd.h>

namespace q31::sim {
namespace {

constexpr int kLengthBytes = 4;

std::uint32_t FrameLength(const QByteArray& buffer)
{
    std::uint32_t length = 0;
    for (int i = kLengthBytes - 1; i >= 0; --i)
        length = (length << 8) | static_cast<std::uint8_t>(buffer[i]);
    return length;
}

void WriteInterface(QDataStream& out, const hid::HidInterfaceInfo& info)
{
    out << QByteArray::fromStdString(info.path) << info.vendorId << info.productId << info.versionNumber
        << info.usagePage << info.usage
        << QByteArray(reinterpret_cast<const char*>(info.reportDescriptor.data()),
                      static_cast<qsizetype>(info.reportDescriptor.size()));
}

bool ReadInterface(QDataStream& in, hid::HidInterfaceInfo& info)
{
    QByteArray path;
    QByteArray descriptor;
    in >> path >> info.vendorId >> info.productId >> info.versionNumber >> info.usagePage >> info.usage >> descriptor;
    info.path = path.toStdString();
    info.reportDescriptor.assign(descriptor.begin(), descriptor.end());
    return in.status() == QDataStream::Ok;
}

}  // namespace

QByteArray EncodeWireFrame(WireKind kind, const QByteArray& payload)
{
    const auto length = static_cast<std::uint32_t>(payload.size() + 1);
    QByteArray frame;
    for (int i = 0; i < kLengthBytes; ++i)
        frame.append(static_cast<char>((length >> (8 * i)) & 0xFF));
    frame.append(static_cast<char>(kind));
    frame.append(payload);
    return frame;
}

bool HasWholeWireFrame(const QByteArray& buffer)
{
    if (buffer.size() < kLengthBytes)
        return false;
    const std::uint32_t length = FrameLength(buffer);
    return length == 0 || length > kMaxWireFrame || buffer.size() >= kLengthBytes + static_cast<qsizetype>(length);
}

std::optional<WireFrame> TakeWireFrame(QByteArray& buffer)
{
    if (!HasWholeWireFrame(buffer))
        return std::nullopt;
    const std::uint32_t length = FrameLength(buffer);
    if (length == 0 || length > kMaxWireFrame)
        return std::nullopt;
    WireFrame frame;
    frame.kind = static_cast<WireKind>(buffer[kLengthBytes]);
    frame.payload = buffer.mid(kLengthBytes + 1, length - 1);
    buffer.remove(0, kLengthBytes + length);
    return frame;
}

QByteArray EncodeInterface(const hid::HidInterfaceInfo& info)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    WriteInterface(out, info);
    return bytes;
}

QByteArray EncodeInterfaces(const std::vector<hid::HidInterfaceInfo>& interfaces)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<quint32>(interfaces.size());
    for (const hid::HidInterfaceInfo& info : interfaces)
        WriteInterface(out, info);
    return bytes;
}

std::optional<hid::HidInterfaceInfo> DecodeInterface(const QByteArray& bytes)
{
    QDataStream in(bytes);
    hid::HidInterfaceInfo info;
    return ReadInterface(in, info) ? std::optional(info) : std::nullopt;
}

std::optional<std::vector<hid::HidInterfaceInfo>> DecodeInterfaces(const QByteArray& bytes)
{
    QDataStream in(bytes);
    quint32 count = 0;
    in >> count;
    std::vector<hid::HidInterfaceInfo> interfaces;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        hid::HidInterfaceInfo info;
        if (!ReadInterface(in, info))
            return std::nullopt;
        interfaces.push_back(std::move(info));
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return interfaces;
}

QByteArray EncodeNumber(std::int64_t number)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<qint64>(number);
    return bytes;
}

std::optional<std::int64_t> DecodeNumber(const QByteArray& bytes)
{
    QDataStream in(bytes);
    qint64 number = 0;
    in >> number;
    return in.status() == QDataStream::Ok ? std::optional<std::int64_t>(number) : std::nullopt;
}

WireSocket::~WireSocket()
{
    close(m_fd);
}

std::unique_ptr<WireSocket> WireSocket::Connect(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    const int fd = bus::ConnectTo(QFile::encodeName(path));
    return fd < 0 ? nullptr : std::make_unique<WireSocket>(fd);
}

bool WireSocket::Send(WireKind kind, const QByteArray& payload, int timeoutMs)
{
    return bus::WriteAll(m_fd, EncodeWireFrame(kind, payload), timeoutMs);
}

std::optional<WireFrame> WireSocket::Receive(int timeoutMs)
{
    if (!bus::ReadUntil(m_fd, m_pending, kMaxWireFrame + 64, timeoutMs, HasWholeWireFrame))
        return std::nullopt;
    return TakeWireFrame(m_pending);
}

std::optional<QByteArray> WireSocket::Ask(WireKind kind, const QByteArray& payload, WireKind answer, int timeoutMs)
{
    if (!Send(kind, payload, timeoutMs))
        return std::nullopt;
    const auto frame = Receive(timeoutMs);
    if (!frame || frame->kind != answer)
        return std::nullopt;
    return frame->payload;
}

void WireSocket::Shutdown()
{
    shutdown(m_fd, SHUT_RDWR);
}

}  // namespace q31::sim
