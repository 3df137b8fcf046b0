#include "tools/q31ctl/profile_command.h"

#include <QString>

#include <map>

#include "platform/folders.h"
#include "platform/named_mutex.h"
#include "profiles/profile_operations.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/profile_command_steps.h"

namespace q31::ctl {
namespace {

constexpr const char* kSynopsis =
    "profile --device keyboard|mouse|mousepad|headset list | add | copy I | rename I NAME | delete I | reset I | "
    "select I | import FILE | export I FILE";

struct DeviceFiles {
    int kind;
    const char* folder;  // also the base name of the default document
};

const std::map<std::string, DeviceFiles> kDevices = {
    {"keyboard", {1, "keyboard"}}, {"mouse", {2, "mouse"}}, {"mousepad", {3, "MousePad"}}, {"headset", {7, "HD"}}};

// The words after "profile", and the device.
struct ProfileArguments {
    DeviceFiles device{};
    std::vector<std::string> words;
};

ProfileArguments Split(const std::vector<std::string>& arguments)
{
    ProfileArguments split;
    std::optional<std::string> device;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--device")
            device = TakeOptionValue(arguments, i);
        else if (arguments[i].size() > 1 && arguments[i][0] == '-')
            throw UsageError{arguments[i] + " does not go with profile"};
        else
            split.words.push_back(arguments[i]);
    }
    if (!device)
        throw UsageError{"profile needs --device"};
    const auto named = kDevices.find(*device);
    if (named == kDevices.end())
        throw UsageError{"--device: keyboard, mouse, mousepad or headset, not \"" + *device + "\""};
    split.device = named->second;
    if (split.words.empty())
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    return split;
}

void Expect(const ProfileArguments& args, std::size_t count, const char* synopsis)
{
    if (args.words.size() != count)
        throw UsageError{std::string("usage: q31ctl profile --device DEVICE ") + synopsis};
}

int Index(const std::string& text)
{
    return static_cast<int>(NumberArgument(text, 0xFFFF, "I"));
}

Json::Value ListAsJson(const Json::Value& list)
{
    Json::Value printed(Json::objectValue);
    printed["profiles"] = Json::Value(Json::arrayValue);
    for (const ProfileEntry& entry : ProfileListFile::Entries(list)) {
        Json::Value item(Json::objectValue);
        item["name"] = entry.name.toStdString();
        item["id"] = entry.id.toStdString();
        printed["profiles"].append(item);
    }
    printed["selected"] = ProfileListFile::SelectedIndex(list);
    return printed;
}

std::string WhyNot(const ProfileOutcome& outcome)
{
    switch (outcome.status) {
    case ProfileOutcome::Status::Done:
        break;
    case ProfileOutcome::Status::Unchanged:
        return "nothing changed (no such profile, the last profile, or " + std::to_string(kMaxAddedProfiles) +
               " profiles already)";
    case ProfileOutcome::Status::NameInUse:
        return "not renamed: another profile has the name";
    case ProfileOutcome::Status::BlankName:
        return "not renamed: the name is blank";
    case ProfileOutcome::Status::NotAProfile:
        return outcome.file.toStdString() + " is no profile document; nothing changed";
    case ProfileOutcome::Status::WriteFailed:
        return outcome.file.toStdString() + " could not be written; nothing changed";
    }
    return {};
}

ProfileOutcome Run(const ProfileArguments& args, const ProfileOperations& operations)
{
    const std::string& action = args.words[0];
    const auto path = [&](std::size_t i) { return QString::fromStdString(args.words[i]); };
    if (action == "list") {
        Expect(args, 1, "list");
        return {ProfileOutcome::Status::Done, operations.Load(), {}, {}};
    }
    if (action == "add") {
        Expect(args, 1, "add");
        return operations.Add();
    }
    if (action == "copy") {
        Expect(args, 2, "copy I");
        return operations.Copy(Index(args.words[1]));
    }
    if (action == "rename") {
        Expect(args, 3, "rename I NAME");
        return operations.Rename(Index(args.words[1]), path(2));
    }
    if (action == "delete") {
        Expect(args, 2, "delete I");
        return operations.Delete(Index(args.words[1]));
    }
    if (action == "reset") {
        Expect(args, 2, "reset I");
        return operations.Reset(Index(args.words[1]));
    }
    if (action == "select") {
        Expect(args, 2, "select I");
        return operations.Select(Index(args.words[1]));
    }
    if (action == "import") {
        Expect(args, 2, "import FILE");
        return operations.Import(path(1));
    }
    if (action == "export") {
        Expect(args, 3, "export I FILE");
        return operations.Export(Index(args.words[1]), path(2));
    }
    throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
}

}  // namespace

std::optional<OfflineCommandResult> RunProfileCommand(const std::vector<std::string>& arguments, Console console)
{
    if (arguments.empty() || arguments[0] != "profile")
        return std::nullopt;
    OfflineCommandResult result;
    try {
        const ProfileArguments args = Split(arguments);
        // Held for the whole change, so that Q-31 cannot start in the middle of it.
        const CNamedMutex instance(QStringLiteral("Q-31"));
        if (instance.AlreadyExisted()) {
            result.exitStatus = Fail(console, kExitFailure, "Q-31 is running and owns the profile files; nothing changed");
            return result;
        }
        const ProfileOperations operations(UserDataFolder(QString::fromLatin1(args.device.folder)),
                                           DefaultDataFolder() + QLatin1Char('/') +
                                               QString::fromLatin1(args.device.folder) + QStringLiteral(".Json"),
                                           args.device.kind);
        const ProfileOutcome outcome = Run(args, operations);
        if (outcome.list.isNull()) {
            result.exitStatus = Fail(console, kExitFailure, "the profile list could not be read or created");
            return result;
        }
        PrintJsonLine(console, ListAsJson(outcome.list));
        if (!outcome.Done())
            result.exitStatus = Fail(console, kExitFailure, WhyNot(outcome));
    } catch (const UsageError& error) {
        result = {kExitUsage, error.text};
    }
    return result;
}

std::string ProfileUsageText()
{
    return "Profiles of a device, on the user's files (refused while Q-31 runs; prints the list as JSON):\n"
           "  profile --device keyboard|mouse|mousepad|headset ACTION\n"
           "                                  list | add | copy I | rename I NAME | delete I | reset I |\n"
           "                                  select I | import FILE | export I FILE (I counts from 0)\n";
}

}  // namespace q31::ctl
