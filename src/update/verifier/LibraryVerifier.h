#pragma once

#include <QString>

namespace qmv {

// Whether a file is what its name says it is, judged the way the program itself would use it: the
// link library loads and exports every operation the link calls, the code converter exports its
// conversion, a picture bundle opens as a resource bundle whose pictures all decode, the wizard's
// animation is a GIF. A name the program does not use is never accepted. Loading a library runs
// its code, so this runs in a process of its own (qmv718-verify), never in the program.
// Empty when the file passes, else why it does not.
QString verifyLibrary(const QString& path);

} // namespace qmv
