#pragma once

#include "ImageModel.h"
#include "StoredCode.h"

#include <optional>
#include <string>
#include <vector>

namespace qmv {

class RemoteLink;
class SlotJournal;

enum class StoreResult {
    Stored,
    NoFreeSlot,        // every slot is in use
    NoRoom,            // the code data area has no free run long enough
    InvalidCode,       // the converter's text is not a storable code
    RecordWriteFailed, // a write failed, or the key has no row
    Refused,           // nothing was written: see MemoryImage::refusal()
};

// When a writer reads the remote's identity again before it changes the remote: a command once,
// before its first write; the window, which keeps its tables for its whole life, before each change.
enum class IdentityCheck { BeforeFirstChange, BeforeEachChange };

// The window's mirror of the remote's memory tables, and the only code that changes them.
// Every change is written to the remote first and mirrored only once the write succeeded, so
// the mirror always shows what the remote holds, whatever write fails on the way.
class MemoryImage
{
public:
    MemoryImage(const RemoteLink& link, const ImageSnapshot& snapshot);

    // The holder's note of slots a change may leave unnamed (see SlotJournal); none by default.
    void setJournal(const SlotJournal* journal) { m_journal = journal; }
    // The identity of the remote the tables were read from. Once set, a change is refused when the
    // remote attached then has another one: the tables would be written into a different remote.
    void setRemoteIdentity(std::string remoteid, IdentityCheck when);
    // Why the last change was refused before anything was written; empty when it was not refused.
    // A change is refused when the records, slot table and bitmap read disagree (a store could
    // hand out a slot or data units that are not free), or when the remote was replaced.
    const std::string& refusal() const { return m_refusal; }

    const ImageLayout& layout() const { return m_layout; }
    const std::vector<std::string>& keystatelist() const { return m_keystatelist; }
    const std::string& freemap() const { return m_freemap; }
    std::string indextable() const;
    const std::vector<Slot>& slotTable() const { return m_slots; }
    const std::vector<std::string>& knowncodes() const { return m_knowncodes; }
    const std::vector<KeyRecord>& records() const { return m_records; }

    KeyState stateOf(int index) const;
    // Its `KeyState` character.
    char keyState(int index) const { return stateOf(index).character(); }
    // The row of the first entry whose code equals the key code, ignoring case.
    std::optional<int> rowOf(const std::string& keyCode) const;
    int entryIndex(int area, int row) const { return area * m_layout.keycount + row; }

    // Stores a converted code for the key in the area: directly in its record, in a slot that
    // already holds the same code, or in a new slot with its data. Room is found before anything
    // is written; the key's previous slot is released once nothing names it any more.
    StoreResult StoreLearnedKey(const std::string& keyCode, const std::string& converted, int area);
    // The same for a code already taken apart.
    StoreResult StoreLearnedKey(const std::string& keyCode, const StoredCode& code, int area);

    // Clears the state byte of record i and releases its slot when no other stored record
    // names it. False when the clearing write failed or the change was refused; nothing has
    // changed then.
    bool ReleaseKeyRecord(int index, const std::string& keyCode);

    // The first entry of the area whose code equals the key code becomes "<code>|0".
    void MarkKeyUnlearned(int area, const std::string& keyCode);

    // Clears the state byte of every learned key of the area; slots stay in use, so a later learn
    // of the same code reuses them. Entries whose write failed keep their state. Returns how many
    // writes failed; nothing when the change was refused before any write.
    std::optional<int> ClearArea(int area);

    // Frees the slots in use that no key record holding a code names (see unnamedSlots), with one
    // write of the index block. How many were freed; 0 as well when that write failed.
    int ReclaimUnnamedSlots();

    // Makes records, slot table and bitmap agree as planRepair says: the records to clear first,
    // then the index block in one write. The only change allowed while the tables disagree.
    // Nothing when refused (the remote was replaced) or when a write failed; running it again
    // goes on from what was written.
    std::optional<TableRepair> Repair();

    bool IsKnownCode(const std::string& identifier) const;
    std::string MapToBitmap() const { return mapToBitmap(m_freemap); }

    // What the remote's tables hold according to this mirror, for consistency checks.
    ImageSnapshot snapshot() const;

private:
    struct Placement;
    std::optional<Placement> choosePlacement(const StoredCode& code) const;
    std::optional<int> findRoom(int units) const;
    bool writeIndexBlock(const std::string& map, const std::vector<Slot>& table) const;
    // Every write goes through here: none may touch the blocks that identify the remote and
    // point at its tables, whatever an image's header says.
    bool write(std::uint16_t address, const std::string& hexData) const;
    StoreResult store(const StoredCode& code, const std::string& keyCode, int area);
    // Whether a change may begin: the tables agree (unless it is the repair) and the remote is
    // still the one they were read from. Sets the refusal when not.
    bool mayChange(bool tablesMustAgree);
    // Gives back the slots a change that was killed or failed left unnamed, before any change.
    // False when one had to be given back and could not.
    bool settleInterruptedChange();
    bool noteUnsettled(const std::vector<int>& slots) const;
    int reclaimUnnamedSlots();
    bool freeSlots(const std::vector<int>& slots);
    void settleJournal() const;
    bool namedByAnotherRecord(int slot, int exceptRecord) const;
    // False only when the slot had to be freed and its write failed.
    bool releaseSlotIfUnnamed(int slot, int exceptRecord);
    void markEntryUnlearned(int index);

    const RemoteLink& m_link;
    const SlotJournal* m_journal = nullptr;
    ImageLayout m_layout;
    std::vector<std::string> m_keyCodes;
    std::vector<std::string> m_keystatelist;
    std::string m_freemap;
    std::vector<Slot> m_slots;
    std::vector<std::string> m_knowncodes;
    std::vector<KeyRecord> m_records;
    std::string m_remoteid;
    IdentityCheck m_identityCheck = IdentityCheck::BeforeFirstChange;
    bool m_identityConfirmed = false;
    std::size_t m_tableFaults = 0; // disagreements of the tables as read
    std::string m_refusal;
};

} // namespace qmv
