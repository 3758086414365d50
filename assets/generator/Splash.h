#pragma once

#include <QImage>

namespace qmv::art {

// The start-up window's picture, 462 x 258, with the remote (as composeRemote draws it) standing in it.
QImage paintSplash(const QImage& remote);

} // namespace qmv::art
