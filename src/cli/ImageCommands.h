#pragma once

#include <CLI/CLI.hpp>

namespace qmv::cli {

// `info [--json]` and `check [--json]`: what the remote holds, and whether its tables agree.
class ImageCommands {
public:
    ImageCommands(CLI::App& app, int& exitCode);

private:
    bool m_infoJson = false;
    bool m_checkJson = false;
};

} // namespace qmv::cli
