#pragma once
// The command path to one physical device: its cable interface and its
// receiver interface, the choice between them, and the locks that keep the
// request/reply exchanges of concurrent callers apart. Every command of the
// device protocol is an operation of this class.
//
// Lock order, where two are held: stream lock, then command lock, then I/O lock.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "hid/hid_device.h"
#include "protocol/command_frame.h"

class CDeviceLink {
public:
    static constexpr std::uint16_t kMaxBlockLength = 512;
    static constexpr std::size_t kDeviceInfoLength = 34;
    static constexpr DWORD kCableTimeoutMs = 1000;
    static constexpr DWORD kReceiverTimeoutMs = 5000;
    enum Mode { kModeCable = 1, kModeReceiver = 2 };

    CDeviceLink();
    ~CDeviceLink();
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // One request and its reply on the interface in use: the reply is the one
    // that echoes the request's command (at most two reads, the second also
    // after a timeout), or the receiver's word that the device is unreachable.
    // Reports left waiting from earlier exchanges are dropped before the
    // request goes out. Requests are cut or zero-padded to 64 bytes.
    int Transceive(const std::uint8_t* request, std::size_t requestLength, std::uint8_t* reply,
                   std::size_t replyLength, DWORD* bytesRead);
    // The same on the cable interface with one read, no echo test and no debug lines
    // (waiting reports are dropped all the same).
    int TransceiveQuick(const std::uint8_t* request, std::size_t requestLength, std::uint8_t* reply,
                        std::size_t replyLength, DWORD* bytesRead);
    // kModeCable (or any other value) or kModeReceiver; sets the chunk size with it.
    void SetMode(int mode);
    // 1, or 0 (length unchanged) above kMaxBlockLength.
    int SetBlockLength(std::uint16_t length);
    bool IsOpen() const { return m_open; }

    // The commands; each returns a result code of protocol/result_codes.h.
    int BeginConfig();
    int EndConfig();
    // The record is written only when every report succeeded.
    int ReadDeviceInfo(std::array<std::uint8_t, kDeviceInfoLength>& record);
    int ReadParams(std::uint8_t* buffer, std::size_t length, std::uint16_t base);
    int WriteParams(const std::uint8_t* data, std::size_t length, std::uint16_t base);
    // BlockLength() bytes.
    int ReadKeyMap(std::uint8_t* buffer);
    int WriteKeyMap(const std::uint8_t* data, int bank);
    int WritePage(const std::uint8_t* data, std::size_t length, int page, int pageSize);
    // Gives way: chunks are skipped (and count as sent) while another command
    // is in progress, and nothing is sent through the receiver.
    int StreamLights(const std::uint8_t* data, std::size_t length);
    int WriteMacros(const std::uint8_t* data, std::size_t length);
    int WriteShootData(const std::uint8_t* data, std::size_t length);
    // At most kMaxReportData bytes, in one report.
    int ReadStatus(std::uint8_t* buffer, std::size_t length, std::uint16_t address);
    // BlockLength() / 3 bytes.
    int ReadKeyLightMap(std::uint8_t* buffer);
    int TakeLightControl();
    // True on a cable link without asking; through the receiver, whether the
    // device behind it answers.
    bool QueryReceiverLink();
    // One exchange of any command with up to kMaxReportData data bytes, for tools.
    int CommandExchange(std::uint8_t command, std::uint16_t address, const std::uint8_t* data,
                        std::size_t length, q31::Report& reply);

    // What discovery and the device classes drive and read.
    void SetOpen(bool open) { m_open = open; }
    bool IsBusy() const { return m_busy > 0; }
    bool IsReceiverMode() const { return m_receiverMode; }
    std::uint8_t ChunkSize() const { return m_chunkSize; }
    std::uint16_t BlockLength() const { return m_blockLength; }
    bool EffectPause() const { return m_effectPause; }
    void SetEffectPause(bool pause) { m_effectPause = pause; }
    CHidDevice& CableInterface() { return m_cable; }
    CHidDevice& ReceiverInterface() { return m_receiver; }
    std::recursive_mutex& IoLock() { return m_ioLock; }
    std::recursive_mutex& ReceiverLock() { return m_receiverLock; }
    std::recursive_mutex& CommandLock() { return m_commandLock; }
    std::recursive_mutex& StreamLock() { return m_streamLock; }

private:
    enum class ExchangeLock { Command, Stream };
    // Seals the request, runs it under its locks and tests the reply's status.
    int Exchange(q31::Report& request, q31::Report& reply, ExchangeLock lock);
    int TransferWithLock(std::uint8_t command, std::uint32_t base, std::size_t total, std::size_t chunk,
                         const std::uint8_t* source, std::uint8_t* destination, ExchangeLock lock);
    int ReadBlock(std::uint8_t command, std::uint8_t* destination, std::size_t total, std::uint32_t base);
    int WriteBlock(std::uint8_t command, const std::uint8_t* source, std::size_t total, std::uint32_t base);
    int CommandWithoutData(std::uint8_t command, q31::Report& reply);
    int StreamReport(q31::Report& request, q31::Report& reply);

    std::atomic<std::uint16_t> m_blockLength{kMaxBlockLength};
    // Transceive calls in progress (a count, so overlapping calls cannot clear it early).
    std::atomic<int> m_busy{0};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_effectPause{false};
    CHidDevice m_cable;
    CHidDevice m_receiver;
    std::recursive_mutex m_ioLock;
    std::recursive_mutex m_receiverLock;
    std::recursive_mutex m_commandLock;
    std::recursive_mutex m_streamLock;
    std::atomic<bool> m_receiverMode{false};
    std::atomic<std::uint8_t> m_chunkSize{24};
};
