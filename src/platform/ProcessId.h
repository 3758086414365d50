#pragma once

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace qmv::platform {

// This process's id, as the system shows it to users and other processes.
inline long currentProcessId()
{
#if defined(_WIN32)
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

} // namespace qmv::platform
