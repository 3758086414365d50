#include "KeypadBody.h"

#include "Caption.h"

#include "Icons.h"
#include "KeypadLayout.h"
#include "Painting.h"
#include "Theme.h"
#include "WindowGeometry.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace qmv::art {

namespace {

QRectF toRectF(const KeyRect& r)
{
    return QRectF(r.x, r.y, r.width, r.height);
}

// The rectangle covering the keys with these codes, grown by margin.
QRectF groupBounds(std::initializer_list<std::string_view> codes, qreal margin)
{
    QRectF bounds;
    for (std::string_view code : codes)
        bounds = bounds.united(toRectF(*keyRect(code)));
    return bounds.adjusted(-margin, -margin, margin, margin);
}

QPainterPath caseOutline(const QRectF& r)
{
    QPainterPath path;
    path.addRoundedRect(r, 34, 34);
    return path;
}

void paintCase(QPainter& painter)
{
    const QRectF outer = toRectF(remoteCase);
    drawHalo(painter, outer.translated(3, 5), 34, 7, QColor(0, 20, 40, 90));

    // Metal rim: light on the left, darker on the right.
    QLinearGradient rim(outer.topLeft(), outer.topRight());
    rim.setColorAt(0, colour::caseRim.lighter(115));
    rim.setColorAt(0.5, colour::caseRim);
    rim.setColorAt(1, colour::caseRim.darker(150));
    painter.setPen(QPen(QColor(0x18, 0x1B, 0x20), 1));
    painter.setBrush(rim);
    painter.drawPath(caseOutline(outer.adjusted(0.5, 0.5, -0.5, -0.5)));

    const QRectF face = outer.adjusted(3, 3, -3, -3);
    QLinearGradient body(face.topLeft(), face.bottomLeft());
    body.setColorAt(0, colour::caseTop);
    body.setColorAt(1, colour::caseBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    const QPainterPath facePath = [&] {
        QPainterPath p;
        p.addRoundedRect(face, 31, 31);
        return p;
    }();
    painter.drawPath(facePath);

    // Rounded sides: the edges fall away into shade.
    QLinearGradient sides(face.topLeft(), face.topRight());
    sides.setColorAt(0, QColor(255, 255, 255, 26));
    sides.setColorAt(0.12, QColor(255, 255, 255, 0));
    sides.setColorAt(0.85, QColor(0, 0, 0, 0));
    sides.setColorAt(1, QColor(0, 0, 0, 70));
    painter.setBrush(sides);
    painter.drawPath(facePath);
}

void paintHead(QPainter& painter)
{
    const QRectF face = toRectF(remoteCase).adjusted(3, 3, -3, -3);
    // The infrared window: dark glossy red glass at the top edge.
    const QRectF glass(face.center().x() - 34, face.top() + 6, 68, 14);
    QLinearGradient red(glass.topLeft(), glass.bottomLeft());
    red.setColorAt(0, QColor(0x7A, 0x10, 0x1C));
    red.setColorAt(1, QColor(0x30, 0x05, 0x0A));
    painter.setPen(QPen(QColor(0x10, 0x10, 0x12), 1));
    painter.setBrush(red);
    painter.drawRoundedRect(glass, 7, 7);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 55));
    painter.drawRoundedRect(glass.adjusted(6, 2, -6, -8), 3, 3);

    drawEmbossedText(painter, QRectF(face.left(), face.top() + 24, face.width(), 18),
                     QStringLiteral("QMV-718"), uiFont(13, QFont::Bold), colour::silk, QColor(0, 0, 0, 160));

    // The learning indicator lamp.
    const QPointF lamp(face.right() - 26, face.top() + 33);
    QRadialGradient glow(lamp, 4);
    glow.setColorAt(0, QColor(0x9B, 0xFF, 0xA8));
    glow.setColorAt(1, QColor(0x1C, 0x6B, 0x2A));
    painter.setPen(QPen(QColor(0, 0, 0, 140), 0.8));
    painter.setBrush(glow);
    painter.drawEllipse(lamp, 3, 3);

    const QRectF power = toRectF(*keyRect("00"));
    drawText(painter, QRectF(face.left(), power.top() - 14, face.width(), 12), Caption::tr("DEVICE · POWER"),
             uiFont(8, QFont::Bold), QColor(0xA9, 0xB4, 0xC0));
}

// A recessed plate behind a group of keys.
void paintPlate(QPainter& painter, const QRectF& rect, qreal radius)
{
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, QColor(0x1A, 0x1D, 0x22));
    fill.setColorAt(1, QColor(0x24, 0x28, 0x2F));
    painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void paintNavigationRing(QPainter& painter)
{
    const QPointF centre(navigationCentreX, navigationCentreY);
    const qreal r = navigationRadius;
    QRadialGradient dish(centre, r);
    dish.setColorAt(0, QColor(0x2A, 0x2F, 0x36));
    dish.setColorAt(0.85, QColor(0x1B, 0x1E, 0x23));
    dish.setColorAt(1, QColor(0x12, 0x14, 0x18));
    painter.setPen(QPen(QColor(0x8C, 0x96, 0xA2), 1.5));
    painter.setBrush(dish);
    painter.drawEllipse(centre, r, r);
    painter.setPen(QPen(QColor(255, 255, 255, 30), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r - 3, r - 3);

    // The hub: a fixed emblem, not a key.
    QRadialGradient hub(centre - QPointF(3, 4), 14);
    hub.setColorAt(0, QColor(0x5F, 0x68, 0x73));
    hub.setColorAt(1, QColor(0x2C, 0x31, 0x38));
    painter.setPen(QPen(QColor(0x10, 0x12, 0x15), 1));
    painter.setBrush(hub);
    painter.drawEllipse(centre, 13, 13);
    drawText(painter, QRectF(centre.x() - 13, centre.y() - 13, 26, 26), QStringLiteral("QMV"),
             uiFont(8, QFont::Bold), colour::silk);
}

void paintSilk(QPainter& painter)
{
    const QColor ink(0xA9, 0xB4, 0xC0);
    const QRectF face = toRectF(remoteCase).adjusted(3, 3, -3, -3);
    drawText(painter, QRectF(face.left(), face.bottom() - 58, face.width(), 14),
             QStringLiteral("LEARNING REMOTE"), uiFont(9, QFont::Bold), ink);
    drawText(painter, QRectF(face.left(), face.bottom() - 42, face.width(), 16), Caption::tr("自学习遥控器"),
             uiFont(12), colour::silk);
}

} // namespace

QImage paintKeypadBody(const QImage& windowCanvas)
{
    QImage body = cutOut(windowCanvas, window::keypadPanel);
    QPainter painter(&body);
    prepare(painter);
    paintCase(painter);
    paintHead(painter);
    paintPlate(painter, groupBounds({"12", "14", "23", "27"}, 5), 9);
    paintPlate(painter, groupBounds({"30", "33", "26", "31", "36", "37"}, 5), 9);
    paintPlate(painter, groupBounds({"57", "60", "52", "55"}, 5), 9);
    paintNavigationRing(painter);
    paintSilk(painter);
    return body;
}

} // namespace qmv::art
