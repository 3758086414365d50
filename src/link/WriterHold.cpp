#include "WriterHold.h"

#include "FileLock.h"
#include "PrivateFolder.h"
#include "ProcessId.h"

#include "Text.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <thread>
#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace qmv {

namespace {

// The identity is read from the remote, so only its hexadecimal digits may reach a file name.
std::string fileKey(const std::string& remoteid)
{
    std::string key;
    for (const char c : remoteid)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key.empty() ? std::string("unknown") : key;
}

std::string printable(const std::string& text)
{
    std::string shown;
    for (const char c : text)
        if (std::isprint(static_cast<unsigned char>(c)) && shown.size() < 64)
            shown += c;
    return shown;
}

// The hold could not even be tried: its folder or file is not fit for it.
std::string unusableHold(const std::string& problem)
{
    return formatText(translate("qmv::WriterHold", "无法锁定遥控器以便修改：%1"), {problem});
}

} // namespace

WriterHold::WriterHold(std::unique_ptr<platform::FileLock> lock)
    : m_lock(std::move(lock))
{
}

WriterHold::~WriterHold() = default;

fs::path WriterHold::folder()
{
    if (const char* dir = std::getenv("QMV718_HOLD_DIR"); dir && *dir)
        return dir;
#if defined(_WIN32)
    // Every program of the user sees the same local application data, and only that user does.
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
        return fs::path(local) / "qmv718" / "holds";
    return fs::temp_directory_path() / "qmv718-holds";
#else
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return fs::path(runtime) / "qmv718";
    return fs::temp_directory_path() / ("qmv718-" + std::to_string(::getuid()));
#endif
}

fs::path WriterHold::pathFor(const std::string& remoteid)
{
    return folder() / ("remote-" + fileKey(remoteid) + ".hold");
}

fs::path WriterHold::journalPathFor(const std::string& remoteid)
{
    return folder() / ("remote-" + fileKey(remoteid) + ".pending");
}

std::unique_ptr<WriterHold> WriterHold::take(const std::string& remoteid, const std::string& program,
                                             std::string* refusal)
{
    const fs::path path = pathFor(remoteid);
    if (const std::string problem = platform::preparePrivateFolder(path.parent_path()); !problem.empty()) {
        if (refusal)
            *refusal = unusableHold(problem);
        return nullptr;
    }
    auto lock = std::make_unique<platform::FileLock>(path, platform::FileLock::Owner::Me);
    if (lock->tryLock()) {
        lock->writeNote(program + " " + std::to_string(platform::currentProcessId()) + "\n");
        return std::unique_ptr<WriterHold>(new WriterHold(std::move(lock)));
    }
    if (!lock->openProblem().empty()) {
        if (refusal)
            *refusal = unusableHold(lock->openProblem());
        return nullptr;
    }
    // The holder writes its note just after taking the lock: give it a moment to appear.
    std::string note = platform::FileLock::readNote(path);
    for (int attempt = 0; note.empty() && attempt < 20; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        note = platform::FileLock::readNote(path);
    }
    if (refusal)
        *refusal = holdRefusal(note);
    return nullptr;
}

std::string holdRefusal(const std::string& holderNote)
{
    std::string program = printable(holderNote);
    std::string pid;
    if (const auto space = program.rfind(' '); space != std::string::npos) {
        pid = program.substr(space + 1);
        program.erase(space);
    }
    const std::string holder =
        program.empty() ? translate("qmv::WriterHold", "另一个程序")
        : pid.empty()   ? program
                        : formatText(translate("qmv::WriterHold", "%1，进程号 %2"), {program, pid});
    return formatText(translate("qmv::WriterHold", "遥控器正在被另一个程序修改（%1），请先关闭它再试。"),
                      {holder});
}

} // namespace qmv
