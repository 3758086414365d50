#pragma once

#include <string>

namespace qmv {

// What a shared library's file header says it is: a Windows (PE) library or an ELF one, and the
// word size (32 or 64) it was built for; word size 0 when the file is missing or of neither kind.
// Lets the loader see a library it cannot load in this process before asking the system to try.
struct LibraryFormat
{
    bool windows = false;
    int wordBits = 0;
};
LibraryFormat libraryFormat(const std::string& path);

inline int libraryWordBits(const std::string& path)
{
    return libraryFormat(path).wordBits;
}

} // namespace qmv
