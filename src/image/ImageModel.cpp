#include "ImageModel.h"

#include "HexText.h"
#include "Text.h"

#include <algorithm>
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
            violations.push_back(name + " runs past the last data unit (" + std::to_string(slot.start()) +
                                 "+" + std::to_string(slot.length) + " > " + std::to_string(bits) + ")");
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
            violations.push_back("bitmap marks unit " + std::to_string(u) +
                                 (map[u] == '1' ? " used" : " free") + " but the slots in use say " +
                                 (covered[u] == '1' ? "used" : "free"));

    for (std::size_t i = 0; i < image.records.size(); ++i) {
        const auto slot = image.records[i].slot();
        if (!slot)
            continue;
        if (*slot >= static_cast<int>(image.slotTable.size()) ||
            !image.slotTable[static_cast<std::size_t>(*slot)].inUse())
            violations.push_back("record " + std::to_string(i) + " names slot " + hex::byte(*slot) +
                                 ", which is not in use");
    }
    return violations;
}

} // namespace qmv

namespace qmv {

std::vector<std::string> tablePlacementProblems(const ImageSnapshot& image)
{
    constexpr Texts shown{"qmv::image"};
    std::vector<std::string> problems;
    const ImageLayout& l = image.layout;
    if (l.areacount != keypadAreaCount)
        problems.push_back(shown(QT_TRANSLATE_NOOP("qmv::image", "设备区数为 %1，应为 %2"),
                                 {std::to_string(l.areacount), std::to_string(keypadAreaCount)}));

    const std::vector<MemoryBlock> tables = {
        identityBlock,
        pointerBlock,
        {QT_TRANSLATE_NOOP("qmv::image", "文件头"), l.headeraddr, l.headeraddr + 33L + l.keycount},
        {QT_TRANSLATE_NOOP("qmv::image", "按键记录"), l.recordaddr, l.recordaddr + 22L * l.recordcount},
        {QT_TRANSLATE_NOOP("qmv::image", "已知编码表"), l.listaddr,
         l.listaddr + 2L + 6L * static_cast<long>(image.knownCodes.size())},
        {QT_TRANSLATE_NOOP("qmv::image", "索引区"), l.indexaddr,
         l.indexaddr + l.bitmapBytes() + 6L * l.indexcount},
        {QT_TRANSLATE_NOOP("qmv::image", "编码数据区"), l.codeaddr, l.codeaddr + 8L * l.bitmapbits},
    };
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (tables[i].end > 0x10000)
            problems.push_back(
                shown(QT_TRANSLATE_NOOP("qmv::image", "%1超出存储范围"), {shown(tables[i].name)}));
        for (std::size_t j = std::max<std::size_t>(i + 1, 2); j < tables.size(); ++j)
            if (tables[i].overlaps(tables[j].start, tables[j].end))
                problems.push_back(shown(QT_TRANSLATE_NOOP("qmv::image", "%1与%2重叠"),
                                         {shown(tables[j].name), shown(tables[i].name)}));
    }
    return problems;
}

std::vector<std::string> slotRangeProblems(const ImageSnapshot& image)
{
    constexpr Texts shown{"qmv::image"};
    std::vector<std::string> problems;
    for (std::size_t s = 0; s < image.slotTable.size(); ++s) {
        const Slot& slot = image.slotTable[s];
        if (slot.inUse() && slot.start() + slot.length > image.layout.bitmapbits)
            problems.push_back(
                shown(QT_TRANSLATE_NOOP("qmv::image", "编码索引 %1 超出了编码数据区，可用 qmv718-cli check "
                                                      "--repair 修复"),
                      {hex::byte(static_cast<int>(s))}));
    }
    return problems;
}

std::vector<std::string> layoutProblems(const ImageSnapshot& image)
{
    std::vector<std::string> problems = tablePlacementProblems(image);
    for (std::string& problem : slotRangeProblems(image))
        problems.push_back(std::move(problem));
    return problems;
}

std::vector<int> unnamedSlots(const ImageSnapshot& image)
{
    std::vector<bool> named(image.slotTable.size(), false);
    for (const KeyRecord& record : image.records)
        if (const auto slot = record.slot(); slot && *slot < static_cast<int>(named.size()))
            named[static_cast<std::size_t>(*slot)] = true;
    std::vector<int> unnamed;
    for (std::size_t s = 0; s < image.slotTable.size(); ++s)
        if (image.slotTable[s].inUse() && !named[s])
            unnamed.push_back(static_cast<int>(s));
    return unnamed;
}

namespace {

// The units of a slot's run, when it lies inside the data area and holds any.
std::optional<std::pair<int, int>> runInData(const Slot& slot, int units)
{
    if (slot.length <= 0 || slot.start() + slot.length > units)
        return std::nullopt;
    return std::make_pair(slot.start(), slot.start() + slot.length);
}

// How many of the chosen slots claim each unit.
std::vector<int> claimsOf(const std::vector<Slot>& table, const std::vector<bool>& chosen, int units)
{
    std::vector<int> claims(static_cast<std::size_t>(units), 0);
    for (std::size_t s = 0; s < table.size(); ++s)
        if (const auto run = runInData(table[s], units); chosen[s] && run)
            for (int u = run->first; u < run->second; ++u)
                ++claims[static_cast<std::size_t>(u)];
    return claims;
}

bool claimedOnlyOnce(const std::pair<int, int>& run, const std::vector<int>& claims)
{
    for (int u = run.first; u < run.second; ++u)
        if (claims[static_cast<std::size_t>(u)] != 1)
            return false;
    return true;
}

} // namespace

TableRepair planRepair(const ImageSnapshot& image)
{
    const std::size_t slotCount = image.slotTable.size();
    const std::string map = bitmapToMap(image.bitmap);
    const int units = std::min(image.layout.bitmapbits, static_cast<int>(map.size()));
    const auto& table = image.slotTable;

    std::vector<bool> inUse(slotCount);
    std::vector<bool> named(slotCount, false);
    for (std::size_t s = 0; s < slotCount; ++s)
        inUse[s] = table[s].inUse();
    for (const KeyRecord& record : image.records)
        if (const auto slot = record.slot(); slot && *slot < static_cast<int>(slotCount))
            named[static_cast<std::size_t>(*slot)] = true;

    // Slots in use whose data is sound: a run in the data area that no other slot in use shares.
    const std::vector<int> claims = claimsOf(table, inUse, units);
    std::vector<bool> sound(slotCount, false);
    for (std::size_t s = 0; s < slotCount; ++s)
        if (const auto run = runInData(table[s], units); inUse[s] && run)
            sound[s] = claimedOnlyOnce(*run, claims);

    // Free slots a record names whose units the bitmap still holds and nobody else claims.
    std::vector<bool> candidate(slotCount, false);
    for (std::size_t s = 0; s < slotCount; ++s) {
        const auto run = runInData(table[s], units);
        if (inUse[s] || !named[s] || !run)
            continue;
        bool untouched = true;
        for (int u = run->first; u < run->second && untouched; ++u)
            untouched = map[static_cast<std::size_t>(u)] == '1' && claims[static_cast<std::size_t>(u)] == 0;
        candidate[s] = untouched;
    }
    // Two such slots sharing a unit: neither is provably the owner of its data.
    const std::vector<int> candidateClaims = claimsOf(table, candidate, units);

    TableRepair repair;
    repair.slotTable = table;
    std::vector<bool> kept = sound;
    for (std::size_t s = 0; s < slotCount; ++s)
        if (candidate[s] && claimedOnlyOnce(*runInData(table[s], units), candidateClaims)) {
            kept[s] = true;
            repair.restoredSlots.push_back(static_cast<int>(s));
            repair.slotTable[s].pointer = static_cast<std::uint16_t>(table[s].pointer | memory::slotInUseBit);
        }

    std::vector<bool> stillNamed(slotCount, false);
    for (std::size_t i = 0; i < image.records.size(); ++i) {
        const auto slot = image.records[i].slot();
        if (!slot)
            continue;
        if (*slot >= static_cast<int>(slotCount) || !kept[static_cast<std::size_t>(*slot)])
            repair.clearedRecords.push_back(static_cast<int>(i));
        else
            stillNamed[static_cast<std::size_t>(*slot)] = true;
    }

    std::string rebuilt(map.size(), '0');
    for (std::size_t s = 0; s < slotCount; ++s) {
        if (kept[s] && stillNamed[s]) {
            const auto run = runInData(repair.slotTable[s], units);
            for (int u = run->first; u < run->second; ++u)
                rebuilt[static_cast<std::size_t>(u)] = '1';
        } else if (inUse[s]) {
            repair.freedSlots.push_back(static_cast<int>(s));
            repair.slotTable[s] = Slot::released();
        }
    }
    for (std::size_t u = 0; u < map.size(); ++u)
        repair.bitmapUnits += map[u] != rebuilt[u];
    repair.bitmap = mapToBitmap(rebuilt);
    return repair;
}

} // namespace qmv
