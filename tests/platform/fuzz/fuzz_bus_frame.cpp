// Fuzz target: bytes on the main window's socket, read frame by frame as the
// endpoint reads them, until a frame is malformed or the bytes run out.
#include "platform/bus_frame.h"
#include "platform/registered_message.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray buffer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (;;) {
        const q31::bus::DecodeResult decoded = q31::bus::DecodeFrame(buffer);
        if (decoded.status != q31::bus::DecodeStatus::Complete)
            break;
        if (decoded.consumed == 0 || decoded.consumed > static_cast<std::size_t>(buffer.size()) ||
            static_cast<std::size_t>(decoded.frame.payload.size()) > q31::bus::kMaxPayload)
            __builtin_trap();  // a frame must take what it claims, and no more than is there
        // A named message has the number of its name and was not registered by arriving.
        const q31::bus::BusFrame& frame = decoded.frame;
        if (!frame.name.isEmpty() &&
            (frame.message != MessageNumberForName(frame.name.toStdString()) ||
             frame.message < kFirstRegisteredMessage || RegisteredMessageName(frame.message)))
            __builtin_trap();
        buffer.remove(0, static_cast<qsizetype>(decoded.consumed));
    }
    return 0;
}
