#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace qmv::cli {

// `delete --area A --key K` and `clear --area A [--yes]`: the window's delete and clear, with
// its rules and messages, for scripts. The area is TV, CBL, DVD, AMP or 0-3; the key is its code
// ("26") or its label ("CH+"). Deleting a named key needs no further confirmation; clearing an
// area asks, and only --yes answers Yes.
class LearningCommands
{
public:
    LearningCommands(CLI::App& app, int& exitCode);

private:
    std::string m_deleteArea;
    std::string m_deleteKey;
    std::string m_clearArea;
    bool m_clearConfirmed = false;
};

} // namespace qmv::cli
