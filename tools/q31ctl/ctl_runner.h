#pragma once
// Carrying out one parsed q31ctl command against a HID back end.
#include <atomic>
#include <memory>
#include <ostream>
#include <string>

#include "hid/hid_backend.h"
#include "tools/q31ctl/command_line.h"

namespace q31::ctl {

struct Console {
    std::ostream& out;  // what was read from the device
    std::ostream& err;  // failures, notes and the trace
};

// A command that needs no device.
struct OfflineCommandResult {
    int exitStatus = 0;
    std::string usageError;  // not empty: the arguments were refused and nothing was done
};

// One line on err that names the failure; returns status.
int Fail(Console console, int status, const std::string& message);

// Makes the back end the one every CHidDevice uses, runs the command and
// returns the exit status. "listen" runs until stop is set.
int RunCtl(const Options& options, std::shared_ptr<hid::IHidBackend> backend, Console console,
           const std::atomic<bool>& stop);

}  // namespace q31::ctl
