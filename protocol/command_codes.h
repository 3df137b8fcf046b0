#pragma once
// The command codes of the command report (byte 3).
#include <cstdint>

namespace q31 {

enum CommandCode : std::uint8_t {
    kCmdBeginConfig = 0x01,
    kCmdEndConfig = 0x02,
    kCmdReadDeviceInfo = 0x03,
    kCmdReadParams = 0x05,
    kCmdWriteParams = 0x06,
    kCmdReadKeyMap = 0x07,
    kCmdWriteKeyMap = 0x09,
    kCmdWritePage = 0x0B,
    kCmdStreamLights = 0x12,
    kCmdWriteMacros = 0x15,
    kCmdWriteShootData = 0x17,
    kCmdReadStatus = 0x1A,
    kCmdReadKeyLightMap = 0x1B,
    kCmdTakeLightControl = 0x1C,
    kCmdQueryReceiverLink = 0xAA,
};

}  // namespace q31
