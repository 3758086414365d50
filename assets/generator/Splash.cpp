#include "Splash.h"

#include "Caption.h"

#include "Icons.h"
#include "Painting.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace qmv::art {

QImage paintSplash(const QImage& remote)
{
    const QSize size(462, 258);
    QImage image = blankImage(size);
    QPainter painter(&image);
    prepare(painter);
    const QRectF all(QPointF(0, 0), size);

    QLinearGradient fill(all.topLeft(), all.bottomRight());
    fill.setColorAt(0, colour::windowDark);
    fill.setColorAt(0.6, colour::window);
    fill.setColorAt(1, colour::windowLight);
    painter.fillRect(all, fill);
    QRadialGradient light(QPointF(360, 70), 260);
    light.setColorAt(0, QColor(255, 255, 255, 60));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(all, light);

    const qreal left = 30;
    drawEmbossedText(painter, QRectF(left, 46, 300, 56), QStringLiteral("QMV-718"), uiFont(50, QFont::Bold),
                     Qt::white, QColor(0, 30, 60, 120), Qt::AlignLeft | Qt::AlignVCenter);
    drawText(painter, QRectF(left + 2, 104, 300, 36), Caption::tr("自学习软件"), uiFont(28, QFont::Bold),
             colour::onBlueSoft, Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRect(QRectF(left + 3, 150, 46, 3), colour::accent);
    drawText(painter, QRectF(left + 2, 160, 300, 20), Caption::tr("电视 · 机顶盒 · 影碟机 · 功放"),
             uiFont(14), colour::onBlueSoft, Qt::AlignLeft | Qt::AlignVCenter);

    painter.fillRect(QRectF(0, size.height() - 40, size.width(), 40), QColor(0, 20, 40, 70));
    drawText(painter, QRectF(left + 2, size.height() - 40, 120, 40), QStringLiteral("V 2.3"),
             uiFont(14, QFont::Bold), Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(painter, QRectF(left + 80, size.height() - 40, 200, 40), Caption::tr("正在启动，请稍候……"),
             uiFont(13), colour::onBlueSoft, Qt::AlignLeft | Qt::AlignVCenter);

    // The remote, standing, sending towards the top right.
    painter.save();
    painter.translate(368, 134);
    painter.rotate(16);
    const qreal height = 224;
    const qreal width = height * remote.width() / remote.height();
    const QRectF place(-width / 2, -height / 2, width, height);
    drawHalo(painter, place.translated(4, 6), width * 0.16, 8, QColor(0, 20, 40, 80));
    painter.drawImage(place, remote);
    icon::infraredWaves(painter, QPointF(0, place.top() - 2), 0, 46, 0.3, QColor(255, 255, 255, 230));
    painter.restore();

    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    return image;
}

} // namespace qmv::art
