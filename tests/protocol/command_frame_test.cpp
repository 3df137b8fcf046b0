// The request frame, its checksum, the block transfer plan and the hex lines,
// without any device.
#include <gtest/gtest.h>

#include <vector>

#include "protocol/block_transfer.h"
#include "protocol/command_frame.h"
#include "protocol/report_dump.h"
#include "protocol/result_codes.h"

namespace q31 {
namespace {

TEST(CommandFrameTest, ChecksumCoversBytesThreeToSixtyThreeLowByteFirst)
{
    Report begin = StartRequest(0x01);
    SealRequest(begin);
    Report expected{};
    expected[0] = 0x04;
    expected[1] = 0x01;
    expected[3] = 0x01;
    EXPECT_EQ(begin, expected);

    Report macros = StartRequest(0x15);
    SetRequestHeader(macros, 24, 0);
    std::fill_n(macros.begin() + kDataByte, 24, 0xFF);
    SealRequest(macros);
    EXPECT_EQ(RequestChecksum(macros), 6165);
    EXPECT_EQ(macros[1], 0x15);
    EXPECT_EQ(macros[2], 0x18);

    // The largest possible sum still fits 16 bits; bytes 0 to 2 never count.
    Report full;
    full.fill(0xFF);
    EXPECT_EQ(RequestChecksum(full), 61 * 255);
}

TEST(CommandFrameTest, AddressIsStoredLowByteFirst)
{
    Report request = StartRequest(0x06);
    SetRequestHeader(request, 28, 0x0219);
    EXPECT_EQ(request[4], 28);
    EXPECT_EQ(request[5], 0x19);
    EXPECT_EQ(request[6], 0x02);
    EXPECT_EQ(request[7], 0);
}

TEST(CommandFrameTest, ReplyStatusFFAndFEAreErrorsAndAnythingElseSucceeds)
{
    Report reply{};
    for (int status : {0x00, 0x01, 0x02, 0xFD}) {
        reply[kStatusByte] = static_cast<std::uint8_t>(status);
        EXPECT_EQ(ResultFromStatus(reply), kResultSuccess) << status;
    }
    reply[kStatusByte] = 0xFF;
    EXPECT_EQ(ResultFromStatus(reply), kResultStatusFF);
    reply[kStatusByte] = 0xFE;
    EXPECT_EQ(ResultFromStatus(reply), kResultStatusFE);
}

TEST(CommandFrameTest, HexLinesGroupFourBytesWithWiderGapsBetweenTheFirstGroups)
{
    Report report{};
    for (std::size_t i = 0; i < report.size(); ++i)
        report[i] = static_cast<std::uint8_t>(i);
    const QStringList lines = ReportHexLines(report.data());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("00 01 02 03   04 05 06 07   08 09 0a 0b   0c 0d 0e 0f  "
                                       "10 11 12 13  14 15 16 17  18 19 1a 1b  1c 1d 1e 1f"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("20 21 22 23   24 25")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("3c 3d 3e 3f")));
}


TEST(BlockTransferTest, AShortLastChunkKeepsTheTailOfTheReportBeforeIt)
{
    const std::vector<std::uint8_t> data = [] {
        std::vector<std::uint8_t> bytes(30);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(0x40 + i);
        return bytes;
    }();
    std::vector<Report> sent;
    const int result = TransferBlock({0x06, 0x100, data.size(), 24}, data.data(), nullptr,
                                     [&](Report& request, Report&) {
                                         sent.push_back(request);
                                         return kResultSuccess;
                                     });
    EXPECT_EQ(result, kResultSuccess);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][4], 24);
    EXPECT_EQ(sent[1][4], 6);
    EXPECT_EQ(sent[1][5], 0x18);
    EXPECT_EQ(sent[1][6], 0x01);
    EXPECT_TRUE(std::equal(data.begin() + 24, data.end(), sent[1].begin() + kDataByte));
    // Bytes 6 to 23 of the second report's data are still those of the first report.
    EXPECT_TRUE(std::equal(sent[0].begin() + kDataByte + 6, sent[0].begin() + kDataByte + 24,
                           sent[1].begin() + kDataByte + 6));
    EXPECT_TRUE(std::all_of(sent[1].begin() + kDataByte + 24, sent[1].end(), [](auto b) { return b == 0; }));
}

TEST(BlockTransferTest, StopsAtTheFirstFailingReportAndCopiesOnlyWhatSucceeded)
{
    std::vector<std::uint8_t> out(60, 0xEE);
    int reports = 0;
    const int result = TransferBlock({0x05, 0, out.size(), 24}, nullptr, out.data(), [&](Report&, Report& reply) {
        reply.fill(0x11);
        return ++reports == 2 ? kResultStatusFE : kResultSuccess;
    });
    EXPECT_EQ(result, kResultStatusFE);
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(out[23], 0x11);
    EXPECT_EQ(out[24], 0xEE);
}

TEST(BlockTransferTest, RefusesBlocksWhoseAddressesWouldWrapWithoutSendingAnything)
{
    std::vector<std::uint8_t> data(16);
    int reports = 0;
    const auto count = [&](Report&, Report&) { ++reports; return kResultSuccess; };
    EXPECT_EQ(TransferBlock({0x06, 0xFFF8, data.size(), 24}, data.data(), nullptr, count), kResultWriteFailed);
    EXPECT_EQ(TransferBlock({0x06, 0, data.size(), 57}, data.data(), nullptr, count), kResultWriteFailed);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(TransferBlock({0x06, 0xFFF0, data.size(), 24}, data.data(), nullptr, count), kResultSuccess);
    EXPECT_EQ(TransferBlock({0x06, 0, 0, 24}, nullptr, nullptr, count), kResultSuccess);
    EXPECT_EQ(reports, 1);
}

}  // namespace
}  // namespace q31
