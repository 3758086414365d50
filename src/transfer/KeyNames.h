#pragma once

#include "SignalFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmv::transfer {

// The names signal files give a key, and the plain key of the keypad each one stands for. Names
// are compared without regard to letter case, blanks and underscores: "Vol_up", "VOL UP" and
// "volup" are one name. The power keys select a device area and are never mapped.
struct KeyNameRow
{
    std::string_view keyCode;
    std::vector<std::string_view> names; // the first is the name this tool exports the key under
};
const std::vector<KeyNameRow>& keyNameTable();

// The plain key a signal name stands for.
std::optional<std::string> keyForName(std::string_view signalName);
// The name a key is exported under: its first name in the table, else its key code.
std::string exportName(std::string_view keyCode);

struct KeyAssignment
{
    std::string keyCode;
    std::size_t signal; // index into the file's signals
};

// Which signal of a file goes to which key: the first signal of a name wins; later signals for a
// key already taken, and signals whose name is in no row, are left over.
struct ImportMapping
{
    std::vector<KeyAssignment> assignments; // in keypad order
    std::vector<std::string> unmappedSignals;
    std::vector<std::string> duplicateSignals; // a key that an earlier signal already took
    std::vector<std::string> emptyKeys;        // plain keys no signal maps to
};
ImportMapping mapSignals(const std::vector<IrSignal>& entries);

} // namespace qmv::transfer
