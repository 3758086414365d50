#include "Receiver.h"

#include "ProcessId.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace qmv::remote {

namespace {

constexpr const char* captureFile = "capture";
constexpr const char* claimedPrefix = "for-";
constexpr const char* codePrefix = "code-";

long long nowMillis()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

long long millis(std::chrono::seconds limit)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(limit).count();
}

// An inbox entry's name: "code-<sent ms>-<pid>-<n>.txt", with "for-<capture>-" in front once a
// capture has claimed it.
struct Entry
{
    fs::path path;
    std::string capture; // empty while unclaimed
    long long sent = 0;

    static std::optional<Entry> parse(const fs::path& path)
    {
        const std::string name = path.filename().string();
        Entry entry{path, {}, 0};
        std::size_t code = 0;
        if (name.rfind(claimedPrefix, 0) == 0) {
            code = name.find(std::string("-") + codePrefix);
            if (code == std::string::npos)
                return std::nullopt;
            entry.capture = name.substr(std::char_traits<char>::length(claimedPrefix),
                                        code - std::char_traits<char>::length(claimedPrefix));
            ++code;
        } else if (name.rfind(codePrefix, 0) != 0) {
            return std::nullopt;
        }
        try {
            entry.sent = std::stoll(name.substr(code + std::char_traits<char>::length(codePrefix)));
        } catch (const std::exception&) {
            return std::nullopt;
        }
        return entry;
    }
};

std::vector<Entry> entries(const fs::path& inbox)
{
    std::vector<Entry> found;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(inbox, ec))
        if (const auto entry = Entry::parse(file.path()); entry && file.is_regular_file(ec))
            found.push_back(*entry);
    std::sort(found.begin(), found.end(), [](const Entry& a, const Entry& b) {
        return a.sent != b.sent ? a.sent < b.sent : a.path.filename() < b.path.filename();
    });
    return found;
}

std::string newCaptureId()
{
    static std::atomic<unsigned> sequence{0};
    std::random_device random;
    std::ostringstream id;
    id << std::hex << random() << random() << 'p' << platform::currentProcessId() << 'n' << sequence++;
    return id.str();
}

} // namespace

struct Receiver::Current
{
    std::string id;
    long long began = 0;
};

Receiver::Receiver(StateFolder folder)
    : m_folder(std::move(folder))
{
}

std::optional<Receiver::Current> Receiver::current() const
{
    const auto text = readWholeFile(m_folder.path() / captureFile);
    if (!text)
        return std::nullopt;
    std::istringstream in(*text);
    Current capture;
    if (!(in >> capture.id >> capture.began) || nowMillis() - capture.began > millis(captureModeLimit))
        return std::nullopt;
    return capture;
}

void Receiver::dropStale(const std::optional<Current>& capture) const
{
    const long long now = nowMillis();
    std::error_code ec;
    for (const Entry& entry : entries(m_folder.inboxPath())) {
        const bool mine = capture && entry.capture == capture->id;
        const bool waitedTooLong = entry.capture.empty() && now - entry.sent > millis(codeWaitLimit);
        if ((!entry.capture.empty() && !mine) || waitedTooLong)
            fs::remove(entry.path, ec);
    }
}

std::optional<std::string> Receiver::beginCapture() const
{
    FolderLock lock(m_folder.path());
    const Current capture{newCaptureId(), nowMillis()};
    if (!writeFileAtomically(m_folder.path() / captureFile,
                             capture.id + " " + std::to_string(capture.began) + "\n"))
        return std::nullopt;
    dropStale(capture);
    std::error_code ec;
    for (const Entry& entry : entries(m_folder.inboxPath()))
        if (entry.capture.empty())
            fs::rename(entry.path,
                       entry.path.parent_path() /
                           (claimedPrefix + capture.id + "-" + entry.path.filename().string()),
                       ec);
    return capture.id;
}

bool Receiver::isCapturing(const std::string& capture) const
{
    const auto now = current();
    return now && now->id == capture;
}

std::optional<std::string> Receiver::take(const std::string& capture) const
{
    FolderLock lock(m_folder.path());
    const auto now = current();
    if (!now || now->id != capture)
        return std::nullopt;
    for (const Entry& entry : entries(m_folder.inboxPath())) {
        if (entry.capture != capture)
            continue;
        auto content = readWholeFile(entry.path);
        std::error_code ec;
        fs::remove(entry.path, ec);
        if (content)
            return content;
    }
    return std::nullopt;
}

void Receiver::finish(const std::string& capture) const
{
    FolderLock lock(m_folder.path());
    if (!isCapturing(capture))
        return;
    std::error_code ec;
    fs::remove(m_folder.path() / captureFile, ec);
    const std::string prefix = claimedPrefix + capture + "-";
    for (const Entry& entry : entries(m_folder.inboxPath()))
        if (entry.capture == capture)
            fs::rename(entry.path,
                       entry.path.parent_path() / entry.path.filename().string().substr(prefix.size()), ec);
}

bool Receiver::deliver(const std::string& content) const
{
    static std::atomic<unsigned> sequence{0};
    FolderLock lock(m_folder.path());
    const auto capture = current();
    std::string name = codePrefix + std::to_string(nowMillis()) + "-" +
                       std::to_string(platform::currentProcessId()) + "-" + std::to_string(sequence++) +
                       ".txt";
    if (capture)
        name = claimedPrefix + capture->id + "-" + name;
    return writeFileAtomically(m_folder.inboxPath() / name, content);
}

std::size_t Receiver::waiting() const
{
    FolderLock lock(m_folder.path());
    dropStale(current());
    return entries(m_folder.inboxPath()).size();
}

} // namespace qmv::remote
