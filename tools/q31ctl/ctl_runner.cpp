#include "tools/q31ctl/ctl_runner.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include "hid/hid_device.h"
#include "protocol/command_codes.h"
#include "protocol/device_link.h"
#include "protocol/notification_code.h"
#include "protocol/result_codes.h"
#include "tools/q31ctl/catalogue_interfaces.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/keyboard_commands.h"
#include "tools/q31ctl/mouse_commands.h"
#include "tools/q31ctl/pad_commands.h"
#include "tools/q31ctl/power_command.h"
#include "tools/q31ctl/trace_backend.h"

namespace q31::ctl {
namespace {

constexpr DWORD kListenSliceMs = 200;
constexpr std::uint8_t kLinkUp = 0xFF;  // the query's data byte when the device answers
constexpr std::size_t kBytesPerLine = 16;

std::string Hex(const std::uint8_t* bytes, std::size_t length)
{
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        text += digits;
        text += (i + 1) % kBytesPerLine == 0 || i + 1 == length ? '\n' : ' ';
    }
    return text;
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

int Finish(Console console, int result)
{
    const Outcome outcome = OutcomeOfResult(result);
    return outcome.exitStatus == kExitSuccess ? kExitSuccess : Fail(console, outcome.exitStatus, outcome.message);
}

std::string DeviceLabel(std::optional<std::uint16_t> deviceType)
{
    return deviceType ? DeviceTypeName(*deviceType) : "supported device";
}

// One line for every way of finding nothing to talk to.
int NoInterface(Console console, const Options& options, std::uint16_t channel)
{
    const bool command = channel == kChannelCommand;
    if (!options.path.empty()) {
        const std::string type = options.deviceType ? DeviceTypeName(*options.deviceType) + " " : "";
        return Fail(console, kExitNoDevice,
                    "no " + type + (command ? "command" : "notification") + " interface at " + options.path);
    }
    return Fail(console, kExitNoDevice,
                "no " + DeviceLabel(options.deviceType) + (command ? "" : " notification interface") + " found");
}

std::optional<CatalogueInterface> ChooseFor(const Options& options, std::uint16_t channel)
{
    return ChooseInterface(FindCatalogueInterfaces(), options.deviceType, options.path, channel);
}

int ListInterfaces(const Options& options, Console console)
{
    std::vector<CatalogueInterface> interfaces = FindCatalogueInterfaces();
    std::stable_sort(interfaces.begin(), interfaces.end(),
                     [](const CatalogueInterface& a, const CatalogueInterface& b) { return a.row < b.row; });
    int listed = 0;
    for (const CatalogueInterface& found : interfaces) {
        const HidInterfaceEntry& entry = found.Entry();
        if ((options.deviceType && entry.type != *options.deviceType) ||
            (!options.path.empty() && found.path != options.path))
            continue;
        console.out << "row " << found.row << "  " << DeviceTypeName(entry.type) << " (type " << entry.type << ")"
                    << "  channel " << (entry.channel == kChannelCommand ? "command" : "notification")
                    << "  interface " << entry.interfaceNumber << "  collection " << entry.collection;
        if (found.readable)
            console.out << "  usage page " << Hex4(found.usagePage) << "  usage " << Hex4(found.usage);
        else
            console.out << "  (cannot be opened)";
        console.out << "  " << found.path << '\n';
        ++listed;
    }
    if (listed == 0)
        return Fail(console, kExitNoDevice,
                    "no " + DeviceLabel(options.deviceType) + " found" +
                        (options.path.empty() ? "" : " at " + options.path));
    return kExitSuccess;
}

int OpenFailure(Console console, OpenOutcome outcome, const std::string& path)
{
    if (outcome == OpenOutcome::PermissionDenied)
        return Fail(console, kExitPermissionDenied, "permission denied on " + path + "; " + PermissionHint());
    return Fail(console, kExitFailure, "cannot open " + path);
}

// Until stop is set, --count codes came or --timeout passed; falling short
// of the count in time is a failure.
int Listen(const Options& options, Console console, const std::atomic<bool>& stop)
{
    const auto chosen = ChooseFor(options, kChannelNotification);
    if (!chosen)
        return NoInterface(console, options, kChannelNotification);
    CHidDevice device;
    const OpenOutcome outcome = OpenNotificationInterface(device, *chosen);
    if (outcome != OpenOutcome::Opened)
        return OpenFailure(console, outcome, chosen->path);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
    int heard = 0;
    while (!stop && (options.count == 0 || heard < options.count)) {
        DWORD slice = kListenSliceMs;
        if (options.timeoutSeconds) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
            if (left <= 0)
                break;
            slice = static_cast<DWORD>(std::min<long long>(slice, left));
        }
        std::vector<std::uint8_t>& buffer = device.InputReportBuffer();
        DWORD read = 0;
        if (device.ReadReport(buffer.data(), static_cast<DWORD>(buffer.size()), &read, slice)) {
            if (const auto code = NotificationCode(device, buffer.data(), read)) {
                console.out << Hex4(*code) << std::endl;
                ++heard;
            }
        } else if (!hid::CurrentHidBackend().Exists(chosen->path)) {
            return Fail(console, kExitNoDevice, "the device went away");
        }
    }
    if (!stop && options.count && heard < options.count)
        return Fail(console, kExitNoReply,
                    std::to_string(heard) + " of " + std::to_string(options.count) + " notifications within " +
                        std::to_string(options.timeoutSeconds) + " s");
    return kExitSuccess;
}

// The key-map block is three bytes per key, as the device information says.
int SizeBlockFromDeviceInfo(CDeviceLink& link)
{
    std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength> info{};
    const int result = link.ReadDeviceInfo(info);
    if (result == kResultSuccess)
        link.SetBlockLength(static_cast<std::uint16_t>(3 * info[5]));
    return result;
}

int ReadAndPrint(Console console, std::vector<std::uint8_t>& buffer, int result)
{
    if (result == kResultSuccess)
        console.out << Hex(buffer.data(), buffer.size());
    return Finish(console, result);
}

// Asked here rather than through QueryReceiverLink, which folds a receiver
// that did not answer in time and one that cannot reach the device into one false.
int QueryLink(CDeviceLink& link, Console console)
{
    if (!link.IsReceiverMode()) {
        console.out << "cable link: nothing to ask\n";
        return kExitSuccess;
    }
    Report reply{};
    const int result = link.CommandExchange(kCmdQueryReceiverLink, 0, nullptr, 0, reply);
    if (result != kResultSuccess)
        return Finish(console, result);
    if (reply[kDataByte] != kLinkUp)
        return Finish(console, kResultUnreachable);
    console.out << "the device answers through its receiver\n";
    return kExitSuccess;
}

int RunLinkCommand(const Options& options, CDeviceLink& link, Console console)
{
    std::vector<std::uint8_t> buffer;
    const std::uint8_t* data = options.data.data();
    const std::size_t size = options.data.size();
    switch (options.command) {
    case Command::Info: {
        std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength> info{};
        const int result = link.ReadDeviceInfo(info);
        buffer.assign(info.begin(), info.end());
        return ReadAndPrint(console, buffer, result);
    }
    case Command::Status: {
        buffer.resize(6);
        const int result = link.ReadStatus(buffer.data(), buffer.size(), 0);
        if (result == kResultSuccess)
            console.out << "battery " << int{buffer[0]} << "%  charging " << int{buffer[1]} << "  link "
                        << (buffer[3] ? "receiver" : "cable") << "  phone " << int{buffer[5]} << '\n';
        return ReadAndPrint(console, buffer, result);
    }
    case Command::Begin:
        return Finish(console, link.BeginConfig());
    case Command::End:
        return Finish(console, link.EndConfig());
    case Command::TakeLight:
        return Finish(console, link.TakeLightControl());
    case Command::ReadParams:
        buffer.resize(options.length);
        return ReadAndPrint(console, buffer, link.ReadParams(buffer.data(), buffer.size(), options.address));
    case Command::WriteParams:
        return Finish(console, link.WriteParams(data, size, options.address));
    case Command::ReadKeyMap: {
        const int sized = SizeBlockFromDeviceInfo(link);
        if (sized != kResultSuccess)
            return Finish(console, sized);
        buffer.resize(link.BlockLength());
        return ReadAndPrint(console, buffer, link.ReadKeyMap(buffer.data()));
    }
    case Command::ReadKeyLights: {
        const int sized = SizeBlockFromDeviceInfo(link);
        if (sized != kResultSuccess)
            return Finish(console, sized);
        buffer.resize(link.BlockLength() / 3);
        return ReadAndPrint(console, buffer, link.ReadKeyLightMap(buffer.data()));
    }
    case Command::WriteKeyMap:
        link.SetBlockLength(static_cast<std::uint16_t>(size));
        return Finish(console, link.WriteKeyMap(data, options.bank));
    case Command::WritePage:
        return Finish(console, link.WritePage(data, size, options.page, options.pageSize));
    case Command::Stream:
        // The link drops frames meant for a receiver and calls that a success.
        if (link.IsReceiverMode())
            return Fail(console, kExitFailure, "light frames are not sent through a receiver; nothing was sent");
        return Finish(console, link.StreamLights(data, size));
    case Command::WriteMacros:
        return Finish(console, link.WriteMacros(data, size));
    case Command::WriteShoot:
        return Finish(console, link.WriteShootData(data, size));
    case Command::QueryLink:
        return QueryLink(link, console);
    case Command::Raw: {
        Report reply{};
        const int result = link.CommandExchange(options.code, options.address, data, options.length, reply);
        if (result == kResultSuccess || result == kResultStatusFF || result == kResultStatusFE)
            console.out << Hex(reply.data(), reply.size());
        return Finish(console, result);
    }
    case Command::ApplyProfile:
        if (options.deviceType == MousePad)
            return ApplyPadProfile(options, link, console);
        return IsMouseType(options.deviceType) ? ApplyMouseProfile(options, link, console)
                                               : ApplyKeyboardProfile(options, link, console);
    case Command::Layout:
        return IsMouseType(options.deviceType) ? PrintMouseLayout(link, console) : PrintKeyboardLayout(link, console);
    case Command::Power:
        return PrintPowerView(options, link, console);
    case Command::List:
    case Command::Listen:
    case Command::Autostart:
        break;
    }
    return kExitFailure;
}

}  // namespace

int Fail(Console console, int status, const std::string& message)
{
    console.err << "q31ctl: " << message << '\n';
    return status;
}

int RunCtl(const Options& options, std::shared_ptr<hid::IHidBackend> backend, Console console,
           const std::atomic<bool>& stop)
{
    if (options.trace)
        backend = MakeTraceBackend(std::move(backend), console.err);
    hid::SetHidBackend(std::move(backend));
    if (options.command == Command::List)
        return ListInterfaces(options, console);
    if (options.command == Command::Listen)
        return Listen(options, console, stop);

    const auto chosen = ChooseFor(options, kChannelCommand);
    if (!chosen)
        return NoInterface(console, options, kChannelCommand);
    CDeviceLink link;
    const OpenOutcome outcome = OpenCommandLink(link, *chosen);
    if (outcome != OpenOutcome::Opened)
        return OpenFailure(console, outcome, chosen->path);
    return RunLinkCommand(options, link, console);
}

}  // namespace q31::ctl
