#pragma once

#include <QPainter>
#include <QRectF>

// Drawings of the remotes used on the hint pictures, the learning animation and the splash.
namespace qmv::art {

// A small remote in rect; its infrared end points towards `facing` (+1 right, -1 left, 0 up).
// `learning` draws the QMV-718 (dark, lamp lit when `lampOn`), otherwise a device's own remote,
// with one key lit when `keyPressed`.
struct MiniRemote
{
    bool learning = false;
    int facing = 0;
    bool lampOn = false;
    bool keyPressed = false;
};
void paintMiniRemote(QPainter& painter, const QRectF& rect, const MiniRemote& remote);

// The device's remote pointing at the learning remote with infrared between them, and the
// distance marked beneath. `phase` (0..1) moves the waves; no waves when `sending` is false.
struct PointingScene
{
    qreal phase = 0;
    bool sending = true;
    bool lampOn = false;
};
void paintPointingScene(QPainter& painter, const QRectF& area, const PointingScene& scene);

// The light card that hint pictures and the animation are drawn on.
void paintHintCard(QPainter& painter, const QRectF& rect);

} // namespace qmv::art
