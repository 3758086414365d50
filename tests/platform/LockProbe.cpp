// A second process for the lock tests: tries the lock on PATH once and says what it found.
// Exit status 0: it got the lock (and released it); 1: held by another, the holder's note on
// standard output; 2: the file could not be opened.
#include "FileLock.h"

#include <cstdio>
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    qmv::platform::FileLock lock(argv[1]);
    if (lock.tryLock())
        return 0;
    const std::string note = qmv::platform::FileLock::readNote(argv[1]);
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY); // the note as it is, without line ends translated
#endif
    std::fwrite(note.data(), 1, note.size(), stdout);
    return note.empty() && !std::filesystem::exists(argv[1]) ? 2 : 1;
}
