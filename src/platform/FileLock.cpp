#include "FileLock.h"

namespace qmv::platform {

FileLock::FileLock(std::filesystem::path path, Owner owner)
    : m_path(std::move(path))
    , m_owner(owner)
{
}

bool FileLock::tryLock()
{
    return take(false);
}

bool FileLock::lock()
{
    return take(true);
}

} // namespace qmv::platform
