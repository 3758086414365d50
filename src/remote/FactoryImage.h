#pragma once

#include "Keypad.h"
#include "MemoryLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qmv::remote {

// Where the virtual remote keeps things in its 64 KiB memory. Header pointers are stored
// relocated (see storedPointer) so that readers must apply both branches of the rule.
namespace layout {
inline constexpr std::size_t memorySize = memory::memorySize;
inline constexpr std::uint16_t basicInfo = memory::identityBlock;
inline constexpr std::size_t basicInfoSize = memory::identityBlockSize;
inline constexpr std::size_t identitySize = memory::identitySize;
inline constexpr std::uint16_t infoBlock = memory::infoBlock;
inline constexpr std::uint16_t header = 0x1000;
inline constexpr std::uint16_t relocationBase = 0x8000;
inline constexpr std::uint8_t bankCode = 0xA5;
inline constexpr int keyCount = qmv::keypadKeyCount;
inline constexpr int areaCount = qmv::areaCount;
inline constexpr int recordCount = keyCount * areaCount;
inline constexpr int recordSize = memory::recordSize;
inline constexpr int slotCount = 60;
inline constexpr int slotSize = memory::slotEntrySize;
inline constexpr int dataUnits = 1605; // deliberately not a multiple of 8
inline constexpr int unitSize = memory::unitSize;
inline constexpr std::uint16_t records = 0x1100;
inline constexpr std::uint16_t knownCodeList = 0x2400;
inline constexpr std::uint16_t indexBlock = 0x2800;
inline constexpr std::uint16_t codeData = 0x3000;
inline constexpr std::uint8_t firmwareMajor = 0x01;
inline constexpr std::uint8_t firmwareMinor = 0x03;
inline constexpr std::uint8_t modelHigh = 0x18;
inline constexpr std::uint8_t modelLow = 0x03;
} // namespace layout

// A key programmed before the remote left the factory (not learned with this tool).
struct FactoryKey
{
    int area;
    int row;
    std::string identifier; // six hex characters
    std::string parameters; // 32 hex characters: record bytes 6-21
};

struct FactoryContent
{
    std::vector<std::string> knownIdentifiers;
    std::vector<FactoryKey> keys;
};

// What a new virtual remote holds: the codes its known-code list names and a few keys
// programmed in two areas.
FactoryContent defaultFactoryContent();

using Identity = std::array<std::uint8_t, layout::identitySize>;
Identity randomIdentity();

// A complete factory memory image for a remote with this identity.
std::vector<std::uint8_t> buildFactoryImage(const Identity& identity, const FactoryContent& content);

} // namespace qmv::remote
