#include "platform/bus_frame.h"

#include "platform/registered_message.h"

#include <cstring>

namespace q31::bus {
namespace {

constexpr std::uint32_t kMagic = 0x4D313351;  // "Q31M"
constexpr std::uint8_t kVersion = 1;

// Header layout (little-endian, as every Linux target is): magic u32,
// version u8, kind u8, name length u16, message u32, wParam u64, lParam i64,
// dwData u64, payload length u32.
template <typename T>
void Put(QByteArray& out, T value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
T Take(const char*& cursor)
{
    T value;
    std::memcpy(&value, cursor, sizeof value);
    cursor += sizeof value;
    return value;
}

DecodeResult Malformed(const QString& why)
{
    DecodeResult result;
    result.status = DecodeStatus::Malformed;
    result.error = why;
    return result;
}

}  // namespace

QByteArray EncodeFrame(const BusFrame& frame)
{
    const QByteArray name = frame.name.toUtf8();
    QByteArray out;
    out.reserve(static_cast<qsizetype>(kFrameHeaderBytes) + name.size() + frame.payload.size());
    Put<std::uint32_t>(out, kMagic);
    Put<std::uint8_t>(out, kVersion);
    Put<std::uint8_t>(out, static_cast<std::uint8_t>(frame.kind));
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(name.size()));
    Put<std::uint32_t>(out, frame.message);
    Put<std::uint64_t>(out, frame.wParam);
    Put<std::int64_t>(out, frame.lParam);
    Put<std::uint64_t>(out, frame.dwData);
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(frame.payload.size()));
    out.append(name);
    out.append(frame.payload);
    return out;
}

DecodeResult DecodeFrame(const QByteArray& buffer)
{
    if (static_cast<std::size_t>(buffer.size()) < kFrameHeaderBytes)
        return {};
    const char* cursor = buffer.constData();
    if (Take<std::uint32_t>(cursor) != kMagic)
        return Malformed(QStringLiteral("not a bus frame"));
    if (Take<std::uint8_t>(cursor) != kVersion)
        return Malformed(QStringLiteral("unknown frame version"));
    const auto kind = static_cast<FrameKind>(Take<std::uint8_t>(cursor));
    if (kind < FrameKind::Send || kind > FrameKind::Reply)
        return Malformed(QStringLiteral("unknown frame kind"));
    const std::size_t nameBytes = Take<std::uint16_t>(cursor);
    DecodeResult result;
    BusFrame& frame = result.frame;
    frame.kind = kind;
    frame.message = Take<std::uint32_t>(cursor);
    frame.wParam = static_cast<WPARAM>(Take<std::uint64_t>(cursor));
    frame.lParam = static_cast<LPARAM>(Take<std::int64_t>(cursor));
    frame.dwData = Take<std::uint64_t>(cursor);
    const std::size_t payloadBytes = Take<std::uint32_t>(cursor);
    if (nameBytes > kMaxNameBytes)
        return Malformed(QStringLiteral("message name of %1 bytes").arg(nameBytes));
    if (payloadBytes > kMaxPayload)
        return Malformed(QStringLiteral("payload of %1 bytes is over the limit").arg(payloadBytes));
    const std::size_t total = kFrameHeaderBytes + nameBytes + payloadBytes;
    if (static_cast<std::size_t>(buffer.size()) < total)
        return {};
    frame.name = QString::fromUtf8(cursor, static_cast<qsizetype>(nameBytes));
    cursor += nameBytes;
    frame.payload = QByteArray(cursor, static_cast<qsizetype>(payloadBytes));
    if (!frame.name.isEmpty())
        frame.message = MessageNumberForName(frame.name.toStdString());
    result.status = DecodeStatus::Complete;
    result.consumed = total;
    return result;
}

}  // namespace q31::bus
