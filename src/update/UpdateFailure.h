#pragma once

#include <QMetaType>
#include <QString>

namespace qmv {

// Why one step of the update did not succeed. Every refusal of a list, a download or an install
// carries one of these, so the wizard and the command line can name it.
enum class UpdateFailure {
    None,
    NotFound,      // the server answered 404
    ServerError,   // any other answer than 200, or a broken connection
    Unreachable,   // no connection to the host
    TimedOut,      // connecting, waiting for data or the whole transfer took too long
    UnsafeAddress, // not an http or https address, or a redirect elsewhere / too many of them
    WrongSize,     // announced size 0, fewer or more bytes than announced, a list over its limit
    NotALibrary,   // the file is not what its name says it is
    HashMismatch,  // the SHA-256 differs from the list's
    NotWritable,   // a file in the program's folder or the update folder could not be written
    RefusedName,   // the list's name is not a plain file name, or not of a file the program uses
    NoSpace,       // too little free space for the download and its installation
    NoBackup,      // no last good copy to put back
    Cancelled,     // broken off by the user
};

struct Failure
{
    UpdateFailure reason = UpdateFailure::None;
    // What exactly happened, for the user: an address, a size, a missing export.
    QString detail;

    bool failed() const { return reason != UpdateFailure::None; }
};

// The reason in a few words, as the wizard and the command line show it.
QString reasonText(UpdateFailure reason);
// A short fixed English tag of the reason ("not found", "timed out", ...), for scripts reading the
// command line's output.
const char* reasonKey(UpdateFailure reason);
// The reason followed by the detail, when there is one.
QString describe(const Failure& failure);

} // namespace qmv

Q_DECLARE_METATYPE(qmv::Failure)
