#pragma once

#include "ImageModel.h"

#include <optional>
#include <string>
#include <vector>

namespace qmv {

class RemoteLink;
struct ConvertedCode;
class SlotJournal;

enum class StoreResult {
    Stored,
    NoFreeSlot,        // every slot is in use
    NoRoom,            // the code data area has no free run long enough
    InvalidCode,       // the converter's text is not a storable code
    RecordWriteFailed, // a write failed, or the key has no row
};

// The window's mirror of the remote's memory tables, and the only code that changes them.
// Every change is written to the remote first and mirrored only once the write succeeded, so
// the mirror always shows what the remote holds, whatever write fails on the way.
class MemoryImage
{
public:
    MemoryImage(const RemoteLink& link, const ImageSnapshot& snapshot);

    // The holder's note of a slot being taken (see SlotJournal); none by default.
    void setJournal(const SlotJournal* journal) { m_journal = journal; }

    const ImageLayout& layout() const { return m_layout; }
    const std::vector<std::string>& keystatelist() const { return m_keystatelist; }
    const std::string& freemap() const { return m_freemap; }
    std::string indextable() const;
    const std::vector<Slot>& slotTable() const { return m_slots; }
    const std::vector<std::string>& knowncodes() const { return m_knowncodes; }
    const std::vector<KeyRecord>& records() const { return m_records; }

    // The `KeyState` character of entry i ('0', '1' or '2').
    char keyState(int index) const;
    // The row of the first entry whose code equals the key code, ignoring case.
    std::optional<int> rowOf(const std::string& keyCode) const;
    int entryIndex(int area, int row) const { return area * m_layout.keycount + row; }

    // Stores a converted code for the key in the area: directly in its record, in a slot that
    // already holds the same code, or in a new slot with its data. Room is found before anything
    // is written; the key's previous slot is released once nothing names it any more.
    StoreResult StoreLearnedKey(const std::string& keyCode, const std::string& converted, int area);

    // Clears the state byte of record i and releases its slot when no other stored record
    // names it. False when the clearing write failed; nothing has changed then.
    bool ReleaseKeyRecord(int index, const std::string& keyCode);

    // The first entry of the area whose code equals the key code becomes "<code>|0".
    void MarkKeyUnlearned(int area, const std::string& keyCode);

    // Clears the state byte of every learned key of the area; slots stay in use, so a later learn
    // of the same code reuses them. Entries whose write failed keep their state. Returns how many
    // writes failed.
    int ClearArea(int area);

    // Frees the slots in use that no key record holding a code names (see unnamedSlots), with one
    // write of the index block. How many were freed; 0 as well when that write failed.
    int ReclaimUnnamedSlots();

    bool IsKnownCode(const std::string& identifier) const;
    std::string MapToBitmap() const { return mapToBitmap(m_freemap); }

    // What the remote's tables hold according to this mirror, for consistency checks.
    ImageSnapshot snapshot() const;

private:
    struct Placement;
    std::optional<Placement> choosePlacement(const std::string& identifier, const std::string& data) const;
    std::optional<int> findRoom(int units) const;
    bool writeIndexBlock(const std::string& map, const std::vector<Slot>& table) const;
    // Every write goes through here: none may touch the blocks that identify the remote and
    // point at its tables, whatever an image's header says.
    bool write(std::uint16_t address, const std::string& hexData) const;
    StoreResult store(const ConvertedCode& code, const std::string& keyCode, int area);
    // Gives back the slot of a store that a killed program left unsettled, before any change.
    // False when it had to be given back and could not.
    bool settleInterruptedStore();
    bool freeSlots(const std::vector<int>& slots);
    void settleJournal() const;
    bool namedByAnotherRecord(int slot, int exceptRecord) const;
    void releaseSlotIfUnnamed(int slot, int exceptRecord);

    const RemoteLink& m_link;
    const SlotJournal* m_journal = nullptr;
    ImageLayout m_layout;
    std::vector<std::string> m_keyCodes;
    std::vector<std::string> m_keystatelist;
    std::string m_freemap;
    std::vector<Slot> m_slots;
    std::vector<std::string> m_knowncodes;
    std::vector<KeyRecord> m_records;
};

// The converter's text "ID::P1:P2:::DATA" taken apart.
struct ConvertedCode
{
    std::string identifier;
    std::string parameters; // P1 followed by P2: the record's bytes 6-21
    std::string data;
    static std::optional<ConvertedCode> parse(const std::string& text);
};

} // namespace qmv
