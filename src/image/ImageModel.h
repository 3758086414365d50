#pragma once

#include "KeyState.h"
#include "MemoryLayout.h"
#include "Text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qmv {

// Where the remote keeps its tables, as its header and info block describe them.
struct ImageLayout
{
    std::uint16_t headeraddr = 0;
    std::uint16_t relocbase = 0;
    std::string bankcode; // two hex characters: the device tag of every write
    int recordcount = 0;
    int indexcount = 0;
    int bitmapbits = 0;
    int areacount = 0;
    int keycount = 0;
    std::uint16_t recordaddr = 0;
    std::uint16_t listaddr = 0;
    std::uint16_t indexaddr = 0;
    std::uint16_t codeaddr = 0;

    static constexpr int recordBytes = memory::recordSize;
    static constexpr int slotBytes = memory::slotEntrySize;
    static constexpr int unitBytes = memory::unitSize;

    int bitmapBytes() const { return (bitmapbits + 7) / 8; }
    std::uint16_t recordAddress(int index) const
    {
        return static_cast<std::uint16_t>(recordaddr + recordBytes * index);
    }
    // A header pointer as stored, made into an address.
    std::uint16_t relocate(int stored) const { return memory::relocate(stored, headeraddr, relocbase); }
};

// One key record as the remote stores it.
struct KeyRecord
{
    int state = 0;
    int placement = 0;
    std::string reference;  // bytes 3-5: identifier (direct) or slot number and FFFF
    std::string parameters; // bytes 6-21

    static std::optional<KeyRecord> parse(std::string_view text44);
    // The state byte says the key holds a code.
    bool holdsCode() const { return (state & 0xA0) == 0x80; }
    bool learnedHere() const { return (state & 0x40) != 0; }
    // The slot a stored code lives in, for a record that holds one in a slot.
    std::optional<int> slot() const;
    KeyState stateOfKey() const
    {
        return !holdsCode() ? KeyState::NoCode : learnedHere() ? KeyState::Learned : KeyState::Foreign;
    }
    // Its `KeyState` character.
    char keyState() const { return stateOfKey().character(); }
};

// One entry of the slot table.
struct Slot
{
    std::string identifier; // six hex characters
    std::uint16_t pointer = 0;
    int length = 0;

    static std::optional<Slot> parse(std::string_view text12);
    static Slot make(const std::string& identifier, int start, int length);
    // A slot as the tool frees it: twelve "0" characters.
    static Slot released() { return Slot{"000000", 0, 0}; }
    bool inUse() const { return (pointer & 0x8000) != 0; }
    int start() const { return pointer & 0x7FFF; }
    std::string text() const;
};

// Everything start-up reads of the remote's memory, before it becomes the window's state.
struct ImageSnapshot
{
    ImageLayout layout;
    std::vector<std::string> keyCodes;   // per key row, two hex characters
    std::vector<KeyRecord> records;      // keycount x areacount records
    std::string bitmap;                  // hex text of bitmapBytes() bytes
    std::vector<Slot> slotTable;         // indexcount slots
    std::vector<std::string> knownCodes; // six-character identifiers
};

// The map form of the bitmap: one "0"/"1" character per unit, most significant bit first.
std::string bitmapToMap(const std::string& bitmapHex);
std::string mapToBitmap(const std::string& map);

// The ways the stored tables can contradict each other; empty when consistent.
std::vector<std::string> checkInvariants(const ImageSnapshot& image);

// A range of memory addresses, end excluded.
struct MemoryBlock
{
    const char* name;
    long start;
    long end;
    bool overlaps(long otherStart, long otherEnd) const { return start < otherEnd && otherStart < end; }
};

// The blocks that identify the remote and point at its tables. No table may lie over them, and
// nothing the tool writes may touch them: a remote whose identity or pointers are overwritten
// can no longer be read.
inline constexpr MemoryBlock identityBlock{
    QT_TRANSLATE_NOOP("qmv::image", "识别信息块"), memory::identityBlock,
    memory::identityBlock + static_cast<long>(memory::identityBlockSize)};
// As start-up reads it: two units of eight bytes.
inline constexpr MemoryBlock pointerBlock{QT_TRANSLATE_NOOP("qmv::image", "存储区指针块"), memory::infoBlock,
                                          memory::infoBlock + 16};
inline constexpr int keypadAreaCount = 4;

// What makes an image unusable though its tables could be read: a device-area count other than
// the keypad's four, tables that overlap each other or the blocks above or run past the memory
// (tablePlacementProblems), and slots whose data runs past the bitmap (slotRangeProblems, which
// a repair can mend). Empty when the layout is sound.
std::vector<std::string> layoutProblems(const ImageSnapshot& image);
std::vector<std::string> tablePlacementProblems(const ImageSnapshot& image);
std::vector<std::string> slotRangeProblems(const ImageSnapshot& image);

// Slots in use whose data no key record holding a code refers to: space a failed learn, or the
// clearing of an area, left taken.
std::vector<int> unnamedSlots(const ImageSnapshot& image);

// What a repair changes so that records, slot table and bitmap agree, planned from the tables
// alone. It never frees a slot that a record still names: a record whose slot's data cannot be
// trusted is cleared instead, so that its key says it holds nothing rather than playing whatever
// another code left in those units.
struct TableRepair
{
    // Free slots a record names whose data is provably untouched, back in use: their run lies
    // in the data area, the bitmap still marks every unit of it used and no slot in use (nor
    // another such slot) claims any of them, so no store can have written there since.
    std::vector<int> restoredSlots;
    // Records naming a slot that is free and not provably untouched, that does not exist, that
    // holds no data, runs past the data area or shares units with another slot in use.
    std::vector<int> clearedRecords;
    // Slots in use that no record is left naming.
    std::vector<int> freedSlots;
    // Units whose bit the bitmap gets changed: it is rebuilt from the slots left in use.
    int bitmapUnits = 0;
    std::vector<Slot> slotTable;
    std::string bitmap;

    bool changesIndexBlock() const
    {
        return !restoredSlots.empty() || !freedSlots.empty() || bitmapUnits > 0;
    }
    bool empty() const { return clearedRecords.empty() && !changesIndexBlock(); }
};
TableRepair planRepair(const ImageSnapshot& image);

} // namespace qmv
