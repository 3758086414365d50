#pragma once

#include <filesystem>
#include <vector>

namespace qmv {

// A note, kept by the program that holds the remote (see WriterHold), of the slots a change may
// leave in use with nothing naming them: the new slot a store writes in use before the key's
// record names it, and the slot the key's previous record named, freed only after the record
// that names it is overwritten or cleared. A program killed, or a write that failed, between
// those writes leaves such a slot; the next writer reads the note and gives back every noted slot
// that nothing names before it changes anything else.
class SlotJournal
{
public:
    explicit SlotJournal(std::filesystem::path file);

    // Before the first write of the change; false when the note could not be kept.
    bool noting(const std::vector<int>& slots) const;
    bool taking(int slot) const { return noting({slot}); }
    // Once every noted slot is named or free again.
    void settled() const;
    // The slots of a change that never settled; empty when there is none.
    std::vector<int> interrupted() const;

private:
    std::filesystem::path m_file;
};

} // namespace qmv
