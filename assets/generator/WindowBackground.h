#pragma once

#include <QImage>

namespace qmv::art {

// The whole main window as the background paints it (1016 x 745: the 729 rows of the background
// picture and the window colour below). Every picture that lies on the window is cut from it.
QImage paintWindowCanvas();

} // namespace qmv::art
