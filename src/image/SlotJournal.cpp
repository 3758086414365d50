#include "SlotJournal.h"

#include "AtomicFile.h"

#include <sstream>

namespace qmv {

namespace {

constexpr const char* slotWord = "slot";
// A note names a handful of slots; anything longer is not one of ours.
constexpr std::size_t noteLimit = 256;
constexpr int slotLimit = 255; // a record names its slot in one byte

} // namespace

SlotJournal::SlotJournal(std::filesystem::path file)
    : m_file(std::move(file))
{
}

bool SlotJournal::noting(const std::vector<int>& slots) const
{
    std::string note;
    for (const int slot : slots)
        note += std::string(slotWord) + " " + std::to_string(slot) + "\n";
    return platform::AtomicFile(m_file).write(note);
}

void SlotJournal::settled() const
{
    std::error_code ec;
    std::filesystem::remove(m_file, ec);
}

std::vector<int> SlotJournal::interrupted() const
{
    std::vector<int> slots;
    const auto note = platform::readPrivateFile(m_file, noteLimit).content;
    if (!note)
        return slots;
    std::istringstream lines(*note);
    std::string word;
    int slot = -1;
    while (lines >> word >> slot && word == slotWord && slot >= 0 && slot <= slotLimit)
        slots.push_back(slot);
    return slots;
}

} // namespace qmv
