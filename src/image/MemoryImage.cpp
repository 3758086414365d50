#include "MemoryImage.h"

#include "HexText.h"
#include "MemoryLayout.h"
#include "RemoteLink.h"
#include "SlotJournal.h"
#include "Text.h"

#include <algorithm>

namespace qmv {

namespace {

constexpr Texts shown{"qmv::image"};
constexpr int maxUnitsPerSlot = 255; // a slot's length is one byte
// The identity read again before a change: its first units, enough for the identity's characters.
constexpr int identityUnits = 2;
constexpr std::size_t identityBuffer = 64;
static_assert(identityUnits * memory::unitSize >= static_cast<int>(memory::identitySize));

std::string entryCode(const std::string& entry)
{
    return entry.substr(0, 2);
}

} // namespace

struct MemoryImage::Placement
{
    enum Kind { Direct, ExistingSlot, NewSlot } kind;
    int slot = -1;
    int start = 0;
    int units = 0;
};

MemoryImage::MemoryImage(const RemoteLink& link, const ImageSnapshot& snapshot)
    : m_link(link)
    , m_layout(snapshot.layout)
    , m_keyCodes(snapshot.keyCodes)
    , m_slots(snapshot.slotTable)
    , m_knowncodes(snapshot.knownCodes)
    , m_records(snapshot.records)
    , m_tableFaults(checkInvariants(snapshot).size())
{
    for (int area = 0; area < m_layout.areacount; ++area)
        for (int row = 0; row < m_layout.keycount; ++row) {
            const auto& record = m_records[static_cast<std::size_t>(entryIndex(area, row))];
            m_keystatelist.push_back(
                KeyStateEntry::loaded(m_keyCodes[static_cast<std::size_t>(row)], record.stateOfKey()).text());
        }
    // The bitmap as read: where it disagrees with the slots, every change but the repair is refused.
    m_freemap = bitmapToMap(snapshot.bitmap);
}

void MemoryImage::setRemoteIdentity(std::string remoteid, IdentityCheck when)
{
    m_remoteid = std::move(remoteid);
    m_identityCheck = when;
    m_identityConfirmed = false;
}

bool MemoryImage::mayChange(bool tablesMustAgree)
{
    m_refusal.clear();
    if (tablesMustAgree && m_tableFaults > 0) {
        m_refusal =
            shown(QT_TRANSLATE_NOOP("qmv::image",
                                    "遥控器的按键记录、编码索引表和存储位图有 %1 处互相矛盾，为免写坏按键，"
                                    "没有写入任何内容。请先用 qmv718-cli check --repair 修复（qmv718-cli "
                                    "check 列出矛盾之处）。"),
                  {std::to_string(m_tableFaults)});
        return false;
    }
    if (m_remoteid.empty() || (m_identityConfirmed && m_identityCheck == IdentityCheck::BeforeFirstChange))
        return true;
    const std::string identity = m_link.readData(memory::identityBlock, identityUnits, identityBuffer);
    if (identity.size() < m_remoteid.size()) {
        m_refusal = shown(QT_TRANSLATE_NOOP(
            "qmv::image", "无法读出遥控器的识别信息，没有写入任何内容。请检查USB连接线后再试。"));
        return false;
    }
    if (identity.compare(0, m_remoteid.size(), m_remoteid) != 0) {
        m_refusal = shown(QT_TRANSLATE_NOOP(
            "qmv::image", "连接的遥控器已换成另一个（识别信息与读出按键表时不同），没有写入任何内容。"
                          "请重新打开程序或重新运行命令后再试。"));
        return false;
    }
    m_identityConfirmed = true;
    return true;
}

std::string MemoryImage::indextable() const
{
    std::string text;
    for (const Slot& slot : m_slots)
        text += slot.text();
    return text;
}

KeyState MemoryImage::stateOf(int index) const
{
    return KeyStateEntry::parse(m_keystatelist.at(static_cast<std::size_t>(index))).state;
}

std::optional<int> MemoryImage::rowOf(const std::string& keyCode) const
{
    for (std::size_t k = 0; k < m_keystatelist.size(); ++k)
        if (hex::equalsIgnoringCase(entryCode(m_keystatelist[k]), keyCode))
            return static_cast<int>(k);
    return std::nullopt;
}

bool MemoryImage::IsKnownCode(const std::string& identifier) const
{
    for (const std::string& known : m_knowncodes)
        if (hex::equalsIgnoringCase(known, identifier))
            return true;
    return false;
}

std::optional<int> MemoryImage::findRoom(int units) const
{
    const int bits = m_layout.bitmapbits;
    for (int start = 0; start < bits; ++start) {
        if (m_freemap[static_cast<std::size_t>(start)] == '1')
            continue;
        if (start + units > bits)
            return std::nullopt;
        if (m_freemap.compare(static_cast<std::size_t>(start), static_cast<std::size_t>(units),
                              std::string(static_cast<std::size_t>(units), '0')) == 0)
            return start;
    }
    return std::nullopt;
}

std::optional<MemoryImage::Placement> MemoryImage::choosePlacement(const StoredCode& code) const
{
    const std::string& identifier = code.identifier;
    if (IsKnownCode(identifier) ||
        (memory::isDirectProtocolNumber(hex::byteAt(identifier, 0).value_or(0xFF)) &&
         identifier.substr(2) == "0000"))
        return Placement{Placement::Direct};
    for (std::size_t s = 0; s < m_slots.size(); ++s)
        if (m_slots[s].inUse() && m_slots[s].identifier == identifier)
            return Placement{Placement::ExistingSlot, static_cast<int>(s)};
    for (std::size_t s = 0; s < m_slots.size(); ++s)
        if (!m_slots[s].inUse())
            return Placement{Placement::NewSlot, static_cast<int>(s), 0, static_cast<int>(code.dataUnits())};
    return std::nullopt;
}

bool MemoryImage::write(std::uint16_t address, const std::string& hexData) const
{
    const long end = address + static_cast<long>(hexData.size() / 2);
    if (end > 0x10000 || identityBlock.overlaps(address, end) || pointerBlock.overlaps(address, end))
        return false;
    return m_link.writeData(m_layout.bankcode, address, hexData);
}

bool MemoryImage::writeIndexBlock(const std::string& map, const std::vector<Slot>& table) const
{
    std::string block = mapToBitmap(map);
    for (const Slot& slot : table)
        block += slot.text();
    return write(m_layout.indexaddr, block);
}

void MemoryImage::settleJournal() const
{
    if (m_journal)
        m_journal->settled();
}

bool MemoryImage::noteUnsettled(const std::vector<int>& slots) const
{
    return !m_journal || slots.empty() || m_journal->noting(slots);
}

bool MemoryImage::freeSlots(const std::vector<int>& slots)
{
    std::string map = m_freemap;
    std::vector<Slot> table = m_slots;
    for (const int s : slots) {
        const Slot& old = m_slots[static_cast<std::size_t>(s)];
        for (int u = old.start(); u < old.start() + old.length && u < static_cast<int>(map.size()); ++u)
            map[static_cast<std::size_t>(u)] = '0';
        table[static_cast<std::size_t>(s)] = Slot::released();
    }
    if (!writeIndexBlock(map, table))
        return false;
    m_freemap = std::move(map);
    m_slots = std::move(table);
    return true;
}

bool MemoryImage::settleInterruptedChange()
{
    const std::vector<int> noted = m_journal ? m_journal->interrupted() : std::vector<int>{};
    if (noted.empty())
        return true;
    std::vector<int> unnamed;
    for (const int slot : unnamedSlots(snapshot()))
        if (std::find(noted.begin(), noted.end(), slot) != noted.end())
            unnamed.push_back(slot);
    if (!unnamed.empty() && !freeSlots(unnamed))
        return false; // the note stays for the next attempt
    settleJournal();
    return true;
}

int MemoryImage::ReclaimUnnamedSlots()
{
    return mayChange(true) ? reclaimUnnamedSlots() : 0;
}

int MemoryImage::reclaimUnnamedSlots()
{
    const std::vector<int> unnamed = unnamedSlots(snapshot());
    if (!unnamed.empty() && !freeSlots(unnamed))
        return 0;
    settleJournal(); // a noted slot was among them, or is named
    return static_cast<int>(unnamed.size());
}

bool MemoryImage::namedByAnotherRecord(int slot, int exceptRecord) const
{
    for (std::size_t i = 0; i < m_records.size(); ++i)
        if (static_cast<int>(i) != exceptRecord && m_records[i].slot() == slot)
            return true;
    return false;
}

bool MemoryImage::releaseSlotIfUnnamed(int slot, int exceptRecord)
{
    if (slot < 0 || slot >= static_cast<int>(m_slots.size()) ||
        !m_slots[static_cast<std::size_t>(slot)].inUse() || namedByAnotherRecord(slot, exceptRecord))
        return true;
    // Should the write fail, the remote still holds the slot in use, and so does the mirror.
    return freeSlots({slot});
}

StoreResult MemoryImage::StoreLearnedKey(const std::string& keyCode, const std::string& converted, int area)
{
    const auto code = readConverterOutput(converted);
    return code ? StoreLearnedKey(keyCode, *code, area) : StoreResult::InvalidCode;
}

StoreResult MemoryImage::StoreLearnedKey(const std::string& keyCode, const StoredCode& given, int area)
{
    const auto code = wellFormed(given);
    if (!code)
        return StoreResult::InvalidCode;
    if (!mayChange(true))
        return StoreResult::Refused;
    // A store takes a note of its own, so an unsettled one must be given back first.
    if (!settleInterruptedChange())
        return StoreResult::RecordWriteFailed;
    const StoreResult result = store(*code, keyCode, area);
    // Space that nothing names any more is taken back only when it is needed, so that a cleared
    // key's code can still be found in its slot until then.
    if ((result == StoreResult::NoFreeSlot || result == StoreResult::NoRoom) && reclaimUnnamedSlots() > 0)
        return store(*code, keyCode, area);
    return result;
}

StoreResult MemoryImage::store(const StoredCode& code, const std::string& keyCode, int area)
{
    auto placement = choosePlacement(code);
    if (!placement)
        return StoreResult::NoFreeSlot;
    if (placement->kind == Placement::NewSlot) {
        if (placement->units == 0)
            return StoreResult::InvalidCode;
        const auto start = code.fitsSlot() ? findRoom(placement->units) : std::nullopt;
        if (!start)
            return StoreResult::NoRoom;
        placement->start = *start;
    }
    const auto row = rowOf(keyCode);
    if (!row || area < 0 || area >= m_layout.areacount)
        return StoreResult::RecordWriteFailed;
    const int index = entryIndex(area, *row);

    // A new slot's data and its slot entry go first, and the previous slot is freed last: until
    // the record names the new slot, and after it stops naming the old one, a slot in use that
    // nothing names is the worst a failure can leave. Both are noted, for the next writer to give
    // back should this one not get there.
    const std::optional<int> previousSlot = m_records[static_cast<std::size_t>(index)].slot();
    std::vector<int> unsettled;
    if (placement->kind == Placement::NewSlot)
        unsettled.push_back(placement->slot);
    if (previousSlot && *previousSlot != placement->slot)
        unsettled.push_back(*previousSlot);
    if (!noteUnsettled(unsettled))
        return StoreResult::RecordWriteFailed;

    std::string newMap = m_freemap;
    std::vector<Slot> newSlots = m_slots;
    if (placement->kind == Placement::NewSlot) {
        for (int u = placement->start; u < placement->start + placement->units; ++u)
            newMap[static_cast<std::size_t>(u)] = '1';
        newSlots[static_cast<std::size_t>(placement->slot)] =
            Slot::make(code.identifier, placement->start, placement->units);
        if (!write(static_cast<std::uint16_t>(m_layout.codeaddr + ImageLayout::unitBytes * placement->start),
                   code.data) ||
            !writeIndexBlock(newMap, newSlots)) {
            // The index block is written whole or not at all: the slot is still free.
            settleJournal();
            return StoreResult::RecordWriteFailed;
        }
        m_freemap = newMap;
        m_slots = newSlots;
    }

    const bool direct = placement->kind == Placement::Direct;
    const std::string reference = direct ? code.identifier : hex::byte(placement->slot) + "FFFF";
    const std::string recordText = std::string(direct ? "C00000" : "C00080") + reference + code.parameters;
    if (!write(m_layout.recordAddress(index), recordText)) {
        // The old record still names the previous slot; only a new slot may be left unnamed.
        if (placement->kind != Placement::NewSlot || releaseSlotIfUnnamed(placement->slot, -1))
            settleJournal();
        return StoreResult::RecordWriteFailed;
    }

    m_records[static_cast<std::size_t>(index)] =
        KeyRecord{0xC0, direct ? 0x00 : 0x80, reference, code.parameters};
    const std::string rowCode = entryCode(m_keystatelist[static_cast<std::size_t>(index)]);
    m_keystatelist[static_cast<std::size_t>(index)] =
        (direct ? KeyStateEntry::direct(rowCode, code.identifier)
                : KeyStateEntry::inSlot(rowCode, placement->slot, placement->kind == Placement::NewSlot))
            .text();
    // The key is stored whatever becomes of the previous slot: should freeing it fail, the note
    // stays and the next change frees it.
    if (!previousSlot || *previousSlot == placement->slot || releaseSlotIfUnnamed(*previousSlot, -1))
        settleJournal();
    return StoreResult::Stored;
}

bool MemoryImage::ReleaseKeyRecord(int index, const std::string& /*keyCode*/)
{
    if (index < 0 || index >= static_cast<int>(m_records.size()) || !mayChange(true) ||
        !settleInterruptedChange())
        return false;
    const std::uint16_t address = m_layout.recordAddress(index);
    const std::string read = m_link.readData(address, 5, 512);

    // The remote's own record says which slot it used; the mirror stands in if it could not be read.
    KeyRecord& record = m_records[static_cast<std::size_t>(index)];
    std::optional<int> slot;
    if (const auto stored = KeyRecord::parse(read); stored && stored->placement == 0x80)
        slot = hex::byteAt(stored->reference, 0);
    else if (!stored && record.placement == 0x80)
        slot = hex::byteAt(record.reference, 0);
    if (slot && !noteUnsettled({*slot}))
        return false;
    if (!write(address, "00")) {
        settleJournal(); // the record still names its slot
        return false;
    }
    record.state = 0x00;
    if (!slot || releaseSlotIfUnnamed(*slot, index))
        settleJournal();
    return true;
}

void MemoryImage::MarkKeyUnlearned(int area, const std::string& keyCode)
{
    if (area < 0 || area >= m_layout.areacount)
        return;
    for (int row = 0; row < m_layout.keycount; ++row) {
        std::string& entry = m_keystatelist[static_cast<std::size_t>(entryIndex(area, row))];
        if (entryCode(entry) == keyCode) {
            entry = KeyStateEntry::loaded(entryCode(entry), KeyState::NoCode).text();
            return;
        }
    }
}

std::optional<int> MemoryImage::ClearArea(int area)
{
    int failures = 0;
    if (area < 0 || area >= m_layout.areacount)
        return failures;
    if (!mayChange(true))
        return std::nullopt;
    settleInterruptedChange();
    for (int row = 0; row < m_layout.keycount; ++row) {
        const int index = entryIndex(area, row);
        if (!stateOf(index).learned())
            continue;
        if (!write(m_layout.recordAddress(index), "00")) {
            ++failures;
            continue;
        }
        markEntryUnlearned(index);
    }
    return failures;
}

void MemoryImage::markEntryUnlearned(int index)
{
    m_records[static_cast<std::size_t>(index)].state = 0x00;
    std::string& entry = m_keystatelist[static_cast<std::size_t>(index)];
    entry = KeyStateEntry::loaded(entryCode(entry), KeyState::NoCode).text();
}

std::optional<TableRepair> MemoryImage::Repair()
{
    if (!mayChange(false))
        return std::nullopt;
    TableRepair repair = planRepair(snapshot());
    // The records first: a slot is freed only once nothing names it.
    for (const int index : repair.clearedRecords) {
        if (!write(m_layout.recordAddress(index), "00"))
            return std::nullopt;
        markEntryUnlearned(index);
    }
    const std::string map = bitmapToMap(repair.bitmap);
    if (repair.changesIndexBlock()) {
        if (!writeIndexBlock(map, repair.slotTable))
            return std::nullopt;
        m_freemap = map;
        m_slots = repair.slotTable;
    }
    m_tableFaults = checkInvariants(snapshot()).size();
    settleJournal(); // no slot in use is left unnamed
    return repair;
}

ImageSnapshot MemoryImage::snapshot() const
{
    return ImageSnapshot{m_layout, m_keyCodes, m_records, MapToBitmap(), m_slots, m_knowncodes};
}

} // namespace qmv
