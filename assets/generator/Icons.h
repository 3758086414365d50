#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// Small symbols drawn as vector shapes, centred in the box given, so they stay crisp at any size.
namespace qmv::art::icon {

enum class Direction { Up, Down, Left, Right };

void power(QPainter& painter, const QRectF& box, const QColor& colour);
void play(QPainter& painter, const QRectF& box, const QColor& colour);
void pause(QPainter& painter, const QRectF& box, const QColor& colour);
void stop(QPainter& painter, const QRectF& box, const QColor& colour);
void fastForward(QPainter& painter, const QRectF& box, const QColor& colour);
void rewind(QPainter& painter, const QRectF& box, const QColor& colour);
void skipNext(QPainter& painter, const QRectF& box, const QColor& colour);
void skipPrevious(QPainter& painter, const QRectF& box, const QColor& colour);
void record(QPainter& painter, const QRectF& box, const QColor& colour);
void arrow(QPainter& painter, const QRectF& box, Direction direction, const QColor& colour);
void tick(QPainter& painter, const QRectF& box, const QColor& colour, qreal width);
void cross(QPainter& painter, const QRectF& box, const QColor& colour, qreal width);
// A short bar low in the box: minimise.
void minus(QPainter& painter, const QRectF& box, const QColor& colour, qreal width);
void trash(QPainter& painter, const QRectF& box, const QColor& colour);
void eraser(QPainter& painter, const QRectF& box, const QColor& colour);
void question(QPainter& painter, const QRectF& box, const QColor& colour);
void upload(QPainter& painter, const QRectF& box, const QColor& colour);
void info(QPainter& painter, const QRectF& box, const QColor& circle, const QColor& mark);

// Arcs spreading from `origin` towards `direction` (+1 right, -1 left, 0 up); `phase` 0..1 moves them
// outwards.
void infraredWaves(QPainter& painter, QPointF origin, int direction, qreal length, qreal phase,
                   const QColor& colour);

} // namespace qmv::art::icon
