#pragma once

#include <cstddef>
#include <cstdint>

// The parts of the remote's 64 KiB memory whose place and shape every remote shares. Where the
// tables themselves lie (records, known-code list, index block, code data) the remote's header
// says; see ImageLayout for reading it.
namespace qmv::memory {

inline constexpr std::size_t memorySize = 0x10000;

// The basic information block: identity (the first 15 bytes), firmware version, model.
inline constexpr std::uint16_t identityBlock = 0xB000;
inline constexpr std::size_t identityBlockSize = 48;
inline constexpr std::size_t identitySize = 15;

// The info block: the header's address (bytes 0-1), the relocation base (bytes 6-7) and the
// bank code every write is tagged with (byte 8).
inline constexpr std::uint16_t infoBlock = 0xB03C;
inline constexpr std::size_t infoBlockSize = 9;
inline constexpr std::size_t infoHeaderOffset = 0;
inline constexpr std::size_t infoRelocationBaseOffset = 6;
inline constexpr std::size_t infoBankCodeOffset = 8;

// A key record: state byte, placement byte, a three-byte reference (the identifier of a code
// stored directly, or a slot number) and sixteen parameter bytes.
inline constexpr int recordSize = 22;
inline constexpr int recordStateOffset = 0;
inline constexpr int recordPlacementOffset = 2;
inline constexpr int recordReferenceOffset = 3;
inline constexpr int recordParametersOffset = 6;
inline constexpr int parameterBytes = 16;
// The placement byte of a record whose code lives in a slot.
inline constexpr int slotPlacement = 0x80;

// A slot table entry: a three-byte identifier, a pointer (bit 15 set while the slot is in use,
// the rest its first unit) and its length in units.
inline constexpr int slotEntrySize = 6;
inline constexpr std::uint16_t slotInUseBit = 0x8000;
// Code data is allocated in units of eight bytes, one bitmap bit each.
inline constexpr int unitSize = 8;

static_assert(identityBlock + identityBlockSize <= infoBlock, "the identity and info blocks are apart");
static_assert(infoBlock + infoBlockSize <= memorySize);
static_assert(recordParametersOffset + parameterBytes == recordSize, "the parameters end the record");

// Header pointers are stored relocated: a value at or above the relocation base counts from the
// start of memory less that base, a smaller one from the header.
constexpr std::uint16_t relocate(int stored, std::uint16_t headerAddress, std::uint16_t relocationBase)
{
    return static_cast<std::uint16_t>(stored >= relocationBase ? stored - relocationBase
                                                               : stored + headerAddress);
}

// Codes whose identifier starts with a byte below 22 hex (PP0000) are protocol codes: the record
// holds them directly, with no slot and no code data.
inline constexpr int directIdentifierLimit = 0x22;
constexpr bool isDirectProtocolNumber(int firstIdentifierByte)
{
    return firstIdentifierByte >= 0 && firstIdentifierByte < directIdentifierLimit;
}

} // namespace qmv::memory
