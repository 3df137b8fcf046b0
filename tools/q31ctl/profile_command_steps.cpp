#include "tools/q31ctl/profile_command_steps.h"

#include "platform/folders.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {

int FailWithResult(Console console, const std::string& what, int result)
{
    const Outcome outcome = OutcomeOfResult(result);
    return Fail(console, outcome.exitStatus, what + ": " + outcome.message);
}

std::optional<macros::MacroFolder> MacroFolderOf(const Options& options)
{
    if (options.macroFolder.empty())
        return std::nullopt;
    return macros::MacroFolder(QString::fromStdString(options.macroFolder));
}

QString DefaultEffectList()
{
    return DefaultDataFolder() + QStringLiteral("/default_light.json");
}

int FinishProfileWrite(Console console, const devices::ProfileWriteResult& written, const std::string& device)
{
    if (written.result != kResultSuccess)
        return FailWithResult(console, "the profile was not written", written.result);
    if (written.macros == -1)
        return Fail(console, kExitFailure, "the macros were not written: no memory for the macro block");
    if (written.macros > 0)
        return Fail(console, kExitFailure,
                    "the macros were not written: about " + std::to_string(written.macros) +
                        " events too many for the " + device + "'s macro memory");
    return kExitSuccess;
}

int PrintJsonLine(Console console, const Json::Value& value)
{
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    console.out << Json::writeString(writer, value) << '\n';
    return kExitSuccess;
}

}  // namespace q31::ctl
