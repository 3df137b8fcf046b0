#include "sim/sim_control.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>

namespace q31::sim {
namespace {

// A fault in the command line; turned into the reply text.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

unsigned NumberArgument(const std::string& word, unsigned highest, const char* what)
{
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(word, &used, 0);
        if (used == word.size() && value <= highest)
            return static_cast<unsigned>(value);
    } catch (const std::logic_error&) {
    }
    throw UsageError(std::string(what) + " must be a number from 0 to " + std::to_string(highest));
}

class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& words) : m_words(words.begin() + 1, words.end()) {}

    // Removes the flag and tells whether it was there.
    bool Flag(const std::string& flag)
    {
        const auto found = std::find(m_words.begin(), m_words.end(), flag);
        if (found == m_words.end())
            return false;
        m_words.erase(found);
        return true;
    }
    // Removes the flag with its value.
    std::optional<std::string> Option(const std::string& flag)
    {
        const auto found = std::find(m_words.begin(), m_words.end(), flag);
        if (found == m_words.end())
            return std::nullopt;
        if (found + 1 == m_words.end())
            throw UsageError(flag + " needs a value");
        std::string value = *(found + 1);
        m_words.erase(found, found + 2);
        return value;
    }
    const std::string& At(std::size_t index, const char* what) const
    {
        if (index >= m_words.size())
            throw UsageError(std::string("missing ") + what);
        return m_words[index];
    }
    std::vector<std::string> From(std::size_t index) const
    {
        return index < m_words.size() ? std::vector<std::string>(m_words.begin() + index, m_words.end())
                                       : std::vector<std::string>{};
    }
    void ExpectCount(std::size_t count) const
    {
        if (m_words.size() > count)
            throw UsageError("unexpected \"" + m_words[count] + "\"");
    }

private:
    std::vector<std::string> m_words;
};

ControlResult Done(const Outcome& outcome, std::string text = "ok")
{
    return outcome.empty() ? ControlResult{true, std::move(text)} : ControlResult{false, outcome};
}

ControlResult Plug(SimHub& hub, Arguments args, bool plug)
{
    const Route route = args.Flag("--receiver") ? Route::Receiver : Route::Cable;
    const std::string& device = args.At(0, "device");
    args.ExpectCount(1);
    return Done(plug ? hub.Plug(device, route) : hub.Unplug(device, route));
}

ControlResult Reachable(SimHub& hub, Arguments args)
{
    const std::string& state = args.At(1, "on or off");
    if (state != "on" && state != "off")
        throw UsageError("reachable takes on or off");
    args.ExpectCount(2);
    return Done(hub.SetReachable(args.At(0, "device"), state == "on"));
}

ControlResult Battery(SimHub& hub, Arguments args)
{
    std::optional<std::uint8_t> charging;
    if (const auto state = args.Option("--charging"))
        charging = static_cast<std::uint8_t>(NumberArgument(*state, 2, "the charging state"));
    const auto percent = static_cast<std::uint8_t>(NumberArgument(args.At(1, "percent"), 100, "the battery"));
    args.ExpectCount(2);
    return Done(hub.SetBattery(args.At(0, "device"), percent, charging));
}

ControlResult Fault(SimHub& hub, const Arguments& args)
{
    const std::string& device = args.At(0, "device");
    const std::vector<std::string> words = args.From(1);
    if (words.size() == 1 && words[0] == "clear")
        return Done(hub.ClearFaults(device));
    std::string error;
    const auto fault = ParseFault(words, &error);
    if (!fault)
        throw UsageError(error);
    return Done(hub.AddFault(device, *fault));
}

ControlResult Dump(SimHub& hub, Arguments args)
{
    const std::string& device = args.At(0, "device");
    const auto region = RegionFromName(args.At(1, "region"));
    if (!region)
        throw UsageError("regions: info, params, keymap, keylights, colours, lights, macros, shoot, status, leds");
    args.ExpectCount(2);
    const auto bytes = hub.Dump(device, *region);
    if (!bytes)
        return {false, "no simulated device \"" + device + "\""};
    return {true, HexDump(*bytes)};
}

// The most recent entries only, so the reply stays well inside one socket frame.
ControlResult Log(SimHub& hub, Arguments args)
{
    constexpr unsigned kDefaultEntries = 100;
    constexpr unsigned kMostEntries = 2000;
    if (args.Flag("clear")) {
        hub.Log().Clear();
        return {true, "ok"};
    }
    args.ExpectCount(1);
    const std::vector<std::string> count = args.From(0);
    const unsigned wanted = count.empty() ? kDefaultEntries : NumberArgument(count[0], kMostEntries, "the entry count");
    const std::vector<TrafficEntry> entries = hub.Log().Entries();
    std::string text;
    for (std::size_t i = entries.size() - std::min<std::size_t>(wanted, entries.size()); i < entries.size(); ++i)
        text += FormatTrafficEntry(entries[i]) + "\n";
    return {true, text};
}

using Handler = std::function<ControlResult(SimHub&, const Arguments&)>;

const std::map<std::string, Handler>& Handlers()
{
    static const std::map<std::string, Handler> handlers = {
        {"plug", [](SimHub& hub, const Arguments& args) { return Plug(hub, args, true); }},
        {"unplug", [](SimHub& hub, const Arguments& args) { return Plug(hub, args, false); }},
        {"reachable", [](SimHub& hub, const Arguments& args) { return Reachable(hub, args); }},
        {"press", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(2);
             return Done(hub.PressKey(args.At(0, "device"),
                                      static_cast<std::uint8_t>(NumberArgument(args.At(1, "key position"), 255, "the key position"))));
         }},
        {"profile", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(2);
             return Done(hub.SwitchProfile(args.At(0, "device"),
                                           static_cast<std::uint8_t>(NumberArgument(args.At(1, "profile"), 15, "the profile"))));
         }},
        {"dpi", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(2);
             return Done(hub.ChangeDpiStage(args.At(0, "device"),
                                            static_cast<std::uint8_t>(NumberArgument(args.At(1, "stage"), 15, "the stage"))));
         }},
        {"notify", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(2);
             return Done(hub.Notify(args.At(0, "device"),
                                    static_cast<std::uint16_t>(NumberArgument(args.At(1, "code"), 0xFFFF, "the code"))));
         }},
        {"battery", [](SimHub& hub, const Arguments& args) { return Battery(hub, args); }},
        {"phone", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(2);
             return Done(hub.SetPhoneKind(args.At(0, "device"),
                                          static_cast<std::uint8_t>(NumberArgument(args.At(1, "kind"), 0xFF, "the phone kind"))));
         }},
        {"fault", [](SimHub& hub, const Arguments& args) { return Fault(hub, args); }},
        {"dump", [](SimHub& hub, const Arguments& args) { return Dump(hub, args); }},
        {"log", [](SimHub& hub, const Arguments& args) { return Log(hub, args); }},
        {"latency", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(1);
             hub.SetLatency(static_cast<int>(NumberArgument(args.At(0, "milliseconds"), 10000, "the latency")));
             return ControlResult{true, "ok"};
         }},
        {"list", [](SimHub& hub, const Arguments& args) {
             args.ExpectCount(0);
             return ControlResult{true, hub.Describe()};
         }},
    };
    return handlers;
}

}  // namespace

ControlResult RunControlCommand(SimHub& hub, const std::vector<std::string>& words)
{
    if (words.empty())
        return {false, ControlUsage()};
    const auto handler = Handlers().find(words[0]);
    if (handler == Handlers().end())
        return {false, "unknown command \"" + words[0] + "\"\n" + ControlUsage()};
    try {
        return handler->second(hub, Arguments(words));
    } catch (const UsageError& error) {
        return {false, words[0] + ": " + error.what()};
    }
}

std::string ControlUsage()
{
    return "commands:\n"
           "  plug KIND [--receiver]            unplug KIND [--receiver]\n"
           "  reachable KIND on|off             press KIND KEYPOS\n"
           "  profile KIND N                    dpi KIND STAGE\n"
           "  notify KIND CODE                  battery KIND PERCENT [--charging 0|1|2]\n"
           "  fault KIND WHAT [ARG] [once|always|times N] [command CODE]\n"
           "        WHAT: noreply, echo, status-ff, status-fe, delay MS, garbage, unplug [AFTER]; or clear\n"
           "  phone KIND N                      (the mouse pad's charger: 0 none, 1, 2, 3 the phone kinds)\n"
           "  dump KIND REGION                  log [COUNT | clear]\n"
           "  latency MS                        list\n"
           "KIND: keyboard, mouse, mousepad, headset\n";
}

std::string HexDump(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    for (std::size_t line = 0; line < bytes.size(); line += 16) {
        char address[24];
        std::snprintf(address, sizeof address, "%04zx:", line);
        text += address;
        text.append(" ").append(HexBytes(bytes.data() + line, std::min<std::size_t>(16, bytes.size() - line))).append("\n");
    }
    return text;
}

}  // namespace q31::sim
