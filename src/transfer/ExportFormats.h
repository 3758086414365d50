#pragma once

#include "CodeForm.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::transfer {

class StoredKeys;

// A learned key as it leaves the remote: its key code, the name it is exported under and its
// stored code.
struct ExportedKey
{
    std::string keyCode;
    std::string name;
    StoredCode code;
};

enum class ExportFormat { Ir, Pronto, Json };
std::optional<ExportFormat> exportFormatFromName(std::string_view name);

// The learned keys of an area, in keypad order. `unreadable` gets the keys whose code could not
// be read back from the remote.
std::vector<ExportedKey> learnedKeys(const StoredKeys& keys, int area, std::vector<std::string>* unreadable);

// The keys in the chosen format. Every format reads back with the signal file reader. The
// key/value and JSON formats carry the stored code itself, so a key imported from them plays
// exactly as it did; Pronto carries the timing only, rounded to carrier periods.
std::string formatExport(const std::vector<ExportedKey>& keys, ExportFormat format,
                         std::string_view areaName);

} // namespace qmv::transfer
