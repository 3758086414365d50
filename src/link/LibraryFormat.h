#pragma once

#include <string>

namespace qmv {

// The word size (32 or 64) a shared library was built for, read from its file header (Windows
// PE or ELF); 0 when the file is missing or of neither kind. Lets the loader see a library it
// cannot load in this process before asking the system to try.
int libraryWordBits(const std::string& path);

} // namespace qmv
