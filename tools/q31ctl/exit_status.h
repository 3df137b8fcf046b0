#pragma once
// q31ctl's exit status and the one line that explains a failure.
#include <string>

namespace q31::ctl {

enum ExitStatus {
    kExitSuccess = 0,
    kExitFailure = 1,
    kExitUsage = 2,
    kExitNoDevice = 3,
    kExitPermissionDenied = 4,
    kExitNoReply = 5,
    kExitWriteFailed = 6,
    kExitUnreachable = 7,
    kExitStatusFF = 8,
    kExitStatusFE = 9,
    kExitBadBank = 10,
};

struct Outcome {
    int exitStatus = kExitSuccess;
    std::string message;  // empty on success
};

// A command link result code as q31ctl reports it.
Outcome OutcomeOfResult(int result);

// How to give this user access to the devices' hidraw nodes.
std::string PermissionHint();

}  // namespace q31::ctl
