#include "tools/q31ctl/update_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <chrono>
#include <thread>

#include "hid/hid_device.h"
#include "platform/stop_event.h"
#include "tools/q31ctl/catalogue_interfaces.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/hex_input.h"
#include "update/http_client.h"
#include "update/update_check_run.h"
#include "update/update_component.h"

namespace q31::ctl {
namespace {

constexpr std::uint32_t kMostCapacity = 16 * 1024 * 1024;
constexpr int kStopPollMs = 50;


bool IsValueOption(const std::string& argument)
{
    return argument == "--cap" || argument == "--ca-file" || argument == "--url";
}

// The first argument that is neither an option nor an option's value.
std::optional<std::string> CommandWord(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (IsValueOption(arguments[i]))
            ++i;
        else if (arguments[i].empty() || arguments[i][0] != '-')
            return arguments[i];
    }
    return std::nullopt;
}

UpdateCommandOptions Parse(const std::vector<std::string>& arguments, UpdateCommand command)
{
    UpdateCommandOptions options;
    options.command = command;
    const char* name = command == UpdateCommand::Http ? "http" : "update-check";
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& { return TakeOptionValue(arguments, i); };
        if (argument == "--ca-file") {
            options.caFile = QString::fromStdString(value());
            if (options.caFile.isEmpty())
                throw UsageError{"--ca-file needs a file"};
        } else if (argument == "--cap" && command == UpdateCommand::Http) {
            std::string error;
            const auto cap = ParseNumber(value(), kMostCapacity, &error);
            if (!cap)
                throw UsageError{"--cap: " + error};
            options.capacity = *cap;
        } else if (argument == "--url" && command == UpdateCommand::UpdateCheck) {
            options.url = QString::fromStdString(value());
            if (options.url.isEmpty())
                throw UsageError{"--url needs an address"};
        } else if (argument == "--simulate" && command == UpdateCommand::UpdateCheck) {
            options.simulate = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError{argument + " does not go with " + name};
        } else {
            positional.push_back(argument);
        }
    }
    if (command == UpdateCommand::UpdateCheck) {
        if (positional.size() != 1)
            throw UsageError{"usage: q31ctl update-check [--url URL] [--ca-file F] [--simulate]"};
        return options;
    }
    if (positional.size() < 3 || positional.size() > 4)
        throw UsageError{"usage: q31ctl http GET|POST URL [BODY] [--cap N] [--ca-file F]"};
    // Any other method is passed on, so that the client's own refusal can be seen.
    options.method = QString::fromStdString(positional[1]);
    options.url = QString::fromStdString(positional[2]);
    if (positional.size() == 4)
        options.body = QByteArray::fromStdString(positional[3]);
    return options;
}

// Sets the event once stop is set, until the watch ends.
class StopWatch {
public:
    explicit StopWatch(const std::atomic<bool>& stop)
        : m_thread([this, &stop] {
              while (!m_done && !stop)
                  std::this_thread::sleep_for(std::chrono::milliseconds(kStopPollMs));
              if (stop)
                  m_event.Set();
          })
    {
    }
    ~StopWatch()
    {
        m_done = true;
        m_thread.join();
    }
    const CStopEvent& Event() const { return m_event; }

private:
    CStopEvent m_event;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

int Http(const UpdateCommandOptions& options, Console console, const std::atomic<bool>& stop)
{
    update::ResetHttpClientSettings();
    update::SetHttpExtraCaFile(options.caFile);
    std::vector<std::uint8_t> response(options.capacity, 0);
    int stored = 0;
    {
        const StopWatch watch(stop);
        stored = update::HttpRequest(options.method, options.url,
                                     reinterpret_cast<const std::uint8_t*>(options.body.constData()),
                                     static_cast<std::size_t>(options.body.size()), response.data(), response.size(),
                                     &watch.Event());
    }
    const DWORD error = update::GetHttpLastError();
    const long status = update::GetHttpLastStatus();
    console.out << "stored " << stored << "\nlast error " << error;
    if (error != 0)
        console.out << " (" << update::GetHttpLastErrorText().toStdString() << ")";
    console.out << "\nstatus " << status << "\n";
    // What the buffer holds: the body, or "NO_LINK_SERVER" when nothing could be sent.
    const auto shown = static_cast<std::size_t>(std::max(stored, 0));
    const std::size_t length =
        stored == 0 ? std::find(response.begin(), response.end(), std::uint8_t{0}) - response.begin() : shown;
    console.out.write(reinterpret_cast<const char*>(response.data()), static_cast<std::streamsize>(length));
    console.out << '\n';
    if (status >= 200 && status <= 299)
        return kExitSuccess;
    console.err << "q31ctl: "
                << (status != 0 ? "the server answered with HTTP status " + std::to_string(status)
                                : "no answer: " + update::GetHttpLastErrorText().toStdString())
                << '\n';
    return kExitFailure;
}

// The command interface of each present device, in catalogue order, with its HID version.
std::vector<update::InstalledDevice> ConnectedDevices()
{
    std::vector<CatalogueInterface> found = FindCatalogueInterfaces();
    std::stable_sort(found.begin(), found.end(),
                     [](const CatalogueInterface& a, const CatalogueInterface& b) { return a.row < b.row; });
    std::vector<update::InstalledDevice> devices;
    for (const CatalogueInterface& candidate : found) {
        CHidDevice device;
        if (candidate.Entry().channel != kChannelCommand || !candidate.readable ||
            !device.Open(candidate.path, true, false, true, false))
            continue;
        devices.push_back({candidate.Entry().type, device.Attributes().versionNumber});
    }
    return devices;
}

QJsonObject LineJson(const update::UpdateListLine& line)
{
    return {{QStringLiteral("name"), line.name},
            {QStringLiteral("installed"), line.installedVersionText},
            {QStringLiteral("available"), line.availableVersionText},
            {QStringLiteral("state"), line.state},
            {QStringLiteral("selected"), line.selected},
            {QStringLiteral("path"), line.downloadPath},
            {QStringLiteral("localFile"), line.localFile}};
}

int UpdateCheck(const UpdateCommandOptions& options, Console console, const std::atomic<bool>& stop)
{
    update::UpdateService service = update::ReadUpdateService();
    if (!options.url.isEmpty())
        service.address = options.url;
    if (!options.caFile.isEmpty())
        service.extraCaFile = options.caFile;
    const std::vector<update::UpdateComponent> components =
        update::ListedComponents(ConnectedDevices(), update::ReadInstalledAppVersion());

    std::vector<update::UpdateListLine> lines;
    update::UpdateCheckObserver observer;
    observer.linesAdded = [&](const std::vector<update::UpdateListLine>& added) { lines = added; };
    observer.lineUpdated = [&](std::size_t index, const update::UpdateListLine& line) { lines[index] = line; };
    std::optional<update::UpdateCheckResult> result;
    {
        const StopWatch watch(stop);
        result = update::RunUpdateCheck(components, service, watch.Event(), observer);
    }
    if (!result)
        return kExitFailure;
    QJsonArray array;
    for (const update::UpdateListLine& line : lines)
        array.append(LineJson(line));
    const QJsonObject report = {{QStringLiteral("service"), update::UpdatesUrl(service)},
                                {QStringLiteral("lines"), array},
                                {QStringLiteral("status"), result->status},
                                {QStringLiteral("lastCheckDate"), result->lastCheckDate}};
    console.out << QJsonDocument(report).toJson(QJsonDocument::Indented).toStdString();
    if (result->status != update::kStatusNoUpdateInfo)
        return kExitSuccess;
    console.err << "q31ctl: no answer from " << update::UpdatesUrl(service).toStdString() << " for any component\n";
    return kExitFailure;
}

}  // namespace

std::optional<ParsedUpdateCommand> ParseUpdateCommand(const std::vector<std::string>& arguments)
{
    if (std::find_if(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; }) != arguments.end())
        return std::nullopt;
    const std::optional<std::string> word = CommandWord(arguments);
    if (!word || (*word != "http" && *word != "update-check"))
        return std::nullopt;
    ParsedUpdateCommand parsed;
    try {
        parsed.options = Parse(arguments, *word == "http" ? UpdateCommand::Http : UpdateCommand::UpdateCheck);
    } catch (const UsageError& error) {
        parsed.error = error.text;
    }
    return parsed;
}

std::string UpdateUsageText()
{
    return "Update service (sends nothing to any device):\n"
           "  http GET|POST URL [BODY] [--cap N] [--ca-file F]\n"
           "                                  one request; prints the stored byte count, the last error,\n"
           "                                  the HTTP status and the body (N bytes at most, 102400 by default)\n"
           "  update-check [--url URL] [--ca-file F] [--simulate]\n"
           "                                  asks the update service about the connected (or simulated)\n"
           "                                  devices and the application; prints the list as JSON\n"
           "--ca-file trusts one more certificate authority besides the system's; --url is the service\n"
           "address (\"https://host[:port]\"), by default UpdateServiceUrl of ~/.config/Q-31/Q-31.conf.\n";
}

int RunUpdateCommand(const UpdateCommandOptions& options, std::shared_ptr<hid::IHidBackend> backend,
                     Console console, const std::atomic<bool>& stop)
{
    if (options.command == UpdateCommand::Http)
        return Http(options, console, stop);
    if (backend)
        hid::SetHidBackend(std::move(backend));
    return UpdateCheck(options, console, stop);
}

}  // namespace q31::ctl
