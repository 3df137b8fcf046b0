#pragma once
// q31ctl's two commands that talk to the update service instead of a device:
//   http GET|POST URL [BODY] [--cap N] [--ca-file F]
//   update-check [--url URL] [--ca-file F] [--simulate]
#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hid/hid_backend.h"
#include "tools/q31ctl/ctl_runner.h"

namespace q31::ctl {

enum class UpdateCommand { Http, UpdateCheck };

struct UpdateCommandOptions {
    UpdateCommand command = UpdateCommand::Http;
    QString method;
    QString url;          // http: the URL; update-check: the service address, empty for the settings file's
    QByteArray body;
    std::size_t capacity = 102400;
    QString caFile;       // empty: update-check takes the settings file's
    bool simulate = false;
};

struct ParsedUpdateCommand {
    std::optional<UpdateCommandOptions> options;  // none: a usage error
    std::string error;
};

// Nullopt when the arguments name another command (or ask for help).
std::optional<ParsedUpdateCommand> ParseUpdateCommand(const std::vector<std::string>& arguments);
std::string UpdateUsageText();

// update-check asks the back end's devices for their versions; http needs none.
int RunUpdateCommand(const UpdateCommandOptions& options, std::shared_ptr<hid::IHidBackend> backend,
                     Console console, const std::atomic<bool>& stop);

}  // namespace q31::ctl
