#pragma once

#include <CLI/CLI.hpp>

namespace qmv::cli {

// Puts the words CLI11 itself writes into the help (headings, group names, the help flag's
// description) into the user's language. Called once every command has been added.
void localiseHelp(CLI::App& app);

} // namespace qmv::cli
