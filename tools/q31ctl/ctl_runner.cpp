#include "tools/q31ctl/ctl_runner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "hid/hid_device.h"
#include "protocol/device_link.h"
#include "protocol/notification_code.h"
#include "protocol/result_codes.h"
#include "tools/q31ctl/catalogue_interfaces.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/trace_backend.h"

namespace q31::ctl {
namespace {

constexpr DWORD kListenSliceMs = 200;
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

int Fail(Console console, int status, const std::string& message)
{
    console.err << "q31ctl: " << message << '\n';
    return status;
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

int ListInterfaces(const Options& options, Console console)
{
    std::vector<CatalogueInterface> interfaces = FindCatalogueInterfaces();
    std::stable_sort(interfaces.begin(), interfaces.end(),
                     [](const CatalogueInterface& a, const CatalogueInterface& b) { return a.row < b.row; });
    int listed = 0;
    for (const CatalogueInterface& found : interfaces) {
        const HidInterfaceEntry& entry = found.Entry();
        if (options.deviceType && entry.type != *options.deviceType)
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
        console.err << "q31ctl: no " << DeviceLabel(options.deviceType) << " found\n";
    return kExitSuccess;
}

int OpenFailure(Console console, OpenOutcome outcome, const std::string& path)
{
    if (outcome == OpenOutcome::PermissionDenied)
        return Fail(console, kExitPermissionDenied, "permission denied on " + path + "; " + PermissionHint());
    return Fail(console, kExitFailure, "cannot open " + path);
}

int Listen(const Options& options, Console console, const std::atomic<bool>& stop)
{
    const auto chosen = ChooseInterface(FindCatalogueInterfaces(), options.deviceType, kChannelNotification);
    if (!chosen)
        return Fail(console, kExitNoDevice, "no " + DeviceLabel(options.deviceType) + " notification interface found");
    CHidDevice device;
    const OpenOutcome outcome = OpenNotificationInterface(device, *chosen);
    if (outcome != OpenOutcome::Opened)
        return OpenFailure(console, outcome, chosen->path);
    while (!stop) {
        std::vector<std::uint8_t>& buffer = device.InputReportBuffer();
        DWORD read = 0;
        if (device.ReadReport(buffer.data(), static_cast<DWORD>(buffer.size()), &read, kListenSliceMs)) {
            if (const auto code = NotificationCode(device, buffer.data(), read))
                console.out << Hex4(*code) << std::endl;
        } else if (!hid::CurrentHidBackend().Exists(chosen->path)) {
            return Fail(console, kExitNoDevice, "the device went away");
        }
    }
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
        if (link.IsReceiverMode())
            console.err << "q31ctl: light frames are not sent through the receiver; nothing was sent\n";
        return Finish(console, link.StreamLights(data, size));
    case Command::WriteMacros:
        return Finish(console, link.WriteMacros(data, size));
    case Command::WriteShoot:
        return Finish(console, link.WriteShootData(data, size));
    case Command::QueryLink:
        if (!link.IsReceiverMode()) {
            console.out << "cable link: nothing to ask\n";
            return kExitSuccess;
        }
        if (!link.QueryReceiverLink())
            return Finish(console, kResultUnreachable);
        console.out << "the device answers through its receiver\n";
        return kExitSuccess;
    case Command::Raw: {
        Report reply{};
        const int result = link.CommandExchange(options.code, options.address, data, options.length, reply);
        if (result == kResultSuccess || result == kResultStatusFF || result == kResultStatusFE)
            console.out << Hex(reply.data(), reply.size());
        return Finish(console, result);
    }
    case Command::List:
    case Command::Listen:
        break;
    }
    return kExitFailure;
}

}  // namespace

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

    const auto chosen = ChooseInterface(FindCatalogueInterfaces(), options.deviceType, kChannelCommand);
    if (!chosen)
        return Fail(console, kExitNoDevice, "no " + DeviceLabel(options.deviceType) + " found");
    CDeviceLink link;
    const OpenOutcome outcome = OpenCommandLink(link, *chosen);
    if (outcome != OpenOutcome::Opened)
        return OpenFailure(console, outcome, chosen->path);
    return RunLinkCommand(options, link, console);
}

}  // namespace q31::ctl
