#include "BridgeLaunch.h"

#include "BridgeProcess.h"
#include "LibraryFormat.h"
#include "Text.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace qmv::bridge {

namespace {

constexpr int hostWordBits = static_cast<int>(8 * sizeof(void*));

bool bridgeAlways()
{
    const char* mode = std::getenv("QMV718_LINK_BRIDGE");
    return mode && std::strcmp(mode, "always") == 0;
}

bool isProgramFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Wine's loader for programs of a word size: $QMV718_WINE when set, else the first of its usual
// names on the PATH, else where Debian's packages put it.
std::optional<std::string> findWine(int wordBits)
{
    if (const char* chosen = std::getenv("QMV718_WINE"); chosen && *chosen)
        return std::string(chosen);
    const std::vector<std::string_view> names = wordBits == 64
                                                    ? std::vector<std::string_view>{"wine64", "wine"}
                                                    : std::vector<std::string_view>{"wine"};
    if (const char* path = std::getenv("PATH"))
        for (const std::string_view name : names) {
            std::string_view rest = path;
            while (!rest.empty()) {
                const std::size_t end = rest.find(':');
                const std::string_view folder = rest.substr(0, end);
                rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
                if (folder.empty())
                    continue; // an empty entry would mean the working folder
                const auto candidate = std::filesystem::path(folder) / name;
                if (isProgramFile(candidate))
                    return candidate.string();
            }
        }
    const std::filesystem::path packaged = wordBits == 64 ? "/usr/lib/wine/wine64" : "/usr/lib/wine/wine";
    if (isProgramFile(packaged))
        return packaged.string();
    return std::nullopt;
}

} // namespace

std::string windowsBridgeName(int wordBits)
{
    return "qmv718-linkbridge-win" + std::to_string(wordBits) + ".exe";
}

bool bridgeWanted(const std::string& libraryPath)
{
    if (bridgeAlways())
        return true;
    const LibraryFormat format = libraryFormat(libraryPath);
#if defined(_WIN32)
    constexpr bool windowsHost = true;
#else
    constexpr bool windowsHost = false;
#endif
    return format.wordBits != 0 && (format.wordBits != hostWordBits || format.windows != windowsHost);
}

std::optional<BridgeLaunch> bridgeLaunchFor(const std::string& programs, const std::string& folder,
                                            const std::string& fileName, std::string* error)
{
    const LibraryFormat format = libraryFormat(folder + fileName);
#if defined(_WIN32)
    // A library of this program's own word size is bridged only when asked to be.
    if (format.wordBits == hostWordBits || format.wordBits == 0)
        return BridgeLaunch{{programs + BridgeProcess::programName}, {}, folder};
#else
    if (!format.windows)
        return BridgeLaunch{{programs + BridgeProcess::programName}, {}, folder};
#endif
    const std::string bridge = programs + windowsBridgeName(format.wordBits);
    if (!isProgramFile(bridge)) {
        *error =
            formatText(translate("qmv::LinkLibrary", "%1 是 %2 位的 Windows 库，本程序缺少它的连接桥 %3。"),
                       {fileName, std::to_string(format.wordBits), bridge});
        return std::nullopt;
    }
#if defined(_WIN32)
    return BridgeLaunch{{bridge}, {}, folder};
#else
    const auto wine = findWine(format.wordBits);
    if (!wine) {
        *error = formatText(
            translate("qmv::LinkLibrary",
                      "%1 是 %2 位的 Windows 库，要使用它需要安装 Wine（32 位的库还需要 wine32）。"),
            {fileName, std::to_string(format.wordBits)});
        return std::nullopt;
    }
    // Wine's own diagnostics would mix with the program's; a prefix made on first use must not
    // stop to offer its optional components.
    return BridgeLaunch{
        {*wine, bridge}, {"WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="}, wineFolder(folder)};
#endif
}

std::string wineFolder(const std::string& folder)
{
    return "Z:" + folder;
}

} // namespace qmv::bridge
