#pragma once
// What each command of a multi-command operation passes through on its way
// to the link: straight on, or past a check that can end the operation.
#include <functional>

namespace q31 {

// Runs the command and returns its result code, or returns a failure code
// without running it.
using CommandGate = std::function<int(const std::function<int()>& command)>;

inline int SendDirectly(const std::function<int()>& command)
{
    return command();
}

}  // namespace q31
