#pragma once
// A home of its own for a benchmark program and the programs it starts, so a
// running Q-31 and the user's files are left alone; the offscreen platform
// unless another one is asked for.
#include <QTemporaryDir>

namespace q31::bench {

class CPrivateHome {
public:
    CPrivateHome();

private:
    QTemporaryDir m_folder;
};

}  // namespace q31::bench
