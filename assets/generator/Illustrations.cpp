#include "Illustrations.h"

#include "Caption.h"

#include "Icons.h"
#include "Painting.h"
#include "Theme.h"

#include <QLinearGradient>

namespace qmv::art {

namespace {

// Draws with the remote's long side along x, its infrared end at the right; the caller rotates.
void paintRemoteLying(QPainter& painter, const QRectF& r, const MiniRemote& remote)
{
    const qreal radius = r.height() * 0.38;
    BoxColours shell =
        remote.learning
            ? BoxColours{QColor(0x4A, 0x51, 0x5B), QColor(0x22, 0x26, 0x2C), QColor(0x9A, 0xA4, 0xAF)}
            : BoxColours{QColor(0xF4, 0xF6, 0xF8), QColor(0xC4, 0xCB, 0xD2), QColor(0x7D, 0x88, 0x93)};
    drawHalo(painter, r.translated(1, 2), radius, 2, QColor(0, 20, 40, 70));
    drawRaisedBox(painter, r, radius, shell);

    // Infrared window at the right end.
    const QRectF glass(r.right() - r.height() * 0.32, r.top() + r.height() * 0.2, r.height() * 0.22,
                       r.height() * 0.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x6E, 0x0E, 0x18));
    painter.drawRoundedRect(glass, 2, 2);

    // Rows of tiny keys.
    const QColor key = remote.learning ? QColor(0x7A, 0x84, 0x90) : QColor(0x8E, 0x99, 0xA5);
    const qreal pitchX = r.height() * 0.3;
    const qreal pitchY = r.height() * 0.26;
    int index = 0;
    for (qreal x = r.left() + r.height() * 0.42; x < glass.left() - pitchX; x += pitchX) {
        for (int row = -1; row <= 1; ++row) {
            const QPointF centre(x, r.center().y() + row * pitchY);
            const bool lit = remote.keyPressed && index == 7;
            painter.setBrush(lit ? colour::accent : key);
            const qreal d = lit ? r.height() * 0.17 : r.height() * 0.12;
            painter.drawEllipse(centre, d, d);
            ++index;
        }
    }
    if (remote.learning) {
        painter.setBrush(remote.lampOn ? QColor(0x6B, 0xFF, 0x8A) : QColor(0x1E, 0x5C, 0x2B));
        painter.drawEllipse(QPointF(glass.left() - r.height() * 0.18, r.top() + r.height() * 0.2), 1.8, 1.8);
    }
}

} // namespace

void paintMiniRemote(QPainter& painter, const QRectF& rect, const MiniRemote& remote)
{
    painter.save();
    painter.translate(rect.center());
    QSizeF lying = rect.size();
    if (remote.facing == 0) {
        painter.rotate(-90);
        lying.transpose();
    } else if (remote.facing < 0) {
        painter.rotate(180);
    }
    paintRemoteLying(painter, QRectF(QPointF(-lying.width() / 2, -lying.height() / 2), lying), remote);
    painter.restore();
}

void paintPointingScene(QPainter& painter, const QRectF& area, const PointingScene& scene)
{
    // Top to bottom: the two remotes, their names, the distance between them.
    const qreal captionHeight = 13;
    const qreal distanceHeight = 15;
    const qreal remoteWidth = area.width() * 0.36;
    const qreal remoteHeight = qMin(area.height() - captionHeight - distanceHeight - 6, remoteWidth * 0.3);
    const qreal y = area.top();
    const QRectF device(area.left(), y, remoteWidth, remoteHeight);
    const QRectF learner(area.right() - remoteWidth, y, remoteWidth, remoteHeight);
    paintMiniRemote(painter, device, {false, +1, false, scene.sending});
    paintMiniRemote(painter, learner, {true, -1, scene.lampOn, false});
    if (scene.sending)
        icon::infraredWaves(painter, QPointF(device.right() - 2, device.center().y()), +1,
                            learner.left() - device.right() - 2, scene.phase, colour::infrared);

    const QColor ink = colour::inkSoft;
    const qreal captionTop = device.bottom() + 2;
    drawText(painter, QRectF(device.left(), captionTop, device.width(), captionHeight),
             Caption::tr("原遥控器"), uiFont(11), ink);
    drawText(painter, QRectF(learner.left(), captionTop, learner.width(), captionHeight),
             QStringLiteral("QMV-718"), uiFont(11, QFont::Bold), ink);

    // The distance between the two infrared ends, as a dimension line.
    const qreal line = captionTop + captionHeight + 4;
    const qreal from = device.right() - 2;
    const qreal to = learner.left() + 2;
    painter.save();
    painter.setPen(QPen(ink, 1));
    painter.drawLine(QPointF(from, line), QPointF(to, line));
    painter.drawLine(QPointF(from, line - 3), QPointF(from, line + 3));
    painter.drawLine(QPointF(to, line - 3), QPointF(to, line + 3));
    painter.restore();
    drawText(painter, QRectF(from - 20, line + 1, to - from + 40, distanceHeight), Caption::tr("3～5 厘米"),
             uiFont(11), ink);
}

void paintHintCard(QPainter& painter, const QRectF& rect)
{
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, QColor(0xE9, 0xF3, 0xFA));
    painter.save();
    painter.setPen(QPen(colour::cardEdge, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.restore();
}

} // namespace qmv::art
