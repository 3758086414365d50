#include "PrivateFolder.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qmv::platform {

namespace {

std::string systemReason(int error)
{
    return std::generic_category().message(error);
}

std::string permissions(mode_t mode)
{
    return std::to_string((mode >> 6) & 7) + std::to_string((mode >> 3) & 7) + std::to_string(mode & 7);
}

// The folder itself as it stands, never what a link there points to.
std::string checkFolder(const fs::path& folder)
{
    struct stat info
    {
    };
    if (::lstat(folder.c_str(), &info) != 0)
        return privateFailure::cannotCheck(folder, systemReason(errno));
    if (S_ISLNK(info.st_mode))
        return privateFailure::isLink(folder);
    if (!S_ISDIR(info.st_mode))
        return privateFailure::notFolder(folder);
    if (info.st_uid != ::geteuid())
        return privateFailure::otherOwner(folder, info.st_uid);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return privateFailure::openToOthers(folder, permissions(info.st_mode & 0777));
    return {};
}

} // namespace

std::string preparePrivateFolder(const fs::path& folder)
{
    std::error_code ec;
    if (folder.has_parent_path())
        fs::create_directories(folder.parent_path(), ec); // where it lies is the user's choice
    if (::mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST)
        return privateFailure::cannotCreate(folder, systemReason(errno));
    return checkFolder(folder);
}

} // namespace qmv::platform
