#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qmv::bridge {

// How the bridge for one library is started: the command line, the variables it adds to the
// environment (only where they are unset), and the library's folder as the bridge sees it.
struct BridgeLaunch
{
    std::vector<std::string> command;
    std::vector<std::string> environment; // "NAME=value"
    std::string folder;
};

// The Windows bridge for Windows libraries of a word size, in the program's folder:
// "qmv718-linkbridge-win32.exe" or "qmv718-linkbridge-win64.exe".
std::string windowsBridgeName(int wordBits);

// Whether the library at `path` must be reached through a bridge: it is built for the other word
// size or for another system (a Windows library here, run under Wine), or $QMV718_LINK_BRIDGE is
// "always" (to run the bridge where the library would load in this process).
bool bridgeWanted(const std::string& libraryPath);

// How to start the bridge that loads `fileName` from `folder`: the bridge of this program's own
// kind, the Windows bridge of the library's word size, or that bridge under Wine where this is
// not Windows; the bridges lie in `programs` (the program's folder). Nothing when it cannot be
// started; `error` then says why, for the user.
std::optional<BridgeLaunch> bridgeLaunchFor(const std::string& programs, const std::string& folder,
                                            const std::string& fileName, std::string* error);

// A folder of this system as a Windows program under Wine names it: on drive Z:, Wine's view of
// the root.
std::string wineFolder(const std::string& folder);

} // namespace qmv::bridge
