// q31ctl: the devices' commands from a shell or a script, without the window.
#include <QCoreApplication>

#include <atomic>
#include <csignal>
#include <iostream>

#include "hid/hidraw_backend.h"
#include "sim/sim_backend_factory.h"
#include "tools/q31ctl/autostart.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/ctl_runner.h"
#include "tools/q31ctl/exit_status.h"

namespace {

std::atomic<bool> g_stop{false};

void RequestStop(int)
{
    g_stop = true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const q31::ctl::ParsedCommandLine parsed = q31::ctl::ParseCommandLine(arguments);
    if (!parsed.options) {
        if (parsed.helpAsked) {
            std::cout << q31::ctl::UsageText();
            return q31::ctl::kExitSuccess;
        }
        // One line, so that a script's log shows the reason and not the whole usage.
        std::cerr << "q31ctl: " << parsed.error << "; see q31ctl --help\n";
        return q31::ctl::kExitUsage;
    }
    if (parsed.options->command == q31::ctl::Command::Autostart)
        return q31::ctl::SetAutostart(parsed.options->autostart, {std::cout, std::cerr});

    std::shared_ptr<q31::hid::IHidBackend> backend;
    if (parsed.options->simulate) {
        QString error;
        backend = q31::sim::MakeSimulatorBackend(&error);
        if (!backend) {
            std::cerr << "q31ctl: the simulator cannot start: " << error.toStdString() << '\n';
            return q31::ctl::kExitFailure;
        }
    } else {
        backend = q31::hid::MakeHidrawBackend();
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    return q31::ctl::RunCtl(*parsed.options, std::move(backend), {std::cout, std::cerr}, g_stop);
}
