#include "RemoteCommands.h"

#include "RemoteControl.h"

#include <iostream>

namespace qmv::cli {

namespace {

remote::RemoteControl control()
{
    return remote::RemoteControl(remote::StateFolder(remote::StateFolder::defaultPath()));
}

void report(bool ok, const std::string& error, int& exitCode)
{
    if (!ok) {
        std::cerr << "qmv718-cli: " << error << '\n';
        exitCode = 1;
    }
}

} // namespace

RemoteCommands::RemoteCommands(CLI::App& app, int& exitCode)
{
#if defined(_WIN32)
    constexpr const char* description =
        "Drive the virtual remote (state folder: %QMV718_REMOTE_DIR% or %LOCALAPPDATA%\\qmv718\\remote)";
#else
    constexpr const char* description =
        "Drive the virtual remote (state folder: $QMV718_REMOTE_DIR or ~/.local/share/qmv718/remote)";
#endif
    CLI::App* remoteCommand = app.add_subcommand("remote", description);
    remoteCommand->require_subcommand(1);

    remoteCommand->add_subcommand("status", "Show the cable, identity, demo mode, inbox and faults")
        ->callback([] { control().printStatus(std::cout); });
    remoteCommand->add_subcommand("plug", "Plug the remote's cable in")->callback([&exitCode] {
        std::string error;
        report(control().plug(true, &error), error, exitCode);
    });
    remoteCommand->add_subcommand("unplug", "Pull the remote's cable out")->callback([&exitCode] {
        std::string error;
        report(control().plug(false, &error), error, exitCode);
    });

    auto* send =
        remoteCommand->add_subcommand("send", "Point a remote at the receiver: FILE holds durations in "
                                              "µs (mark first, optional first line 'carrier HZ') or a "
                                              "capture text");
    send->add_option("FILE", m_file, "the code to send")->required()->check(CLI::ExistingFile);
    send->callback([this, &exitCode] {
        std::string error;
        report(control().send(m_file, &error), error, exitCode);
    });

    remoteCommand
        ->add_subcommand("reset",
                         "Start over with a new factory image and a new identity (a different remote)")
        ->callback([&exitCode] {
            std::string error;
            std::filesystem::path kept;
            report(control().reset(&error, &kept), error, exitCode);
            if (!kept.empty())
                std::cout << "the old image is kept as " << kept.string() << '\n';
        });

    auto* demo =
        remoteCommand->add_subcommand("demo", "Receive built-in signals when the inbox is empty (on|off)");
    demo->add_option("STATE", m_demoState)->required()->check(CLI::IsMember({"on", "off"}));
    demo->callback([this, &exitCode] {
        std::string error;
        report(control().setDemo(m_demoState == "on", &error), error, exitCode);
    });

    auto* fault =
        remoteCommand->add_subcommand("fault", "Make the next N writes fail (writes N) or drop the link "
                                               "for N calls (link N); N = 0 clears");
    fault->add_option("KIND", m_faultKind)->required()->check(CLI::IsMember({"writes", "link"}));
    fault->add_option("N", m_faultCount)->required()->check(CLI::NonNegativeNumber);
    fault->callback([this, &exitCode] {
        std::string error;
        report(control().setFault(m_faultKind, m_faultCount, &error), error, exitCode);
    });

    auto* latency = remoteCommand->add_subcommand("latency", "Make every call take MS milliseconds longer");
    latency->add_option("MS", m_latencyMillis)->required()->check(CLI::Range(0, 10000));
    latency->callback([this, &exitCode] {
        std::string error;
        report(control().setLatency(m_latencyMillis, &error), error, exitCode);
    });
}

} // namespace qmv::cli
