#pragma once

#include <CLI/CLI.hpp>

namespace qmv::cli {

// `info [--json]` and `check [--json] [--repair]`: what the remote holds, and whether its tables
// agree; a repair makes them agree (see TableRepair) and says what it could not mend.
class ImageCommands
{
public:
    ImageCommands(CLI::App& app, int& exitCode);

private:
    bool m_infoJson = false;
    bool m_checkJson = false;
    bool m_checkRepair = false;
};

} // namespace qmv::cli
