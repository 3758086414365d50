#pragma once

#include <QByteArray>
#include <QString>

#include <set>

namespace qmv {

enum class LibraryFormat { Pe, Elf };

// What the file of a shared library says about itself, read from its headers and its table of
// exported names without loading it: Windows PE for a DLL, ELF for a shared object. Nothing of the
// file runs. Every offset and count is checked against the file, and the counts against limits no
// real library comes near.
struct LibraryImage
{
    LibraryFormat format = LibraryFormat::Elf;
    int wordBits = 0;
    // Whether the library is built for the processor this program runs on (in either word size:
    // the other one goes through the link bridge).
    bool nativeMachine = false;
    // The names of the functions and data it exports.
    std::set<QByteArray> exports;
    // Empty when the file reads as a shared library, else why it does not.
    QString refusal;
};

LibraryImage readLibraryImage(const QByteArray& bytes);

// The format of the libraries this build loads.
LibraryFormat nativeLibraryFormat();

} // namespace qmv
