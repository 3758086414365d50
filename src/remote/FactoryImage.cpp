#include "FactoryImage.h"

#include "Keypad.h"

#include <random>
#include <stdexcept>

namespace qmv::remote {

namespace {

class ImageWriter
{
public:
    explicit ImageWriter(std::vector<std::uint8_t>& memory)
        : m_memory(memory)
    {
    }
    void byte(std::size_t address, std::uint8_t value) { m_memory.at(address) = value; }
    void le16(std::size_t address, std::uint16_t value)
    {
        byte(address, static_cast<std::uint8_t>(value & 0xFF));
        byte(address + 1, static_cast<std::uint8_t>(value >> 8));
    }
    void hex(std::size_t address, const std::string& text)
    {
        if (text.size() % 2 != 0)
            throw std::invalid_argument("odd hex text");
        for (std::size_t i = 0; i < text.size(); i += 2)
            byte(address + i / 2, static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    }
    void fill(std::size_t address, std::size_t count, std::uint8_t value)
    {
        for (std::size_t i = 0; i < count; ++i)
            byte(address + i, value);
    }

private:
    std::vector<std::uint8_t>& m_memory;
};

// The inverse of the readers' relocation: a pointer at or above the header is stored above the
// relocation base when that keeps it in 16 bits, otherwise as an offset from the header.
std::uint16_t storedPointer(std::uint16_t address, bool aboveBase)
{
    if (aboveBase)
        return static_cast<std::uint16_t>(address + layout::relocationBase);
    return static_cast<std::uint16_t>(address - layout::header);
}

std::uint8_t keyCodeByte(std::string_view code)
{
    return static_cast<std::uint8_t>(pictureIndex(code));
}

} // namespace

Identity randomIdentity()
{
    std::random_device device;
    Identity identity{};
    for (auto& byte : identity)
        byte = static_cast<std::uint8_t>(device() & 0xFF);
    identity[0] = 0x51; // never all zero, so an identity is never mistaken for an empty read
    return identity;
}

std::vector<std::uint8_t> buildFactoryImage(const Identity& identity, const FactoryContent& content)
{
    using namespace layout;
    std::vector<std::uint8_t> memory(memorySize, 0xFF); // erased memory reads FF
    ImageWriter out(memory);

    // Basic information.
    out.fill(basicInfo, basicInfoSize, 0x00);
    for (std::size_t i = 0; i < identity.size(); ++i)
        out.byte(basicInfo + i, identity[i]);
    out.byte(basicInfo + 32, firmwareMajor);
    out.byte(basicInfo + 33, firmwareMinor);
    out.byte(basicInfo + 35, modelHigh);
    out.byte(basicInfo + 36, modelLow);

    // Info block: where the header is, the relocation base and the bank code.
    out.fill(infoBlock, 16, 0x00);
    out.le16(infoBlock, header);
    out.le16(infoBlock + 6, relocationBase);
    out.byte(infoBlock + 8, bankCode);

    // Header and key-code table.
    out.fill(header, 32, 0x00);
    out.le16(header + 0, recordCount);
    out.byte(header + 7, slotCount);
    out.le16(header + 8, dataUnits);
    out.byte(header + 10, areaCount);
    out.le16(header + 16, storedPointer(records, true));
    out.le16(header + 24, storedPointer(knownCodeList, false));
    out.le16(header + 26, storedPointer(indexBlock, true));
    out.le16(header + 28, storedPointer(codeData, false));
    out.byte(header + 32, keyCount);
    for (std::size_t row = 0; row < keypad.size(); ++row)
        out.byte(header + 33 + row, keyCodeByte(keypad[row].code));

    // Key records: all empty but the factory's own keys.
    out.fill(records, static_cast<std::size_t>(recordCount) * recordSize, 0x00);
    for (const FactoryKey& key : content.keys) {
        const std::size_t address =
            records + static_cast<std::size_t>(key.area * keyCount + key.row) * recordSize;
        out.hex(address, "800000" + key.identifier + key.parameters);
    }

    // Known-code list.
    out.le16(knownCodeList, static_cast<std::uint16_t>(content.knownIdentifiers.size()));
    for (std::size_t i = 0; i < content.knownIdentifiers.size(); ++i)
        out.hex(knownCodeList + 2 + 6 * i, content.knownIdentifiers[i] + "000000");

    // Index block: an empty bitmap (padding bits included) and free slots.
    const std::size_t bitmapBytes = (dataUnits + 7) / 8;
    out.fill(indexBlock, bitmapBytes + static_cast<std::size_t>(slotCount) * slotSize, 0x00);
    return memory;
}

} // namespace qmv::remote
