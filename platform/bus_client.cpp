#include "platform/bus_client.h"

#include "platform/bus_endpoint.h"
#include "platform/bus_frame.h"
#include "platform/bus_names.h"
#include "platform/bus_socket.h"
#include "platform/debug_log.h"
#include "platform/registered_message.h"

#include <QFile>

#include <unistd.h>

namespace q31::bus {
namespace {

bool Matches(const EndpointFile& file, const QString& className, const QString& title)
{
    return (className.isEmpty() || file.className == className) && (title.isEmpty() || file.title == title);
}

// Every live window that matches, the exact name first.
std::vector<EndpointFile> Candidates(const QString& className, const QString& title)
{
    if (!className.isEmpty() && !title.isEmpty())
        return {EndpointFileFor(className, title)};
    std::vector<EndpointFile> found;
    for (EndpointFile& file : ListEndpoints())
        if (Matches(file, className, title))
            found.push_back(std::move(file));
    return found;
}

BusFrame MakeFrame(FrameKind kind, UINT message, WPARAM wParam, LPARAM lParam)
{
    BusFrame frame;
    frame.kind = kind;
    frame.message = message;
    frame.wParam = wParam;
    frame.lParam = lParam;
    if (message >= kFirstRegisteredMessage)
        frame.name = RegisteredMessageName(message).value_or(QString());
    return frame;
}

bool ReplyComplete(const QByteArray& buffer)
{
    return DecodeFrame(buffer).status != DecodeStatus::NeedMore;
}

// Delivers the frame to one window; the reply's result for Send and CopyData.
std::optional<LRESULT> Transfer(const EndpointFile& file, const BusFrame& frame, int timeoutMs)
{
    if (file.socketPath.isEmpty())
        return std::nullopt;
    const bool waitsForReply = frame.kind != FrameKind::Post;
    if (waitsForReply) {
        // A synchronous send to a window of this very thread is handled at once,
        // as it could never be read while this thread waits.
        if (CBusEndpoint* local = EndpointOnThisThread(file.socketPath))
            return local->Deliver({frame.kind == FrameKind::CopyData, frame.message, frame.wParam, frame.lParam,
                                   frame.dwData, frame.payload});
    }
    const int fd = ConnectTo(QFile::encodeName(file.socketPath));
    if (fd < 0)
        return std::nullopt;
    std::optional<LRESULT> result;
    if (!PeerIsThisUser(fd)) {
        OutputDebugText(QStringLiteral("%1 belongs to another user; not sending").arg(file.socketPath));
    } else if (WriteAll(fd, EncodeFrame(frame), timeoutMs)) {
        if (!waitsForReply) {
            result = 0;
        } else {
            QByteArray buffer;
            if (ReadUntil(fd, buffer, kFrameHeaderBytes + kMaxNameBytes, timeoutMs, ReplyComplete)) {
                const DecodeResult reply = DecodeFrame(buffer);
                if (reply.status == DecodeStatus::Complete && reply.frame.kind == FrameKind::Reply)
                    result = reply.frame.lParam;
            }
        }
    }
    close(fd);
    return result;
}

std::optional<LRESULT> TransferToFirst(const QString& className, const QString& title, const BusFrame& frame,
                                       int timeoutMs)
{
    for (const EndpointFile& file : Candidates(className, title))
        if (const auto result = Transfer(file, frame, timeoutMs))
            return result;
    return std::nullopt;
}

}  // namespace

bool FindWindow(const QString& className, const QString& title)
{
    for (const EndpointFile& file : Candidates(className, title)) {
        const int fd = ConnectTo(QFile::encodeName(file.socketPath));
        if (fd >= 0) {
            close(fd);
            return true;
        }
    }
    return false;
}

std::optional<LRESULT> SendBusMessage(const QString& className, const QString& title, UINT message,
                                      WPARAM wParam, LPARAM lParam, int timeoutMs)
{
    return TransferToFirst(className, title, MakeFrame(FrameKind::Send, message, wParam, lParam), timeoutMs);
}

bool PostBusMessage(const QString& className, const QString& title, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TransferToFirst(className, title, MakeFrame(FrameKind::Post, message, wParam, lParam),
                           kDefaultSendTimeoutMs)
        .has_value();
}

int BroadcastBusMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const BusFrame frame = MakeFrame(FrameKind::Post, message, wParam, lParam);
    int reached = 0;
    for (const EndpointFile& file : ListEndpoints())
        if (Transfer(file, frame, kDefaultSendTimeoutMs))
            ++reached;
    return reached;
}

std::optional<LRESULT> SendCopyData(const QString& className, const QString& title, WPARAM wParam,
                                    std::uint64_t dwData, const QByteArray& data, int timeoutMs)
{
    if (static_cast<std::size_t>(data.size()) > kMaxPayload) {
        OutputDebugText(QStringLiteral("COPYDATA record of %1 bytes is over the limit").arg(data.size()));
        return std::nullopt;
    }
    BusFrame frame = MakeFrame(FrameKind::CopyData, 0x004A /* WM_COPYDATA */, wParam, 0);
    frame.dwData = dwData;
    frame.payload = data;
    return TransferToFirst(className, title, frame, timeoutMs);
}

}  // namespace q31::bus
