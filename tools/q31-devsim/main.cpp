// q31-devsim: simulated Q-31 devices for every Q-31 process of this user.
//   q31-devsim start [--devices keyboard,mouse,...] [--latency MS]
//   q31-devsim stop
//   q31-devsim plug|unplug|reachable|press|profile|battery|fault|dump|log|... (see "help")
#include "sim/sim_backend_factory.h"
#include "sim/sim_control.h"
#include "sim/sim_remote_backend.h"
#include "tools/q31-devsim/serve.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int RunCommand(const QStringList& arguments)
{
    const auto devsim = q31::sim::RemoteSimBackend::Connect(q31::sim::DevsimSocketPath());
    if (!devsim) {
        std::fprintf(stderr, "q31-devsim is not running; start it with \"q31-devsim start\"\n");
        return 1;
    }
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    const q31::sim::ControlResult result = devsim->RunCommand(words);
    std::fputs(result.text.c_str(), result.ok ? stdout : stderr);
    if (!result.text.empty() && result.text.back() != '\n')
        std::fputc('\n', result.ok ? stdout : stderr);
    return result.ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.isEmpty() || arguments[0] == QStringLiteral("help") || arguments[0] == QStringLiteral("--help")) {
        std::printf("usage: q31-devsim start [--devices keyboard,mouse,mousepad,headset,keyboard-receiver,...] "
                    "[--latency MS]\n       q31-devsim stop\n       q31-devsim COMMAND ...\n%s",
                    q31::sim::ControlUsage().c_str());
        return arguments.isEmpty() ? 2 : 0;
    }
    if (arguments[0] == QStringLiteral("start"))
        return q31::devsim::Serve(arguments.mid(1));
    return RunCommand(arguments);
}
