#include "Controls.h"

#include "Icons.h"
#include "KeyFace.h"
#include "KeypadLayout.h"
#include "Painting.h"
#include "Theme.h"

#include <QFontMetricsF>

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace qmv::art {

namespace {

struct ButtonStyle
{
    BoxColours box;
    QColor text;
    QColor textShadow;
    QColor symbol;
    qreal fontSize;
    bool shadow;
};

ButtonStyle styleOf(const ButtonDesign& design, const QRect& where)
{
    const bool large = where.height() >= 40;
    const qreal size = large ? 19 : 14;
    switch (design.kind) {
    case ButtonKind::Start:
        return {{QColor(0x66, 0xD8, 0x86), QColor(0x22, 0x96, 0x47), QColor(0x16, 0x66, 0x31)},
                Qt::white,
                QColor(0, 60, 20, 150),
                Qt::white,
                size,
                true};
    case ButtonKind::Stop:
        return {{QColor(0xFF, 0x90, 0x70), QColor(0xD4, 0x3C, 0x28), QColor(0x8E, 0x24, 0x16)},
                Qt::white,
                QColor(90, 10, 0, 150),
                Qt::white,
                size,
                true};
    case ButtonKind::Secondary:
        return {{QColor(0xFF, 0xFF, 0xFF), QColor(0xD5, 0xE6, 0xF2), QColor(0x6F, 0x9E, 0xC2)},
                colour::ink,
                QColor(255, 255, 255, 200),
                design.symbol == ButtonSymbol::Trash ? colour::danger : QColor(0x2A, 0x6E, 0x9E),
                size,
                true};
    case ButtonKind::Greyed:
        return {{QColor(0xC9, 0xD1, 0xD8), QColor(0xB0, 0xBA, 0xC3), QColor(0x94, 0x9F, 0xA9)},
                QColor(0x86, 0x90, 0x99),
                QColor(255, 255, 255, 120),
                QColor(0x8E, 0x98, 0xA1),
                size,
                false};
    case ButtonKind::TitleBar:
        return {{QColor(255, 255, 255, 70), QColor(255, 255, 255, 22), QColor(255, 255, 255, 120)},
                Qt::white,
                QColor(0, 0, 0, 90),
                Qt::white,
                14,
                false};
    case ButtonKind::Close:
        return {{QColor(0xF2, 0x7A, 0x6E), QColor(0xC7, 0x34, 0x29), QColor(0x85, 0x1F, 0x16)},
                Qt::white,
                QColor(0, 0, 0, 90),
                Qt::white,
                14,
                false};
    }
    return styleOf({design.text, design.symbol, ButtonKind::Secondary}, where);
}

void paintSymbol(QPainter& painter, ButtonSymbol symbol, const QRectF& box, const QColor& colour)
{
    switch (symbol) {
    case ButtonSymbol::None:
        return;
    case ButtonSymbol::Play:
    case ButtonSymbol::Stop: {
        // In a ring, like a media button.
        painter.save();
        painter.setPen(QPen(colour, qMax(1.5, box.width() * 0.09)));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(1, 1, -1, -1));
        painter.restore();
        const QRectF inner =
            box.adjusted(box.width() * 0.28, box.height() * 0.28, -box.width() * 0.28, -box.height() * 0.28);
        if (symbol == ButtonSymbol::Play)
            icon::play(painter, inner.translated(box.width() * 0.03, 0), colour);
        else
            icon::stop(painter, inner.adjusted(-1, -1, 1, 1), colour);
        return;
    }
    case ButtonSymbol::Trash:
        icon::trash(painter, box, colour);
        return;
    case ButtonSymbol::Eraser:
        icon::eraser(painter, box, colour);
        return;
    case ButtonSymbol::Question:
        icon::question(painter, box, colour);
        return;
    case ButtonSymbol::Upload:
        icon::upload(painter, box, colour);
        return;
    case ButtonSymbol::Cross:
        icon::cross(painter, box, colour, 2.2);
        return;
    case ButtonSymbol::Minus:
        icon::minus(painter, box, colour, 2.2);
        return;
    }
}

} // namespace

QImage paintButton(const QImage& windowCanvas, const QRect& where, const ButtonDesign& design)
{
    QImage image = cutOut(windowCanvas, where);
    QPainter painter(&image);
    prepare(painter);
    const ButtonStyle style = styleOf(design, where);
    const bool large = where.height() >= 40;
    // Room for the shadow below and right; the pressed button moves into it.
    const QRectF box = large ? QRectF(2, 2, where.width() - 5, where.height() - 6)
                             : QRectF(1, 1, where.width() - 3, where.height() - 3);
    const qreal radius = large ? 12 : 6;
    if (style.shadow)
        drawHalo(painter, box.translated(1, 2), radius, 2.5, QColor(0, 25, 50, 110));
    drawRaisedBox(painter, box, radius, style.box);

    const QFont font = uiFont(style.fontSize, large ? QFont::Bold : QFont::Normal);
    const qreal textWidth = design.text.isEmpty() ? 0 : QFontMetricsF(font).horizontalAdvance(design.text);
    const qreal symbolSize =
        design.symbol == ButtonSymbol::None ? 0 : (large ? 24 : qMin(16.0, box.height() - 8));
    const qreal gap = (symbolSize > 0 && textWidth > 0) ? (large ? 9 : 5) : 0;
    const qreal left = box.center().x() - (symbolSize + gap + textWidth) / 2;
    paintSymbol(painter, design.symbol,
                QRectF(left, box.center().y() - symbolSize / 2, symbolSize, symbolSize), style.symbol);
    if (textWidth > 0)
        drawEmbossedText(painter, QRectF(left + symbolSize + gap, box.top(), textWidth + 2, box.height()),
                         design.text, font, style.text, style.textShadow, Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

qreal areaTabTextSize(const QStringList& captions, int narrowestWidth)
{
    constexpr int padding = 8; // each side
    int size = 13;
    for (const QString& caption : captions)
        size = std::min(
            size, fittedFont(uiFont(13, QFont::Bold), caption, narrowestWidth - 2 * padding, 9).pixelSize());
    return size;
}

QImage paintAreaTab(const QImage& windowCanvas, const QRect& where, const QString& text, bool current,
                    qreal textSize)
{
    QImage image = cutOut(windowCanvas, where);
    QPainter painter(&image);
    prepare(painter);
    const QRectF box(0.5, 0.5, where.width() - 1, where.height() + 6); // the bottom runs onto the rail
    QPainterPath shape;
    shape.addRoundedRect(box, 6, 6);
    painter.setClipRect(QRectF(0, 0, where.width(), where.height()));
    QLinearGradient fill(box.topLeft(), QPointF(0, where.height()));
    if (current) {
        fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        fill.setColorAt(1, QColor(0xE4, 0xF0, 0xF8));
        painter.setPen(QPen(QColor(0xE4, 0xF0, 0xF8), 1));
    } else {
        fill.setColorAt(0, QColor(0x3E, 0x84, 0xB2));
        fill.setColorAt(1, QColor(0x27, 0x62, 0x8A));
        painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    }
    painter.setBrush(fill);
    painter.drawPath(shape);
    if (current) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour::accent);
        painter.drawRoundedRect(QRectF(4, 0.5, where.width() - 8, 3), 1.5, 1.5);
    }
    painter.setClipping(false);
    const QFont font = uiFont(textSize, current ? QFont::Bold : QFont::Normal);
    drawText(painter, QRectF(0, 1.5, where.width(), where.height() - 1), text, font,
             current ? colour::ink : colour::onBlueSoft);
    return image;
}

QImage paintCurrentPowerKey(const QImage& keypadBody, const KeyDefinition& key)
{
    const KeyRect r = *keyRect(key.code);
    QImage image = cutOut(keypadBody, QRect(r.x, r.y, r.width, r.height));
    QPainter painter(&image);
    paintKey(painter, QRectF(0, 0, r.width, r.height), key, KeyLook::AreaCurrent);
    return image;
}

} // namespace qmv::art
