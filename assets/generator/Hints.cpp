#include "Hints.h"

#include "Caption.h"

#include "Icons.h"
#include "Illustrations.h"
#include "Painting.h"
#include "Theme.h"
#include "WindowGeometry.h"

namespace qmv::art {

namespace {

struct HintText
{
    QString headline;
    QString detail;
};

void paintHintText(QPainter& painter, const QRectF& area, const HintText& text)
{
    const QFont headline = fittedFont(uiFont(15, QFont::Bold), text.headline, area.width(), 12);
    const QFont detail = fittedFont(uiFont(13), text.detail, area.width(), 11);
    drawText(painter, QRectF(area.left(), area.top(), area.width(), area.height() / 2), text.headline,
             headline, colour::ink, Qt::AlignLeft | Qt::AlignBottom);
    drawText(painter, QRectF(area.left(), area.center().y() + 4, area.width(), area.height() / 2 - 4),
             text.detail, detail, colour::inkSoft, Qt::AlignLeft | Qt::AlignTop);
}

// A hint picture: the card, a picture on its left and two lines of text.
template <typename PaintLeft>
QImage paintHint(const QImage& windowCanvas, const QRect& where, qreal leftWidth, const HintText& text,
                 PaintLeft paintLeft)
{
    QImage image = cutOut(windowCanvas, where);
    QPainter painter(&image);
    prepare(painter);
    const QRectF card(1, 1, where.width() - 2, where.height() - 2);
    paintHintCard(painter, card);
    paintLeft(painter, QRectF(card.left() + 10, card.top() + 6, leftWidth, card.height() - 12));
    const qreal textLeft = card.left() + 10 + leftWidth + 12;
    paintHintText(painter, QRectF(textLeft, card.top() + 8, card.right() - 10 - textLeft, card.height() - 16),
                  text);
    return image;
}

// A filled disc centred in the area, as large as fits; returns it.
QRectF paintDisc(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const qreal d = qMin(area.width(), area.height());
    const QRectF circle(area.center().x() - d / 2, area.center().y() - d / 2, d, d);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(circle);
    painter.restore();
    return circle;
}

void paintRemoteBadge(QPainter& painter, const QRectF& area)
{
    const QRectF circle = paintDisc(painter, area, colour::window);
    const qreal d = circle.width();
    paintMiniRemote(painter,
                    QRectF(circle.center().x() - d * 0.13, circle.top() + d * 0.3, d * 0.26, d * 0.6),
                    {true, 0, true, false});
    icon::infraredWaves(painter, QPointF(circle.center().x(), circle.top() + d * 0.3), 0, d * 0.22, 0.35,
                        QColor(255, 255, 255, 230));
}

} // namespace

QImage paintIdleHint(const QImage& windowCanvas)
{
    return paintHint(windowCanvas, window::hint, 52,
                     {Caption::tr("请先选择设备类型，再点击“开始学习”"),
                      Caption::tr("进入学习状态后，在左面遥控器上点击要学习的按键")},
                     paintRemoteBadge);
}

QImage paintLearningHint(const QImage& windowCanvas)
{
    return paintHint(
        windowCanvas, window::hint, 160,
        {Caption::tr("两个遥控器头对头，相距 3～5 厘米"), Caption::tr("再按住原遥控器上对应的按键")},
        [](QPainter& painter, const QRectF& area) {
            paintPointingScene(painter, area, {0.3, true, false});
        });
}

QList<AnimationFrame> paintLearningAnimation(const QImage& windowCanvas)
{
    constexpr int frameCount = 16;
    QList<AnimationFrame> frames;
    for (int i = 0; i < frameCount; ++i) {
        const qreal phase = qreal(i) / frameCount;
        const bool lampOn = (i / 2) % 2 == 0;
        const QImage image = paintHint(
            windowCanvas, window::animation, 172,
            {Caption::tr("请将原遥控器对准本遥控器发码"), Caption::tr("按住原遥控器上对应的按键约 2 秒")},
            [&](QPainter& painter, const QRectF& area) {
                paintPointingScene(painter, area, {phase, true, lampOn});
            });
        frames.append({image, 8});
    }
    return frames;
}

} // namespace qmv::art
