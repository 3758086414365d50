#include "Player.h"

#include "FactoryImage.h"
#include "HexText.h"
#include "MemoryLayout.h"
#include "VirtualRemote.h"

namespace qmv::remote {

namespace {

class MemoryReader
{
public:
    explicit MemoryReader(const std::vector<std::uint8_t>& memory)
        : m_memory(memory)
    {
    }
    std::optional<int> byte(std::size_t address) const
    {
        return address < m_memory.size() ? std::optional<int>(m_memory[address]) : std::nullopt;
    }
    std::optional<int> le16(std::size_t address) const
    {
        const auto low = byte(address), high = byte(address + 1);
        return low && high ? std::optional<int>(*low | (*high << 8)) : std::nullopt;
    }
    std::optional<std::string> hex(std::size_t address, std::size_t count) const
    {
        if (address + count > m_memory.size())
            return std::nullopt;
        return hex::encode(m_memory.data() + address, count);
    }

private:
    const std::vector<std::uint8_t>& m_memory;
};

} // namespace

std::optional<Playback> playKey(const std::vector<std::uint8_t>& memory, int area, int row)
{
    const MemoryReader read(memory);
    const auto header = read.le16(memory::infoBlock + memory::infoHeaderOffset);
    const auto base = read.le16(memory::infoBlock + memory::infoRelocationBaseOffset);
    if (!header || !base)
        return std::nullopt;
    const auto relocate = [&](int stored) {
        return memory::relocate(stored, static_cast<std::uint16_t>(*header),
                                static_cast<std::uint16_t>(*base));
    };
    const auto keys = read.byte(*header + 32);
    const auto areas = read.byte(*header + 10);
    const auto slots = read.byte(*header + 7);
    const auto bits = read.le16(*header + 8);
    const auto records = read.le16(*header + 16);
    const auto index = read.le16(*header + 26);
    const auto code = read.le16(*header + 28);
    if (!keys || !areas || !slots || !bits || !records || !index || !code || row < 0 || row >= *keys ||
        area < 0 || area >= *areas)
        return std::nullopt;

    const std::size_t recordAddress = relocate(*records) + static_cast<std::size_t>(memory::recordSize) *
                                                               static_cast<std::size_t>(area * *keys + row);
    const auto state = read.byte(recordAddress + memory::recordStateOffset);
    const auto placement = read.byte(recordAddress + memory::recordPlacementOffset);
    const auto parameters = read.hex(recordAddress + memory::recordParametersOffset, memory::parameterBytes);
    if (!state || !placement || !parameters || (*state & 0xA0) != 0x80)
        return std::nullopt;
    if (*placement != memory::slotPlacement) {
        const auto identifier = read.hex(recordAddress + memory::recordReferenceOffset, 3);
        return identifier ? play(*identifier, *parameters, "") : std::nullopt;
    }

    const auto slot = read.byte(recordAddress + memory::recordReferenceOffset);
    if (!slot || *slot >= *slots)
        return std::nullopt;
    const std::size_t slotAddress =
        relocate(*index) + static_cast<std::size_t>((*bits + 7) / 8) +
        static_cast<std::size_t>(memory::slotEntrySize) * static_cast<std::size_t>(*slot);
    const auto identifier = read.hex(slotAddress, 3);
    const auto pointer = read.le16(slotAddress + 3);
    const auto length = read.byte(slotAddress + 5);
    if (!identifier || !pointer || !length || !(*pointer & memory::slotInUseBit))
        return std::nullopt;
    const auto data =
        read.hex(relocate(*code) + memory::unitSize * static_cast<std::size_t>(*pointer & 0x7FFF),
                 static_cast<std::size_t>(memory::unitSize) * static_cast<std::size_t>(*length));
    return data ? play(*identifier, *parameters, *data) : std::nullopt;
}

} // namespace qmv::remote
