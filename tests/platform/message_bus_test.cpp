#include "platform/bus_client.h"
#include "platform/bus_endpoint.h"
#include "platform/bus_frame.h"
#include "platform/bus_names.h"
#include "platform/bus_socket.h"
#include "platform/named_mutex.h"
#include "platform/registered_message.h"
#include "tests/common/bus_peer_process.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using q31::test::BusPeerProcess;
using namespace q31::bus;

namespace {

const UINT kQuit = RegisterWindowMessage("bus-peer-quit");

std::unique_ptr<BusPeerProcess> StartListener(const QString& className, const QString& title)
{
    auto peer = std::make_unique<BusPeerProcess>(QStringList{"listen", className, title});
    EXPECT_EQ(peer->NextLine(), "ready");
    return peer;
}

}  // namespace

TEST(RegisteredMessage, SameNumberInEveryProcessAndCaseInsensitive)
{
    BusPeerProcess other({"register", "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}"});
    const UINT here = RegisterWindowMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF16}");
    EXPECT_EQ(other.NextLine(), QString::number(here));
    EXPECT_GE(here, kFirstRegisteredMessage);
    EXPECT_EQ(RegisterWindowMessage("{4695579f-999a-41D4-9faf-effce93ebf16}"), here);
    EXPECT_NE(RegisterWindowMessage("Q-31"), here);
    EXPECT_EQ(RegisteredMessageName(here), "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}");
}

TEST(RegisteredMessage, NamesArrivingInFramesAreResolvedButNeverRegistered)
{
    // Anyone can send frames with ever new names: they must not pile up here.
    BusFrame frame;
    frame.name = QStringLiteral("a name nobody registered");
    const DecodeResult decoded = DecodeFrame(EncodeFrame(frame));
    ASSERT_EQ(decoded.status, DecodeStatus::Complete);
    EXPECT_EQ(decoded.frame.message, MessageNumberForName("A NAME nobody registered"));
    EXPECT_FALSE(RegisteredMessageName(decoded.frame.message));
}

TEST(MessageBus, SendReachesAnotherProcessAndReturnsItsResult)
{
    auto peer = StartListener("PeerClass", "Peer One");
    const UINT message = RegisterWindowMessage("bus-test-send");
    EXPECT_TRUE(FindWindow("PeerClass", "Peer One"));
    EXPECT_TRUE(FindWindow({}, "Peer One"));
    EXPECT_EQ(SendBusMessage("PeerClass", "Peer One", message, 7, 41), 42);
    EXPECT_EQ(peer->NextLine(), QStringLiteral("msg %1 7 41").arg(message));
    // A private message number travels as it is.
    EXPECT_EQ(SendBusMessage("PeerClass", {}, 0x0C11, 0, -5), -4);
    EXPECT_EQ(peer->NextLine(), "msg 3089 0 -5");
    EXPECT_FALSE(SendBusMessage("PeerClass", "Nobody", message, 0, 0).has_value());
    EXPECT_FALSE(FindWindow("NoSuchClass", {}));
}

TEST(MessageBus, BroadcastReachesEveryWindow)
{
    auto first = StartListener("BroadcastA", "A");
    auto second = StartListener("BroadcastB", "B");
    const UINT message = RegisterWindowMessage("bus-test-broadcast");
    EXPECT_GE(BroadcastBusMessage(message, 0, 1), 2);
    const QString expected = QStringLiteral("msg %1 0 1").arg(message);
    EXPECT_EQ(first->NextLine(), expected);
    EXPECT_EQ(second->NextLine(), expected);
    EXPECT_TRUE(PostBusMessage("BroadcastA", "A", kQuit, 0, 0));
    EXPECT_TRUE(first->Process().waitForFinished(5000));
}

TEST(MessageBus, CopyDataArrivesIntactAndOversizedIsRefused)
{
    auto peer = StartListener("CopyClass", "ZovuDora");
    QByteArray record(kMaxPayload, '\0');
    for (int i = 0; i < record.size(); ++i)
        record[i] = static_cast<char>(i * 7 + 3);
    EXPECT_EQ(SendCopyData({}, "ZovuDora", 99, 0x1234, record), record.size());
    const QString digest = QCryptographicHash::hash(record, QCryptographicHash::Sha256).toHex();
    EXPECT_EQ(peer->NextLine(), QStringLiteral("copy 4660 99 %1 %2").arg(record.size()).arg(digest));

    EXPECT_FALSE(SendCopyData({}, "ZovuDora", 99, 1, record + 'x').has_value());
    EXPECT_EQ(SendCopyData({}, "ZovuDora", 0, 0, QByteArray()), 0);
    EXPECT_TRUE(peer->NextLine().startsWith("copy 0 0 0 "));
}

TEST(MessageBus, MalformedTruncatedAndOversizedFramesAreDroppedNotFatal)
{
    auto peer = StartListener("Robust", "R");
    const QByteArray socketPath = QFile::encodeName(EndpointFileFor("Robust", "R").socketPath);
    BusFrame frame;
    frame.kind = FrameKind::Post;
    frame.message = 0x400;
    frame.payload = QByteArray(100, 'a');
    const QByteArray whole = EncodeFrame(frame);

    QByteArray oversized = EncodeFrame(BusFrame{});
    const std::uint32_t hugeLength = 1u << 30;
    std::memcpy(oversized.data() + kFrameHeaderBytes - 4, &hugeLength, 4);
    for (const QByteArray& bad : {whole.left(whole.size() - 10), QByteArray("garbage that is not a frame at all..."),
                                  oversized}) {
        const int fd = ConnectTo(socketPath);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(WriteAll(fd, bad, 1000));
        close(fd);
    }
    // Still alive and answering.
    EXPECT_EQ(SendBusMessage("Robust", "R", 0x401, 0, 1), 2);
    EXPECT_EQ(peer->NextLine(), "msg 1025 0 1");
}

TEST(MessageBus, StaleSocketOfACrashedProcessIsReplaced)
{
    {
        auto peer = StartListener("Crashy", "C");
        peer->Process().kill();  // no chance to clean up
        peer->Process().waitForFinished();
    }
    const EndpointFile file = EndpointFileFor("Crashy", "C");
    EXPECT_TRUE(QFileInfo::exists(file.socketPath));
    EXPECT_FALSE(FindWindow("Crashy", "C"));

    CBusEndpoint endpoint([](const BusDelivery& delivery) { return delivery.lParam * 2; });
    ASSERT_TRUE(endpoint.Open("Crashy", "C"));
    EXPECT_EQ(SendBusMessage("Crashy", "C", 0x500, 0, 21), 42);  // same thread: handled at once
    // A live owner's name cannot be taken.
    CBusEndpoint second([](const BusDelivery&) { return LRESULT(0); });
    EXPECT_FALSE(second.Open("Crashy", "C"));
    endpoint.Close();
    EXPECT_FALSE(QFileInfo::exists(file.socketPath));
}

TEST(MessageBus, PostToAWindowOfThisProcessArrivesThroughTheLoop)
{
    LRESULT seen = 0;
    CBusEndpoint endpoint([&](const BusDelivery& delivery) { return seen = delivery.lParam; });
    ASSERT_TRUE(endpoint.Open("Local", "L"));
    EXPECT_TRUE(PostBusMessage("Local", "L", 0x600, 0, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen == 5; }, 2000));
}

TEST(NamedMutex, SecondHolderSeesItExistsUntilTheFirstIsGone)
{
    auto first = std::make_unique<CNamedMutex>("bus-test-mutex");
    EXPECT_TRUE(first->IsOwned());
    EXPECT_FALSE(first->AlreadyExisted());
    CNamedMutex second("bus-test-mutex");
    EXPECT_TRUE(second.AlreadyExisted());
    EXPECT_FALSE(second.IsOwned());
    first.reset();
    CNamedMutex third("bus-test-mutex");
    EXPECT_TRUE(third.IsOwned());
}

TEST(MessageBus, AConnectionFromAnotherUserIsRefused)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    auto peer = StartListener("Guarded", "G");
    const EndpointFile file = EndpointFileFor("Guarded", "G");
    // Open the way through the file system, so only the peer's own check stands.
    QByteArrayList folders;  // the private folders from the temporary folder down
    for (QString folder = QFileInfo(file.socketPath).absolutePath(); folder != QDir::tempPath();
         folder = QFileInfo(folder).absolutePath())
        folders << QFile::encodeName(folder);
    for (const QByteArray& folder : folders)
        ASSERT_EQ(chmod(folder.constData(), 0711), 0);
    const QByteArray socketPath = QFile::encodeName(file.socketPath);
    ASSERT_EQ(chmod(socketPath.constData(), 0777), 0);
    BusFrame frame;
    frame.kind = FrameKind::Send;
    frame.message = 0x700;
    const QByteArray bytes = EncodeFrame(frame);
    const pid_t child = fork();
    if (child == 0) {
        if (setuid(65534) != 0)
            _exit(3);
        const int fd = ConnectTo(socketPath);
        if (fd < 0)
            _exit(4);
        WriteAll(fd, bytes, 1000);
        char reply[64];
        _exit(read(fd, reply, sizeof reply) > 0 ? 1 : 0);  // refused: closed without a reply
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0)
        QTest::qWait(5);
    for (const QByteArray& folder : folders)
        chmod(folder.constData(), 0700);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(SendBusMessage("Guarded", "G", 0x701, 0, 1), 2);
    EXPECT_EQ(peer->NextLine(), "msg 1793 0 1");  // the refused frame never arrived
}
