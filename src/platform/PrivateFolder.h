#pragma once

#include <filesystem>
#include <string>

namespace qmv::platform {

// A folder for files whose content nobody but this user may choose: a lock and the notes kept
// beside it. Anyone who could create or replace a file there could make the tool write through
// a link of theirs, or read a note of theirs as its own.
//
// Makes the folder (its parents as needed) when it is missing, with access for this user alone.
// An existing folder must be a real folder, not a link to one, owned by this user and closed to
// everyone else. Empty when the folder can be used; otherwise why not, naming the folder.
std::string preparePrivateFolder(const std::filesystem::path& folder);

// What can be wrong with such a folder or a file in it, in the user's language, the same on every
// system; `why` is the system's own reason.
namespace privateFailure {
std::string cannotCreate(const std::filesystem::path& folder, const std::string& why);
std::string cannotCheck(const std::filesystem::path& path, const std::string& why);
std::string cannotOpen(const std::filesystem::path& path, const std::string& why);
std::string isLink(const std::filesystem::path& path);
std::string notFolder(const std::filesystem::path& path);
std::string notRegular(const std::filesystem::path& path);
std::string otherOwner(const std::filesystem::path& path, unsigned long owner);
// `mode` as the three octal digits of its permissions ("755").
std::string openToOthers(const std::filesystem::path& folder, const std::string& mode);
} // namespace privateFailure

} // namespace qmv::platform
