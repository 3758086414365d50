#include "SlotJournal.h"

#include "AtomicFile.h"

namespace qmv {

SlotJournal::SlotJournal(std::filesystem::path file)
    : m_file(std::move(file))
{
}

bool SlotJournal::taking(int slot) const
{
    return platform::AtomicFile(m_file).write("slot " + std::to_string(slot) + "\n");
}

void SlotJournal::settled() const
{
    std::error_code ec;
    std::filesystem::remove(m_file, ec);
}

std::optional<int> SlotJournal::interrupted() const
{
    const auto note = platform::readPrivateFile(m_file, 64).content;
    if (!note || note->rfind("slot ", 0) != 0)
        return std::nullopt;
    try {
        return std::stoi(note->substr(5));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace qmv
