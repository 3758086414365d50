#include "AtomicFile.h"
#include "ProcessId.h"
#include "Text.h"

#include <atomic>
#include <cstdlib>

namespace fs = std::filesystem;

namespace qmv::platform {

AtomicFile::AtomicFile(fs::path path)
    : m_path(std::move(path))
{
}

bool AtomicFile::durable()
{
    const char* value = std::getenv("QMV718_REMOTE_FSYNC");
    return !(value && std::string(value) == "0");
}

std::string AtomicFile::temporaryPrefix() const
{
    // Built up piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + std::string&& at -O2.
    std::string prefix = ".";
    prefix += m_path.filename().string();
    prefix += ".tmp-";
    return prefix;
}

fs::path AtomicFile::newTemporary() const
{
    static std::atomic<unsigned> sequence{0};
    return m_path.parent_path() /
           (temporaryPrefix() + std::to_string(currentProcessId()) + "-" + std::to_string(sequence++));
}

std::size_t AtomicFile::removeLeftovers() const
{
    const std::string prefix = temporaryPrefix();
    std::size_t removed = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(m_path.parent_path(), ec)) {
        if (entry.path().filename().string().rfind(prefix, 0) != 0)
            continue;
        std::error_code removeError;
        if (fs::remove(entry.path(), removeError))
            ++removed;
    }
    return removed;
}

namespace readFailure {

std::string cannotOpen()
{
    return translate("qmv::platform", "无法打开");
}

std::string notRegular()
{
    return translate("qmv::platform", "不是普通文件");
}

std::string notMine()
{
    return translate("qmv::platform", "属于另一个用户");
}

std::string tooLarge(std::size_t limit)
{
    return formatText(translate("qmv::platform", "大于 %1 字节"), {std::to_string(limit)});
}

std::string cannotRead()
{
    return translate("qmv::platform", "无法读取");
}

} // namespace readFailure

} // namespace qmv::platform
