#include "PrivateFolder.h"

#include "Text.h"

namespace qmv::platform::privateFailure {

namespace {
constexpr Texts shown{"qmv::platform"};
}

std::string cannotCreate(const std::filesystem::path& folder, const std::string& why)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "无法创建文件夹 %1（%2）"), {folder.string(), why});
}

std::string cannotCheck(const std::filesystem::path& path, const std::string& why)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "无法检查 %1（%2）"), {path.string(), why});
}

std::string cannotOpen(const std::filesystem::path& path, const std::string& why)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "无法打开 %1（%2）"), {path.string(), why});
}

std::string isLink(const std::filesystem::path& path)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "%1 是一个符号链接"), {path.string()});
}

std::string notFolder(const std::filesystem::path& path)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "%1 不是文件夹"), {path.string()});
}

std::string notRegular(const std::filesystem::path& path)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "%1 不是普通文件"), {path.string()});
}

std::string otherOwner(const std::filesystem::path& path, unsigned long owner)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform", "%1 属于另一个用户（用户号 %2）"),
                 {path.string(), std::to_string(owner)});
}

std::string openToOthers(const std::filesystem::path& folder, const std::string& mode)
{
    return shown(QT_TRANSLATE_NOOP("qmv::platform",
                                   "文件夹 %1 的权限是 %2，其他用户也能进入；它只能对你一人开放（700）"),
                 {folder.string(), mode});
}

} // namespace qmv::platform::privateFailure
