#pragma once
// The per-user folder for sockets and lock files: $XDG_RUNTIME_DIR/q31, or a
// private folder under the temporary folder when the variable is unset.
#include <QString>

namespace q31 {

// The folder, created with mode 0700 when missing; empty (and a log line) when
// it cannot be made private to this user.
QString RuntimeFolder();

}  // namespace q31
