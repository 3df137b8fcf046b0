#include "sim/sim_device.h"

#include <algorithm>
#include <array>

namespace q31::sim {
namespace {

enum class Access { Control, Read, Write };

struct CommandRule {
    std::uint8_t code;
    Access access;
    Region region;
};

constexpr std::uint8_t kBeginConfig = 0x01;
constexpr std::uint8_t kEndConfig = 0x02;
constexpr std::uint8_t kStreamLights = 0x12;
constexpr std::uint8_t kTakeLightControl = 0x1C;
constexpr std::uint8_t kQueryReceiverLink = 0xAA;
constexpr std::size_t kActiveProfileAddress = 0;

constexpr std::array<CommandRule, 15> kCommands = {{
    {kBeginConfig, Access::Control, Region::DeviceInfo},
    {kEndConfig, Access::Control, Region::DeviceInfo},
    {0x03, Access::Read, Region::DeviceInfo},
    {0x05, Access::Read, Region::Parameters},
    {0x06, Access::Write, Region::Parameters},
    {0x07, Access::Read, Region::KeyMap},
    {0x09, Access::Write, Region::KeyMap},
    {0x0B, Access::Write, Region::ColourPages},
    {kStreamLights, Access::Write, Region::LightFrame},
    {0x15, Access::Write, Region::Macros},
    {0x17, Access::Write, Region::ShootData},
    {0x1A, Access::Read, Region::Status},
    {0x1B, Access::Read, Region::KeyLightMap},
    {kTakeLightControl, Access::Control, Region::DeviceInfo},
    {kQueryReceiverLink, Access::Control, Region::DeviceInfo},
}};

const CommandRule* FindCommand(std::uint8_t code)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandRule& rule) { return rule.code == code; });
    return found == kCommands.end() ? nullptr : &*found;
}

// Another command code than the request's, and never the receiver's 0xAA.
std::uint8_t WrongEcho(std::uint8_t command)
{
    return command == 0xEE ? 0xEF : 0xEE;
}

CommandReport GarbageFor(const CommandReport& request)
{
    CommandReport junk{};
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(i * 37 + 11);
    junk[0] = kCommandReportId;
    junk[kCommandOffset] = WrongEcho(request[kCommandOffset]);
    return junk;
}

}  // namespace

CommandReport ReplyFrame(const CommandReport& request, std::uint8_t status)
{
    CommandReport reply{};
    reply[0] = kCommandReportId;
    std::copy(request.begin() + kCommandOffset, request.begin() + kStatusOffset, reply.begin() + kCommandOffset);
    reply[kStatusOffset] = status;
    return reply;
}

SimDevice::SimDevice(SimModel model, const SimModel* receiver)
    : m_model(std::move(model)), m_memory(m_model.factoryMemory)
{
    if (receiver)
        m_receiverModel = *receiver;
}

const std::vector<std::uint8_t>& SimDevice::Memory(Region region) const
{
    return m_memory.at(region);
}

std::optional<SimFault> SimDevice::TakeFault(std::uint8_t command)
{
    for (auto fault = m_faults.begin(); fault != m_faults.end(); ++fault) {
        if (fault->command && *fault->command != command)
            continue;
        if (fault->kind == FaultKind::Unplug && fault->afterReports > 0) {
            --fault->afterReports;
            continue;
        }
        const SimFault fired = *fault;
        if (fault->times != SimFault::kAlways && --fault->times <= 0)
            m_faults.erase(fault);
        return fired;
    }
    return std::nullopt;
}

Exchange SimDevice::HandleCommand(const CommandReport& request, Route route)
{
    Exchange exchange;
    const std::uint8_t command = request[kCommandOffset];
    if (route == Route::Receiver && !m_reachable) {
        CommandReport relayed{};
        relayed[0] = kCommandReportId;
        relayed[kCommandOffset] = kUnreachableEcho;
        SealFrame(relayed);
        exchange.replies.push_back(relayed);
        return exchange;
    }

    const std::optional<SimFault> fault = TakeFault(command);
    auto is = [&](FaultKind kind) { return fault && fault->kind == kind; };
    if (is(FaultKind::NoReply) || is(FaultKind::Unplug)) {
        exchange.unplug = is(FaultKind::Unplug);
        return exchange;
    }
    CommandReport reply;
    if (is(FaultKind::StatusFF) || is(FaultKind::StatusFE))
        reply = ReplyFrame(request, is(FaultKind::StatusFF) ? 0xFF : 0xFE);
    else
        reply = Execute(request, route);
    if (is(FaultKind::WrongEcho))
        reply[kCommandOffset] = WrongEcho(command);
    SealFrame(reply);
    if (is(FaultKind::Garbage))
        exchange.replies.push_back(GarbageFor(request));
    if (is(FaultKind::DelayedReply))
        exchange.delayMs = fault->delayMs;
    exchange.replies.push_back(reply);
    return exchange;
}

CommandReport SimDevice::Execute(const CommandReport& request, Route route)
{
    if (!ChecksumMatches(request))
        return ReplyFrame(request, kStatusBadChecksum);
    const CommandRule* rule = FindCommand(request[kCommandOffset]);
    if (!rule)
        return ReplyFrame(request, kStatusRejected);

    CommandReport reply = ReplyFrame(request, kStatusOk);
    if (rule->access == Access::Control) {
        if (rule->code == kBeginConfig) {
            m_brackets.open = true;
            ++m_brackets.begun;
        } else if (rule->code == kEndConfig) {
            m_brackets.open = false;
            ++m_brackets.ended;
        } else if (rule->code == kTakeLightControl) {
            m_lightControlTaken = true;
        } else if (rule->code == kQueryReceiverLink) {
            reply[kDataOffset] = kLinkUp;
        }
        return reply;
    }

    std::vector<std::uint8_t>& memory = m_memory.at(rule->region);
    const std::size_t length = request[kLengthOffset];
    const std::size_t address = FrameAddress(request);
    if (length > kMaxChunk || address + length > memory.size())
        return ReplyFrame(request, kStatusRejected);
    if (rule->access == Access::Read) {
        if (rule->region == Region::Status)
            memory[kStatusLinkByte] = route == Route::Receiver ? 1 : 0;
        std::copy_n(memory.begin() + address, length, reply.begin() + kDataOffset);
    } else {
        if (!m_brackets.open && rule->code != kStreamLights)
            ++m_brackets.writesOutside;
        std::copy_n(request.begin() + kDataOffset, length, memory.begin() + address);
    }
    return reply;
}

void SimDevice::HandleLedReport(const std::uint8_t* report, std::size_t length)
{
    // Byte 2 names the channel and half: 0xAA-0xAC the first seven LEDs of
    // red, green, blue, 0xAD-0xAF the rest; bytes 4 on carry the values.
    constexpr std::size_t kValuesOffset = 4;
    constexpr std::size_t kFirstHalf = 7;
    std::vector<std::uint8_t>& leds = m_memory.at(Region::HeadsetLeds);
    if (length <= kValuesOffset || report[2] < 0xAA || report[2] > 0xAF)
        return;
    const std::size_t channel = (report[2] - 0xAA) % 3;
    const bool secondHalf = report[2] >= 0xAD;
    const std::size_t lightCount = leds.size() / 3;
    const std::size_t first = secondHalf ? kFirstHalf : 0;
    const std::size_t last = secondHalf ? lightCount : std::min(kFirstHalf, lightCount);
    for (std::size_t light = first; light < last && kValuesOffset + light - first < length; ++light)
        leds[light * 3 + channel] = report[kValuesOffset + light - first];
}

std::uint8_t SimDevice::SwitchProfile(std::uint8_t profile)
{
    std::vector<std::uint8_t>& parameters = m_memory.at(Region::Parameters);
    if (parameters.size() > kActiveProfileAddress)
        parameters[kActiveProfileAddress] = profile;
    return ActiveProfile();
}

std::uint8_t SimDevice::ActiveProfile() const
{
    const std::vector<std::uint8_t>& parameters = m_memory.at(Region::Parameters);
    return parameters.size() > kActiveProfileAddress ? parameters[kActiveProfileAddress] : 0;
}

bool SimDevice::SetDpiStage(std::uint8_t stage)
{
    if (!m_model.dpiStageField)
        return false;
    std::vector<std::uint8_t>& parameters = m_memory.at(Region::Parameters);
    const std::size_t address = ActiveProfile() * m_model.dpiStageField->profileStride + m_model.dpiStageField->offset;
    if (address >= parameters.size())
        return false;
    parameters[address] = stage;
    return true;
}

void SimDevice::SetBattery(std::uint8_t percent, std::optional<std::uint8_t> charging)
{
    std::vector<std::uint8_t>& status = m_memory.at(Region::Status);
    status[kStatusBatteryByte] = percent;
    if (charging)
        status[kStatusChargingByte] = *charging;
}

bool SimDevice::SetPhoneKind(std::uint8_t kind)
{
    if (m_model.deviceType != MousePad)
        return false;
    m_memory.at(Region::Status)[kStatusPhoneByte] = kind;
    return true;
}

}  // namespace q31::sim
