// The command set, each command an operation of the link.
#include <chrono>
#include <thread>

#include "platform/debug_log.h"
#include "protocol/block_transfer.h"
#include "protocol/command_codes.h"
#include "protocol/device_link.h"
#include "protocol/result_codes.h"

using q31::Report;

namespace {

// The device needs a moment after the last write of a bracket.
constexpr auto kEndConfigPause = std::chrono::milliseconds(10);
constexpr std::uint8_t kLinkUp = 0xFF;
constexpr std::uint32_t kKeyMapBankSize = 512;
// Shooting data always travels in full-size chunks, whatever the link.
constexpr std::size_t kShootDataChunk = q31::kMaxReportData;

}  // namespace

int CDeviceLink::TransferWithLock(std::uint8_t command, std::uint32_t base, std::size_t total, std::size_t chunk,
                                  const std::uint8_t* source, std::uint8_t* destination, ExchangeLock lock)
{
    const q31::BlockPlan plan{command, base, total, chunk};
    return q31::TransferBlock(plan, source, destination,
                              [&](Report& request, Report& reply) { return Exchange(request, reply, lock); });
}

int CDeviceLink::ReadBlock(std::uint8_t command, std::uint8_t* destination, std::size_t total, std::uint32_t base)
{
    return TransferWithLock(command, base, total, m_chunkSize, nullptr, destination, ExchangeLock::Command);
}

int CDeviceLink::WriteBlock(std::uint8_t command, const std::uint8_t* source, std::size_t total, std::uint32_t base)
{
    return TransferWithLock(command, base, total, m_chunkSize, source, nullptr, ExchangeLock::Command);
}

int CDeviceLink::CommandWithoutData(std::uint8_t command, Report& reply)
{
    Report request = q31::StartRequest(command);
    return Exchange(request, reply, ExchangeLock::Command);
}

int CDeviceLink::BeginConfig()
{
    Report reply{};
    return CommandWithoutData(q31::kCmdBeginConfig, reply);
}

int CDeviceLink::EndConfig()
{
    std::this_thread::sleep_for(kEndConfigPause);
    Report reply{};
    return CommandWithoutData(q31::kCmdEndConfig, reply);
}

int CDeviceLink::TakeLightControl()
{
    Report reply{};
    return CommandWithoutData(q31::kCmdTakeLightControl, reply);
}

int CDeviceLink::ReadDeviceInfo(std::array<std::uint8_t, kDeviceInfoLength>& record)
{
    std::array<std::uint8_t, kDeviceInfoLength> gathered{};
    const int result = ReadBlock(q31::kCmdReadDeviceInfo, gathered.data(), gathered.size(), 0);
    if (result == q31::kResultSuccess)
        record = gathered;
    return result;
}

int CDeviceLink::ReadParams(std::uint8_t* buffer, std::size_t length, std::uint16_t base)
{
    return ReadBlock(q31::kCmdReadParams, buffer, length, base);
}

int CDeviceLink::WriteParams(const std::uint8_t* data, std::size_t length, std::uint16_t base)
{
    return WriteBlock(q31::kCmdWriteParams, data, length, base);
}

int CDeviceLink::ReadKeyMap(std::uint8_t* buffer)
{
    return ReadBlock(q31::kCmdReadKeyMap, buffer, m_blockLength, 0);
}

int CDeviceLink::WriteKeyMap(const std::uint8_t* data, int bank)
{
    if (bank != 0)
        return q31::kResultBadBank;
    return WriteBlock(q31::kCmdWriteKeyMap, data, m_blockLength, static_cast<std::uint32_t>(bank) * kKeyMapBankSize);
}

int CDeviceLink::ReadKeyLightMap(std::uint8_t* buffer)
{
    return ReadBlock(q31::kCmdReadKeyLightMap, buffer, m_blockLength / 3, 0);
}

int CDeviceLink::WritePage(const std::uint8_t* data, std::size_t length, int page, int pageSize)
{
    if (page < 0 || pageSize < 0)
        return q31::kResultWriteFailed;
    const auto base = static_cast<std::uint64_t>(page) * static_cast<std::uint64_t>(pageSize);
    if (base > 0xFFFF)
        return q31::kResultWriteFailed;
    return TransferWithLock(q31::kCmdWritePage, static_cast<std::uint32_t>(base), length, m_chunkSize, data, nullptr,
                            ExchangeLock::Stream);
}

int CDeviceLink::WriteMacros(const std::uint8_t* data, std::size_t length)
{
    return WriteBlock(q31::kCmdWriteMacros, data, length, 0);
}

int CDeviceLink::WriteShootData(const std::uint8_t* data, std::size_t length)
{
    return TransferWithLock(q31::kCmdWriteShootData, 0, length, kShootDataChunk, data, nullptr,
                            ExchangeLock::Command);
}

int CDeviceLink::ReadStatus(std::uint8_t* buffer, std::size_t length, std::uint16_t address)
{
    if (length > q31::kMaxReportData)
        return q31::kResultWriteFailed;
    return TransferWithLock(q31::kCmdReadStatus, address, length, q31::kMaxReportData, nullptr, buffer,
                            ExchangeLock::Command);
}

bool CDeviceLink::QueryReceiverLink()
{
    if (!m_receiverMode)
        return true;
    Report reply{};
    return CommandWithoutData(q31::kCmdQueryReceiverLink, reply) == q31::kResultSuccess &&
           reply[q31::kDataByte] == kLinkUp;
}

int CDeviceLink::CommandExchange(std::uint8_t command, std::uint16_t address, const std::uint8_t* data,
                                 std::size_t length, Report& reply)
{
    if (length > q31::kMaxReportData || (length > 0 && !data))
        return q31::kResultWriteFailed;
    Report request = q31::StartRequest(command);
    q31::SetRequestHeader(request, static_cast<std::uint8_t>(length), address);
    std::copy_n(data, length, request.begin() + q31::kDataByte);
    return Exchange(request, reply, ExchangeLock::Command);
}

int CDeviceLink::StreamReport(Report& request, Report& reply)
{
    // A light frame is worth less than a command: drop the chunk rather than
    // let its reply be taken for another command's.
    if (m_receiverMode)
        return q31::kResultSuccess;
    std::unique_lock command(m_commandLock, std::try_to_lock);
    if (IsBusy() || !command.owns_lock()) {
        OutputDebugText(QStringLiteral("放弃灯光数据"));
        return q31::kResultSuccess;
    }
    q31::SealRequest(request);
    const int result = TransceiveQuick(request.data(), request.size(), reply.data(), reply.size(), nullptr);
    return result == q31::kResultSuccess ? q31::ResultFromStatus(reply) : result;
}

int CDeviceLink::StreamLights(const std::uint8_t* data, std::size_t length)
{
    std::lock_guard stream(m_streamLock);
    const q31::BlockPlan plan{q31::kCmdStreamLights, 0, length, m_chunkSize};
    return q31::TransferBlock(plan, data, nullptr,
                              [&](Report& request, Report& reply) { return StreamReport(request, reply); });
}
