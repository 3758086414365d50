#pragma once

#include <filesystem>
#include <optional>

namespace qmv {

// A note, kept by the program that holds the remote (see WriterHold), of the slot a store is
// about to take. A new slot is written in use before the key's record names it, so a program
// killed between the two writes leaves a slot that nothing names; the next writer reads the note
// and gives that slot back before it changes anything else.
class SlotJournal
{
public:
    explicit SlotJournal(std::filesystem::path file);

    // Before the slot is written in use; false when the note could not be kept.
    bool taking(int slot) const;
    // Once the record names the slot, or the slot is free again.
    void settled() const;
    // The slot of a store that never settled.
    std::optional<int> interrupted() const;

private:
    std::filesystem::path m_file;
};

} // namespace qmv
