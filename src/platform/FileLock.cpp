#include "FileLock.h"

namespace qmv::platform {

FileLock::FileLock(std::filesystem::path path)
    : m_path(std::move(path))
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
