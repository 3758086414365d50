#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace qmv::cli {

// `import`, `export`, `backup` and `restore`: codes in and out of the remote as files, on the same
// core as the window. Every command prints how many link calls it made.
class TransferCommands
{
public:
    TransferCommands(CLI::App& app, int& exitCode);

private:
    int importDevice() const;
    int exportArea() const;
    int backup() const;
    int restore() const;

    std::string m_area;
    std::string m_file;
    std::string m_format = "ir";
    std::string m_to;
    bool m_confirmed = false;
};

// `learn --from FILE [--signal NAME]`: one key learned from a signal file instead of the receiver.
int learnFromFile(const std::string& areaName, const std::string& keyCode, const std::string& file,
                  const std::optional<std::string>& signalName);

} // namespace qmv::cli
