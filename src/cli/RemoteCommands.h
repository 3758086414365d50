#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace qmv::cli {

// `remote status|plug|unplug|send FILE|reset|demo on|off|fault writes|link N|latency MS`:
// drives the virtual remote's state folder from outside, also while the tool runs.
class RemoteCommands
{
public:
    RemoteCommands(CLI::App& app, int& exitCode);

private:
    std::string m_file;
    std::string m_demoState;
    std::string m_faultKind;
    int m_faultCount = 0;
    int m_latencyMillis = 0;
};

} // namespace qmv::cli
