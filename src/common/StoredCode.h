#pragma once

// A learned code in the form the remote stores it, and its text as the code converter gives it,
// "ID::P1:P2:::DATA": one set of rules for every reader and writer of that text.
//
// A stored code is a three-byte identifier, sixteen parameter bytes (bytes 6-21 of the key record,
// written as two fields of eight) and, for codes kept in a slot, code data for the code data area.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qmv {

// The converter output's two parameter fields, each half of the record's parameter bytes.
inline constexpr std::size_t kParameterFieldChars = 16;
inline constexpr std::size_t kParameterChars = 2 * kParameterFieldChars;
inline constexpr std::size_t kParameterBytes = kParameterChars / 2;
inline constexpr std::size_t kIdentifierChars = 6;
// The code data area is counted in units of 8 bytes; a slot's length is one byte of them.
inline constexpr std::size_t kDataUnitBytes = 8;
inline constexpr std::size_t kMaxSlotUnits = 255;
inline constexpr std::size_t kMaxDataBytes = kMaxSlotUnits * kDataUnitBytes;

struct StoredCode
{
    std::string identifier; // 6 hexadecimal characters
    std::string parameters; // 32 hexadecimal characters: the two parameter fields joined
    std::string data;       // hexadecimal text of the slot's code data, empty for codes kept in the record

    // The 8-byte units its data takes in the code data area.
    std::size_t dataUnits() const { return (data.size() / 2 + kDataUnitBytes - 1) / kDataUnitBytes; }
    // Whether its data fits one slot.
    bool fitsSlot() const { return dataUnits() <= kMaxSlotUnits; }
};

// The code in upper case when its fields have their form: a six-digit identifier, thirty-two
// digits of parameters and whole bytes of data, in either case; nothing otherwise. Whether the
// data fits a slot is the caller's question (fitsSlot).
std::optional<StoredCode> wellFormed(StoredCode code);

// "ID::P1:P2:::DATA"
std::string converterOutput(const StoredCode& code);
// The well-formed code of a converter text whose parameter fields have sixteen digits each.
std::optional<StoredCode> readConverterOutput(std::string_view text);
// readConverterOutput, of codes whose data fits a slot only.
std::optional<StoredCode> parseConverterOutput(std::string_view text);

} // namespace qmv
