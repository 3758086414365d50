#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace qmv::art {

// Writes the frames as an animated GIF that loops for ever, every frame shown for the same time.
// All frames share one palette made from all of them, so colours do not flicker between frames.
// Returns an error description, empty on success.
QString writeAnimatedGif(const QString& path, const QList<QImage>& frames, int delayCentiseconds);

// A palette of at most `size` colours that represents the pixels of all the images (median cut).
QList<QRgb> commonPalette(const QList<QImage>& images, int size);

} // namespace qmv::art
