#pragma once
// One message on the bus, as it crosses a socket. A registered message
// travels by its name, so the receiver resolves it without shared state.
#include "platform/win_types.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace q31::bus {

inline constexpr std::size_t kMaxPayload = 64 * 1024;
inline constexpr std::size_t kMaxNameBytes = 256;
inline constexpr std::size_t kFrameHeaderBytes = 40;

enum class FrameKind : std::uint8_t {
    Send = 1,      // the sender waits for a Reply
    Post = 2,      // no reply
    CopyData = 3,  // a WM_COPYDATA record; the sender waits for a Reply
    Reply = 4,     // lParam carries the result
};

struct BusFrame {
    FrameKind kind = FrameKind::Post;
    UINT message = 0;
    QString name;  // the registered name; empty for a private message
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::uint64_t dwData = 0;
    QByteArray payload;
};

QByteArray EncodeFrame(const BusFrame& frame);

enum class DecodeStatus { Complete, NeedMore, Malformed };
struct DecodeResult {
    DecodeStatus status = DecodeStatus::NeedMore;
    BusFrame frame;
    std::size_t consumed = 0;  // bytes of the buffer the frame took
    QString error;             // why a frame is malformed
};
// Decodes the first frame of the buffer.
DecodeResult DecodeFrame(const QByteArray& buffer);

}  // namespace q31::bus
