#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace qmv::cli {

// `learn --area A --key K [--timings FILE | --capture FILE | --from FILE [--signal NAME]]` and `play --area A
// --key K [--format us|pronto]`: learning one key through the whole path the window uses, and what the remote
// then sends.
class CodeCommands
{
public:
    CodeCommands(CLI::App& app, int& exitCode);

private:
    int learn() const;
    int play() const;

    std::string m_area;
    std::string m_key;
    std::string m_timingsFile;
    std::string m_captureFile;
    std::string m_fromFile;
    std::string m_signal;
    std::string m_format = "us";
};

} // namespace qmv::cli
