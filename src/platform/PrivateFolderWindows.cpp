#include "PrivateFolder.h"

namespace fs = std::filesystem;

namespace qmv::platform {

// The folders used on Windows lie in the user's own profile, which only that user can reach: it
// is enough that the folder is there.
std::string preparePrivateFolder(const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::error_code statusError;
    if (fs::is_directory(folder, statusError))
        return {};
    if (fs::exists(folder, statusError))
        return privateFailure::notFolder(folder);
    return privateFailure::cannotCreate(folder, ec.message());
}

} // namespace qmv::platform
