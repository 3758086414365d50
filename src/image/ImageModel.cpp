#include "ImageModel.h"

#include "HexText.h"

#include <map>

namespace qmv {

std::optional<KeyRecord> KeyRecord::parse(std::string_view text)
{
    if (text.size() < 44 || !hex::isHex(text.substr(0, 44)))
        return std::nullopt;
    KeyRecord record;
    record.state = *hex::byteAt(text, 0);
    record.placement = *hex::byteAt(text, 2);
    record.reference = std::string(text.substr(6, 6));
    record.parameters = std::string(text.substr(12, 32));
    return record;
}

std::optional<int> KeyRecord::slot() const
{
    if (!holdsCode() || placement != 0x80)
        return std::nullopt;
    return hex::byteAt(reference, 0);
}

std::optional<Slot> Slot::parse(std::string_view text)
{
    if (text.size() < 12 || !hex::isHex(text.substr(0, 12)))
        return std::nullopt;
    Slot slot;
    slot.identifier = hex::upper(std::string(text.substr(0, 6)));
    slot.pointer = static_cast<std::uint16_t>(*hex::le16At(text, 3));
    slot.length = *hex::byteAt(text, 5);
    return slot;
}

Slot Slot::make(const std::string& identifier, int start, int length)
{
    return Slot{identifier, static_cast<std::uint16_t>(0x8000 + start), length};
}

std::string Slot::text() const
{
    return identifier + hex::le16(pointer) + hex::byte(length);
}

std::string bitmapToMap(const std::string& bitmapHex)
{
    std::string map;
    map.reserve(bitmapHex.size() * 4);
    for (char c : bitmapHex) {
        const int value = hex::digit(c).value_or(0);
        for (int bit = 3; bit >= 0; --bit)
            map += (value >> bit) & 1 ? '1' : '0';
    }
    return map;
}

std::string mapToBitmap(const std::string& map)
{
    std::string bitmap;
    for (std::size_t i = 0; i < map.size(); i += 8) {
        int value = 0;
        for (std::size_t bit = 0; bit < 8; ++bit)
            value = (value << 1) | (i + bit < map.size() && map[i + bit] == '1' ? 1 : 0);
        bitmap += hex::byte(value);
    }
    return bitmap;
}

std::vector<std::string> checkInvariants(const ImageSnapshot& image)
{
    std::vector<std::string> violations;
    const int bits = image.layout.bitmapbits;
    const std::string map = bitmapToMap(image.bitmap);

    std::string covered(map.size(), '0');
    std::map<int, int> owner; // unit -> slot
    for (std::size_t s = 0; s < image.slotTable.size(); ++s) {
        const Slot& slot = image.slotTable[s];
        if (!slot.inUse())
            continue;
        const std::string name = "slot " + hex::byte(static_cast<int>(s));
        if (slot.length == 0)
            violations.push_back(name + " is in use but holds no data units");
        if (slot.start() + slot.length > bits) {
            violations.push_back(name + " runs past the last data unit (" + std::to_string(slot.start()) + "+" +
                                 std::to_string(slot.length) + " > " + std::to_string(bits) + ")");
            continue;
        }
        for (int u = slot.start(); u < slot.start() + slot.length; ++u) {
            if (const auto other = owner.find(u); other != owner.end())
                violations.push_back(name + " overlaps slot " + hex::byte(other->second) + " at unit " +
                                     std::to_string(u));
            owner[u] = static_cast<int>(s);
            covered[static_cast<std::size_t>(u)] = '1';
        }
    }
    for (std::size_t u = 0; u < map.size(); ++u)
        if (map[u] != covered[u])
            violations.push_back("bitmap marks unit " + std::to_string(u) + (map[u] == '1' ? " used" : " free") +
                                 " but the slots in use say " + (covered[u] == '1' ? "used" : "free"));

    for (std::size_t i = 0; i < image.records.size(); ++i) {
        const auto slot = image.records[i].slot();
        if (!slot)
            continue;
        if (*slot >= static_cast<int>(image.slotTable.size()) || !image.slotTable[static_cast<std::size_t>(*slot)].inUse())
            violations.push_back("record " + std::to_string(i) + " names slot " + hex::byte(*slot) +
                                 ", which is not in use");
    }
    return violations;
}

} // namespace qmv
