#pragma once

#include <QString>

namespace qmv {

// Whether a file is what its name says it is, judged from its content without running any of it:
// the link library and the code converter are shared libraries of this system's format (read from
// their headers) that export every function the program calls; a picture bundle is a sound
// resource bundle holding every picture the program takes from it, and each picture in it decodes;
// the wizard's animation is a GIF. A name the program does not use is never accepted. Picture
// decoders are large, so this runs in a process of its own (qmv718-verify), never in the program.
// Empty when the file passes, else why it does not.
QString verifyLibrary(const QString& path);

} // namespace qmv
