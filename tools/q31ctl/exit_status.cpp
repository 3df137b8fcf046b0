#include "tools/q31ctl/exit_status.h"

#include "protocol/result_codes.h"

namespace q31::ctl {

Outcome OutcomeOfResult(int result)
{
    switch (result) {
    case kResultSuccess:
        return {};
    case kResultNoReply:
        return {kExitNoReply, "no reply from the device (result 0: timed out or the read failed)"};
    case kResultWriteFailed:
        return {kExitWriteFailed, "the request could not be written (result -1)"};
    case kResultUnreachable:
        return {kExitUnreachable, "the receiver cannot reach the device (result -101): is it switched on and in range?"};
    case kResultStatusFF:
        return {kExitStatusFF, "the device refused the request with status 0xFF (result -102)"};
    case kResultStatusFE:
        return {kExitStatusFE, "the device refused the request with status 0xFE (result -103)"};
    case kResultBadBank:
        return {kExitBadBank, "bad key-map bank (result -201): only bank 0 can be written"};
    default:
        return {kExitFailure, "unexpected result " + std::to_string(result)};
    }
}

std::string PermissionHint()
{
    return "install the udev rule that grants access to the devices "
           "(sudo cp data/udev/70-q31.rules /etc/udev/rules.d/ && sudo udevadm control --reload-rules && "
           "sudo udevadm trigger), then plug the device in again";
}

}  // namespace q31::ctl
