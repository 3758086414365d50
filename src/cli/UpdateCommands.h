#pragma once

namespace CLI {
class App;
}

namespace qmv::cli {

// Adds "update list", "update install [--server NAME]" and "update rollback [NAME]" (all with
// "--folder DIR", the program's folder by default). They do the wizard's work without a window:
// fetch the update list, choose a server, list the installed libraries older than the listed ones
// and, for install, download, check and install them with a progress line, naming the reason of
// every failure; rollback puts back the last good copies. `exitCode` is set to 0 when everything
// succeeded, 1 when the update list could not be fetched or read, 2 when a library failed, 3 when
// the program's folder cannot be written.
void addUpdateCommands(CLI::App& app, int& exitCode);

} // namespace qmv::cli
