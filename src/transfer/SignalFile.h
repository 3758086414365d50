#pragma once

#include "CodeForm.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::transfer {

// A protocol signal as signal files name it: the protocol's name with address and command.
struct ProtocolSignal
{
    std::string protocol;
    std::uint32_t address = 0;
    std::uint32_t command = 0;
};

// One infrared signal read from a file. Exactly one of its three forms is filled: a protocol
// signal, a timing list (microseconds, mark first), or a stored code exported by this tool.
struct IrSignal
{
    std::string name;
    int line = 0; // where the signal starts in its file
    std::optional<ProtocolSignal> protocol;
    std::vector<std::uint32_t> durations;
    std::uint32_t carrierHz = 0;
    std::optional<StoredCode> stored;
};

// Something the reader could not use, with the line it stands on (0: the file as a whole).
struct FileProblem
{
    int line = 0;
    std::string reason;
};

// What a signal file holds. A file with a fatal problem holds no signals at all; otherwise the
// signals that could be read, and a problem for each one that could not.
struct SignalFile
{
    std::vector<IrSignal> entries;
    std::vector<FileProblem> problems;
    bool rejected = false;
};

// Limits that keep a hostile file from costing much, and what the remote can hold at all.
inline constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxSignals = 4096;
inline constexpr std::size_t kMaxDurations = 2048;
inline constexpr std::uint32_t kMinCarrierHz = 30000;
inline constexpr std::uint32_t kMaxCarrierHz = 60000;
inline constexpr std::uint32_t kMaxMarkUs = 65535;
// A longer silence ends a capture; a trailing space (the pause after a signal) may be any length.
inline constexpr std::uint32_t kMaxSpaceUs = 200000;

// The key/value field in which this tool's export carries the stored code; other readers of the
// format ignore fields they do not know.
inline constexpr std::string_view kStoredCodeField = "qmv718_code";

// Reads key/value signal files ("name:", "type: parsed|raw", ...), Pronto Hex (one code a line,
// optionally "NAME: " in front), plain timing lists (microseconds, mark first, an optional first
// line "carrier HZ") and this tool's own JSON export. The form is recognised from the content.
SignalFile parseSignalFile(std::string_view text);

// The file's content, or nothing with `error` set when it cannot be read or exceeds the limit.
std::optional<std::string> readSignalFile(const std::filesystem::path& path, std::string* error,
                                          std::size_t limit = kMaxFileBytes);

// "04 00 00 00": up to four hex bytes, low byte first.
std::optional<std::uint32_t> lowFirstBytes(std::string_view text);

// "第 N 行：reason", or the reason alone for the file as a whole.
std::string describeProblem(const FileProblem& problem);

// The signal of that name, compared without regard to letter case.
const IrSignal* findSignal(const SignalFile& file, std::string_view name);

} // namespace qmv::transfer
