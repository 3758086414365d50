#pragma once

#include <QImage>

namespace qmv::art {

// The remote's case as the keypad panel shows it (the picture `z`), without keys: the key pictures
// lie on top of it. Drawn over the part of the window canvas that the panel covers.
QImage paintKeypadBody(const QImage& windowCanvas);

} // namespace qmv::art
