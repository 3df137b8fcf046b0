#pragma once
// "q31-devsim start": holds the simulated devices until stopped.
#include <QStringList>

namespace q31::devsim {

// Arguments after "start": [--devices keyboard,mouse,...] [--latency MS].
// Returns the process exit code.
int Serve(const QStringList& arguments);

}  // namespace q31::devsim
