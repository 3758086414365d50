#include "Icons.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace qmv::art::icon {

namespace {

// The largest square centred in box.
QRectF square(const QRectF& box)
{
    const qreal side = qMin(box.width(), box.height());
    QRectF result(0, 0, side, side);
    result.moveCenter(box.center());
    return result;
}

// A line drawing on a 20 by 20 grid laid over the square of the box: the painter draws in grid
// units (`u`) from the square's corner, with round pens of the given width in units, until the
// grid goes out of scope.
class LineGrid
{
public:
    LineGrid(QPainter& painter, const QRectF& box, const QColor& colour, qreal penUnits)
        : m_painter(painter)
        , u(square(box).width() / 20.0)
    {
        m_painter.save();
        m_painter.translate(square(box).topLeft());
        m_painter.setPen(QPen(colour, penUnits * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(Qt::NoBrush);
    }
    ~LineGrid() { m_painter.restore(); }
    LineGrid(const LineGrid&) = delete;
    LineGrid& operator=(const LineGrid&) = delete;

private:
    QPainter& m_painter;

public:
    const qreal u;
};

void fillPolygon(QPainter& painter, const QPolygonF& polygon, const QColor& colour)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(polygon);
    painter.restore();
}

// A triangle pointing right (or left) inside r.
QPolygonF triangle(const QRectF& r, bool pointsRight)
{
    if (pointsRight)
        return QPolygonF({r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft()});
    return QPolygonF({r.topRight(), QPointF(r.left(), r.center().y()), r.bottomRight()});
}

void twinTriangles(QPainter& painter, const QRectF& box, bool pointsRight, bool withBar, const QColor& colour)
{
    const QRectF s = square(box);
    const qreal h = s.height() * 0.8;
    const qreal w = h * 0.62;
    const qreal bar = withBar ? h * 0.16 : 0;
    const qreal total = 2 * w + bar;
    qreal x = s.center().x() - total / 2;
    const qreal top = s.center().y() - h / 2;
    if (withBar && !pointsRight) {
        fillPolygon(painter, QPolygonF(QRectF(x, top, bar, h)), colour);
        x += bar;
    }
    fillPolygon(painter, triangle(QRectF(x, top, w, h), pointsRight), colour);
    fillPolygon(painter, triangle(QRectF(x + w, top, w, h), pointsRight), colour);
    if (withBar && pointsRight)
        fillPolygon(painter, QPolygonF(QRectF(x + 2 * w, top, bar, h)), colour);
}

} // namespace

void power(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF s = square(box);
    const qreal pen = qMax(1.2, s.width() * 0.14);
    const QRectF ring = s.adjusted(pen, pen, -pen, -pen);
    painter.save();
    painter.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(ring, 120 * 16, -300 * 16);
    painter.drawLine(QPointF(s.center().x(), s.top() + pen * 0.3), QPointF(s.center().x(), s.center().y()));
    painter.restore();
}

void play(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF s = square(box);
    const qreal h = s.height() * 0.8;
    QRectF r(0, 0, h * 0.85, h);
    r.moveCenter(s.center() + QPointF(h * 0.06, 0));
    fillPolygon(painter, triangle(r, true), colour);
}

void pause(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF s = square(box);
    const qreal h = s.height() * 0.76;
    const qreal w = h * 0.26;
    const qreal gap = h * 0.22;
    const QPointF c = s.center();
    fillPolygon(painter, QPolygonF(QRectF(c.x() - gap / 2 - w, c.y() - h / 2, w, h)), colour);
    fillPolygon(painter, QPolygonF(QRectF(c.x() + gap / 2, c.y() - h / 2, w, h)), colour);
}

void stop(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF s = square(box);
    QRectF r(0, 0, s.width() * 0.66, s.width() * 0.66);
    r.moveCenter(s.center());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(r, r.width() * 0.12, r.width() * 0.12);
    painter.restore();
}

void fastForward(QPainter& painter, const QRectF& box, const QColor& colour)
{
    twinTriangles(painter, box, true, false, colour);
}

void rewind(QPainter& painter, const QRectF& box, const QColor& colour)
{
    twinTriangles(painter, box, false, false, colour);
}

void skipNext(QPainter& painter, const QRectF& box, const QColor& colour)
{
    twinTriangles(painter, box, true, true, colour);
}

void skipPrevious(QPainter& painter, const QRectF& box, const QColor& colour)
{
    twinTriangles(painter, box, false, true, colour);
}

void record(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF s = square(box);
    const qreal d = s.width() * 0.7;
    QRectF r(0, 0, d, d);
    r.moveCenter(s.center());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(r);
    painter.restore();
}

void arrow(QPainter& painter, const QRectF& box, Direction direction, const QColor& colour)
{
    const QRectF s = square(box);
    const QPointF c = s.center();
    const qreal a = s.width() * 0.42; // half the base
    const qreal b = s.width() * 0.30; // half the depth
    QPolygonF shape;
    switch (direction) {
    case Direction::Up:
        shape << QPointF(c.x(), c.y() - b) << QPointF(c.x() + a, c.y() + b) << QPointF(c.x() - a, c.y() + b);
        break;
    case Direction::Down:
        shape << QPointF(c.x(), c.y() + b) << QPointF(c.x() - a, c.y() - b) << QPointF(c.x() + a, c.y() - b);
        break;
    case Direction::Left:
        shape << QPointF(c.x() - b, c.y()) << QPointF(c.x() + b, c.y() - a) << QPointF(c.x() + b, c.y() + a);
        break;
    case Direction::Right:
        shape << QPointF(c.x() + b, c.y()) << QPointF(c.x() - b, c.y() + a) << QPointF(c.x() - b, c.y() - a);
        break;
    }
    fillPolygon(painter, shape, colour);
}

void tick(QPainter& painter, const QRectF& box, const QColor& colour, qreal width)
{
    const QRectF s = square(box);
    QPainterPath path;
    path.moveTo(s.left() + s.width() * 0.18, s.top() + s.height() * 0.52);
    path.lineTo(s.left() + s.width() * 0.42, s.top() + s.height() * 0.76);
    path.lineTo(s.left() + s.width() * 0.84, s.top() + s.height() * 0.26);
    painter.save();
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void cross(QPainter& painter, const QRectF& box, const QColor& colour, qreal width)
{
    const QRectF s = square(box).adjusted(box.width() * 0.22, box.height() * 0.22, -box.width() * 0.22,
                                          -box.height() * 0.22);
    const QRectF r = square(s);
    painter.save();
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
    painter.restore();
}

void minus(QPainter& painter, const QRectF& box, const QColor& colour, qreal width)
{
    const QRectF r = square(square(box).adjusted(box.width() * 0.22, box.height() * 0.22, -box.width() * 0.22,
                                                 -box.height() * 0.22));
    painter.save();
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    const qreal y = r.top() + r.height() * 0.75;
    painter.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    painter.restore();
}

void trash(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const LineGrid grid(painter, box, colour, 1.8);
    const qreal u = grid.u;
    painter.drawLine(QPointF(3 * u, 5 * u), QPointF(17 * u, 5 * u));
    painter.drawPolyline(QPolygonF({QPointF(7.5 * u, 5 * u), QPointF(8 * u, 2.5 * u),
                                    QPointF(12 * u, 2.5 * u), QPointF(12.5 * u, 5 * u)}));
    painter.drawPolyline(QPolygonF(
        {QPointF(5 * u, 5 * u), QPointF(6 * u, 18 * u), QPointF(14 * u, 18 * u), QPointF(15 * u, 5 * u)}));
    painter.drawLine(QPointF(8.5 * u, 8 * u), QPointF(8.8 * u, 15 * u));
    painter.drawLine(QPointF(11.5 * u, 8 * u), QPointF(11.2 * u, 15 * u));
}

void eraser(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const LineGrid grid(painter, box, colour, 1.8);
    const qreal u = grid.u;
    // A tilted eraser block over a base line.
    const QPolygonF block({QPointF(11 * u, 2.5 * u), QPointF(18 * u, 9.5 * u), QPointF(10 * u, 17.5 * u),
                           QPointF(6.5 * u, 17.5 * u), QPointF(3 * u, 14 * u)});
    painter.drawPolygon(block);
    painter.drawLine(QPointF(7 * u, 7 * u), QPointF(14 * u, 14 * u));
    painter.drawLine(QPointF(10 * u, 17.5 * u), QPointF(18 * u, 17.5 * u));
    QColor half = colour;
    half.setAlphaF(colour.alphaF() * 0.45);
    QPainterPath part;
    part.moveTo(3 * u, 14 * u);
    part.lineTo(7 * u, 7 * u);
    part.lineTo(14 * u, 14 * u);
    part.lineTo(10 * u, 17.5 * u);
    part.lineTo(6.5 * u, 17.5 * u);
    part.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(half);
    painter.drawPath(part);
}

void question(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const QRectF s = square(box);
    painter.save();
    painter.setPen(QPen(colour, s.width() * 0.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(s.adjusted(s.width() * 0.06, s.width() * 0.06, -s.width() * 0.06, -s.width() * 0.06));
    QFont font = painter.font();
    font.setPixelSize(qRound(s.height() * 0.66));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(s.translated(0, s.height() * 0.02), Qt::AlignCenter, QStringLiteral("?"));
    painter.restore();
}

void upload(QPainter& painter, const QRectF& box, const QColor& colour)
{
    const LineGrid grid(painter, box, colour, 2.0);
    const qreal u = grid.u;
    painter.drawLine(QPointF(10 * u, 3 * u), QPointF(10 * u, 13 * u));
    painter.drawPolyline(
        QPolygonF({QPointF(5.5 * u, 7.5 * u), QPointF(10 * u, 3 * u), QPointF(14.5 * u, 7.5 * u)}));
    painter.drawPolyline(QPolygonF(
        {QPointF(3 * u, 12 * u), QPointF(3 * u, 17 * u), QPointF(17 * u, 17 * u), QPointF(17 * u, 12 * u)}));
}

void info(QPainter& painter, const QRectF& box, const QColor& circle, const QColor& mark)
{
    const QRectF s = square(box);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(circle);
    painter.drawEllipse(s);
    painter.setBrush(mark);
    const qreal u = s.width() / 20.0;
    painter.drawEllipse(QRectF(s.left() + 8.6 * u, s.top() + 3.6 * u, 2.8 * u, 2.8 * u));
    painter.drawRoundedRect(QRectF(s.left() + 8.7 * u, s.top() + 8 * u, 2.6 * u, 8.4 * u), u, u);
    painter.restore();
}

void infraredWaves(QPainter& painter, QPointF origin, int direction, qreal length, qreal phase,
                   const QColor& colour)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const int waves = 4;
    for (int i = 0; i < waves; ++i) {
        const qreal t = std::fmod(qreal(i) / waves + phase, 1.0);
        const qreal radius = 4 + t * length;
        QColor c = colour;
        c.setAlphaF(colour.alphaF() * (1.0 - t) * qMin(1.0, t * 6));
        painter.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
        const QRectF arc(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius);
        const int start = direction > 0 ? -38 : direction < 0 ? 142 : 52;
        painter.drawArc(arc, start * 16, 76 * 16);
    }
    painter.restore();
}

} // namespace qmv::art::icon
