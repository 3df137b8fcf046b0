#include "sim/sim_faults.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace q31::sim {
namespace {

constexpr std::array<std::pair<FaultKind, const char*>, 7> kFaultNames = {{
    {FaultKind::NoReply, "noreply"},
    {FaultKind::WrongEcho, "echo"},
    {FaultKind::StatusFF, "status-ff"},
    {FaultKind::StatusFE, "status-fe"},
    {FaultKind::DelayedReply, "delay"},
    {FaultKind::Garbage, "garbage"},
    {FaultKind::Unplug, "unplug"},
}};

constexpr int kMostTimes = 1 << 20;

std::optional<int> Count(const std::string& word, int highest)
{
    try {
        std::size_t used = 0;
        const long value = std::stol(word, &used, 0);
        if (used == word.size() && value >= 0 && value <= highest)
            return static_cast<int>(value);
    } catch (const std::logic_error&) {
    }
    return std::nullopt;
}

}  // namespace

std::optional<SimFault> ParseFault(const std::vector<std::string>& words, std::string* error)
{
    auto fail = [&](const std::string& message) -> std::optional<SimFault> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (words.empty())
        return fail("which fault? noreply, echo, status-ff, status-fe, delay MS, garbage, unplug [N]");
    SimFault fault;
    bool known = false;
    for (const auto& [kind, name] : kFaultNames)
        if (words[0] == name) {
            fault.kind = kind;
            known = true;
        }
    if (!known)
        return fail("unknown fault \"" + words[0] + "\"");

    std::size_t next = 1;
    auto number = [&](int highest) -> std::optional<int> {
        return next < words.size() ? Count(words[next], highest) : std::nullopt;
    };
    if (fault.kind == FaultKind::DelayedReply) {
        const auto delay = number(600000);
        if (!delay)
            return fail("delay needs milliseconds");
        fault.delayMs = *delay;
        ++next;
    } else if (fault.kind == FaultKind::Unplug) {
        if (const auto after = number(1 << 20)) {
            fault.afterReports = *after;
            ++next;
        }
    }
    for (; next < words.size(); ++next) {
        const std::string& word = words[next];
        if (word == "once") {
            fault.times = 1;
        } else if (word == "always") {
            fault.times = SimFault::kAlways;
        } else if (word == "times") {
            ++next;
            // A fault that hits no request would only sit in the list.
            const auto value = number(kMostTimes);
            if (!value || *value == 0)
                return fail("times needs a number from 1 to " + std::to_string(kMostTimes));
            fault.times = *value;
        } else if (word == "command") {
            ++next;
            const auto value = number(0xFF);
            if (!value)
                return fail("command needs a number");
            fault.command = static_cast<std::uint8_t>(*value);
        } else {
            return fail("unexpected \"" + word + "\" after the fault");
        }
    }
    return fault;
}

std::string DescribeFault(const SimFault& fault)
{
    std::string text;
    for (const auto& [kind, name] : kFaultNames)
        if (kind == fault.kind)
            text = name;
    if (fault.kind == FaultKind::DelayedReply)
        text.append(" ").append(std::to_string(fault.delayMs));
    if (fault.kind == FaultKind::Unplug)
        text.append(" ").append(std::to_string(fault.afterReports));
    text += fault.times == SimFault::kAlways ? " always" : " times " + std::to_string(fault.times);
    if (fault.command)
        text += " command " + std::to_string(*fault.command);
    return text;
}

}  // namespace q31::sim
