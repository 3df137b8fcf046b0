// q31ctl: the devices' commands from a shell or a script, without the window.
#include <QCoreApplication>

#include <atomic>
#include <csignal>
#include <iostream>

#include "hid/hidraw_backend.h"
#include "sim/sim_backend_factory.h"
#include "tools/q31ctl/audio_commands.h"
#include "tools/q31ctl/autostart.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/ctl_runner.h"
#include "tools/q31ctl/dpi_commands.h"
#include "tools/q31ctl/effect_frames_command.h"
#include "tools/q31ctl/headset_leds_command.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/keyset_command.h"
#include "tools/q31ctl/macro_commands.h"
#include "tools/q31ctl/profile_command.h"
#include "tools/q31ctl/record_command.h"
#include "tools/q31ctl/update_commands.h"

namespace {

std::atomic<bool> g_stop{false};

void RequestStop(int)
{
    g_stop = true;
}

// Null (with the reason printed) when the simulator cannot start.
std::shared_ptr<q31::hid::IHidBackend> MakeBackend(bool simulate)
{
    if (!simulate)
        return q31::hid::MakeHidrawBackend();
    QString error;
    auto backend = q31::sim::MakeSimulatorBackend(&error);
    if (!backend)
        std::cerr << "q31ctl: the simulator cannot start: " << error.toStdString() << '\n';
    return backend;
}

int UsageFailure(const std::string& error)
{
    // One line, so that a script's log shows the reason and not the whole usage.
    std::cerr << "q31ctl: " << error << "; see q31ctl --help\n";
    return q31::ctl::kExitUsage;
}

int RunUpdateCommand(const q31::ctl::ParsedUpdateCommand& parsed)
{
    if (!parsed.options)
        return UsageFailure(parsed.error);
    std::shared_ptr<q31::hid::IHidBackend> backend;
    if (parsed.options->command == q31::ctl::UpdateCommand::UpdateCheck) {
        backend = MakeBackend(parsed.options->simulate);
        if (!backend)
            return q31::ctl::kExitFailure;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    return q31::ctl::RunUpdateCommand(*parsed.options, std::move(backend), {std::cout, std::cerr}, g_stop);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto record = q31::ctl::RunRecordCommand(arguments, {std::cout, std::cerr}, std::cin))
        return record->usageError.empty() ? record->exitStatus : UsageFailure(record->usageError);
    for (const auto run : {q31::ctl::RunMacroCommand, q31::ctl::RunDpiCommand, q31::ctl::RunKeySetCommand,
                           q31::ctl::RunEffectFramesCommand, q31::ctl::RunProfileCommand, q31::ctl::RunAudioCommand,
                           q31::ctl::RunHeadsetLedsCommand}) {
        if (const auto offline = run(arguments, {std::cout, std::cerr}))
            return offline->usageError.empty() ? offline->exitStatus : UsageFailure(offline->usageError);
    }
    if (const auto update = q31::ctl::ParseUpdateCommand(arguments))
        return RunUpdateCommand(*update);
    const q31::ctl::ParsedCommandLine parsed = q31::ctl::ParseCommandLine(arguments);
    if (!parsed.options) {
        if (parsed.helpAsked) {
            std::cout << q31::ctl::UsageText() << q31::ctl::UpdateUsageText() << q31::ctl::MacroUsageText()
                      << q31::ctl::RecordUsageText() << q31::ctl::DpiUsageText() << q31::ctl::KeySetUsageText()
                      << q31::ctl::EffectFramesUsageText() << q31::ctl::ProfileUsageText() << q31::ctl::AudioUsageText()
                      << q31::ctl::HeadsetLedsUsageText();
            return q31::ctl::kExitSuccess;
        }
        return UsageFailure(parsed.error);
    }
    if (parsed.options->command == q31::ctl::Command::Autostart)
        return q31::ctl::SetAutostart(parsed.options->autostart, {std::cout, std::cerr});

    std::shared_ptr<q31::hid::IHidBackend> backend = MakeBackend(parsed.options->simulate);
    if (!backend)
        return q31::ctl::kExitFailure;
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    return q31::ctl::RunCtl(*parsed.options, std::move(backend), {std::cout, std::cerr}, g_stop);
}
