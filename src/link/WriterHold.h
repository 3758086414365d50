#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace qmv {

namespace platform {
class FileLock;
}

// The right to change one remote. A program that keeps a copy of a remote's tables (the window
// for its whole life, a writing command for its run) must hold it, or its copy could go stale
// under another writer and the two would hand out the same slot and data units. It is keyed by
// the remote's identity, so it holds for any remote, virtual or real, and it is an operating
// system lock, so it ends with its holder however that ends.
class WriterHold
{
public:
    ~WriterHold();
    WriterHold(const WriterHold&) = delete;
    WriterHold& operator=(const WriterHold&) = delete;

    // Takes the hold on the remote with this identity for `program` (a short name shown to whoever
    // is refused). Null when another program holds it; `refusal` then names that program and its
    // process id in a message for the user. Null as well when the hold's folder or file is not
    // fit for it (see PrivateFolder); `refusal` then names the folder or file and what is wrong.
    static std::unique_ptr<WriterHold> take(const std::string& remoteid, const std::string& program,
                                            std::string* refusal);

    // Where the holds live: $QMV718_HOLD_DIR, else the per-user runtime folder, else a folder of
    // the user's in the temporary folder. Whichever it is, it must be the user's alone.
    static std::filesystem::path folder();
    static std::filesystem::path pathFor(const std::string& remoteid);
    // Where the holder keeps its note of a slot being taken (see SlotJournal).
    static std::filesystem::path journalPathFor(const std::string& remoteid);

private:
    explicit WriterHold(std::unique_ptr<platform::FileLock> lock);
    std::unique_ptr<platform::FileLock> m_lock;
};

// The message for a refused writer, from the holder's note ("program pid").
std::string holdRefusal(const std::string& holderNote);

} // namespace qmv
