#pragma once

// What the core's tests need from the system, the same on Linux and on Windows: environment
// variables (the virtual remote and the link loader read theirs at call time), scratch folders,
// and running a program of the build to read its output.

#include "SharedLibrary.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace qmv::test {

inline void setEnvironment(const char* name, const std::string& value)
{
#if defined(_WIN32)
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

inline void unsetEnvironment(const char* name)
{
#if defined(_WIN32)
    ::_putenv_s(name, ""); // an empty value removes the variable
#else
    ::unsetenv(name);
#endif
}

// The folder the programs, libraries and link bridge of the build lie in. Under Wine the build's
// Unix path in $QMV718_BIN_DIR does not name it as a Windows program sees it; the test program's
// own folder does, and it is the same folder.
inline std::string binFolder()
{
#if defined(_WIN32)
    return programFolder();
#else
    const char* dir = std::getenv("QMV718_BIN_DIR");
    return dir ? std::string(dir) + "/" : std::string("./");
#endif
}

inline std::filesystem::path createScratchFolder()
{
    std::random_device entropy;
    std::mt19937_64 random(entropy());
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("qmv718-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate))
            return candidate;
    }
}

namespace detail {

// One try of runCommand; nothing when the shell could not be started.
inline std::optional<int> runCommandOnce(const std::string& commandLine, std::string* out)
{
#if defined(_WIN32)
    // cmd.exe drops the outer quotes of a command line that starts with one.
    FILE* pipe = ::_popen(("\"" + commandLine + "\"").c_str(), "rb");
#else
    FILE* pipe = ::popen(commandLine.c_str(), "r");
#endif
    if (!pipe) {
        // Says why on the test's error output; the status alone cannot tell this from a crash.
        std::fprintf(stderr, "could not start %s: %s\n", commandLine.c_str(), std::strerror(errno));
        return std::nullopt;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out->append(buffer, n);
#if defined(_WIN32)
    // A Windows program's text output ends its lines with CR LF; the tests read lines as LF.
    std::string::size_type cr;
    while ((cr = out->find("\r\n")) != std::string::npos)
        out->erase(cr, 1);
    const int status = ::_pclose(pipe);
    if (status == -1)
        std::fprintf(stderr, "could not wait for %s: %s\n", commandLine.c_str(), std::strerror(errno));
    return status;
#else
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace detail

// Runs a command line through the system's shell; its standard output is appended to `out`.
// Returns the program's exit status, -1 when it could not be run or did not exit normally.
inline int runCommand(const std::string& commandLine, std::string* out)
{
#if defined(_WIN32)
    // Under Wine, on a busy machine, _popen now and then fails, and cmd.exe now and then does not
    // find a program that is there ("not recognized", status 9009). The program has not run in
    // either case, so starting it again changes nothing a test looks at.
    constexpr int programNotFound = 9009;
    constexpr int tries = 3;
    std::optional<int> status;
    for (int attempt = 0; attempt < tries; ++attempt) {
        std::string attemptOut;
        status = detail::runCommandOnce(commandLine, &attemptOut);
        if (status && *status != programNotFound) {
            out->append(attemptOut);
            return *status;
        }
    }
    return status.value_or(-1);
#else
    return detail::runCommandOnce(commandLine, out).value_or(-1);
#endif
}

// A path of the build quoted for the shell.
inline std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace qmv::test
