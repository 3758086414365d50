#include "Painting.h"

#include "Theme.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QTextDocument>

namespace qmv::art {

namespace {
int scale = 1;
// The smallest size a caption shrinks to so that it fits its place.
constexpr int smallestTextPixels = 8;
} // namespace

void setDrawingScale(int drawing)
{
    scale = drawing;
}

int drawingScale()
{
    return scale;
}

QImage blankImage(QSize size)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

QImage cutOut(const QImage& source, const QRect& rect)
{
    const qreal ratio = source.devicePixelRatio();
    const QRect pixels(qRound(rect.x() * ratio), qRound(rect.y() * ratio), qRound(rect.width() * ratio),
                       qRound(rect.height() * ratio));
    QImage image = source.copy(pixels).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

void prepare(QPainter& painter)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

void drawRaisedBox(QPainter& painter, const QRectF& rect, qreal radius, const BoxColours& colours)
{
    painter.save();
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    painter.setPen(QPen(colours.border, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // A faint light line just inside the top edge makes the box read as raised.
    QPainterPath inner;
    inner.addRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), qMax(0.0, radius - 1), qMax(0.0, radius - 1));
    QLinearGradient shine(rect.topLeft(), rect.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 110));
    shine.setColorAt(0.5, QColor(255, 255, 255, 0));
    painter.setPen(QPen(QBrush(shine), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(inner);
    painter.restore();
}

void drawHalo(QPainter& painter, const QRectF& rect, qreal radius, qreal spread, const QColor& colour)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const int steps = qMax(1, qRound(spread * 2));
    for (int i = steps; i >= 1; --i) {
        const qreal grow = spread * i / steps;
        QColor ring = colour;
        ring.setAlphaF(colour.alphaF() * (1.0 - qreal(i - 1) / steps) / steps * 2.2);
        painter.setBrush(ring);
        painter.drawRoundedRect(rect.adjusted(-grow, -grow, grow, grow), radius + grow, radius + grow);
    }
    painter.restore();
}

QFont fittedFont(QFont font, const QString& text, qreal maxWidth, int minPixelSize)
{
    while (font.pixelSize() > minPixelSize && QFontMetricsF(font).horizontalAdvance(text) > maxWidth)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

void drawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
              const QColor& colour, int flags)
{
    painter.save();
    // A caption longer in one language than in another still stays inside its place: the font
    // shrinks until the longest line fits. Text that fits is drawn as it is.
    if (flags & Qt::TextWordWrap) {
        painter.setFont(font);
    } else {
        QString longest;
        const QFontMetricsF metrics(font);
        for (const QString& line : text.split(u'\n'))
            if (metrics.horizontalAdvance(line) > metrics.horizontalAdvance(longest))
                longest = line;
        painter.setFont(fittedFont(font, longest, rect.width(), smallestTextPixels));
    }
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
    painter.restore();
}

void drawEmbossedText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                      const QColor& colour, const QColor& shadow, int flags)
{
    drawText(painter, rect.translated(0, 1), text, font, shadow, flags);
    drawText(painter, rect, text, font, colour, flags);
}

void drawRichText(QPainter& painter, const QRectF& rect, const QString& html, qreal pixelSize,
                  qreal minPixelSize, const QColor& colour)
{
    QTextDocument document;
    document.setDocumentMargin(0);
    document.setTextWidth(rect.width());
    qreal size = pixelSize;
    for (;;) {
        document.setDefaultFont(uiFont(size));
        document.setDefaultStyleSheet(QStringLiteral("body { color: %1; }").arg(colour.name()));
        document.setHtml(QStringLiteral("<body>%1</body>").arg(html));
        if (document.size().height() <= rect.height() || size <= minPixelSize)
            break;
        size -= 0.5;
    }
    painter.save();
    painter.translate(rect.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, colour);
    context.clip = QRectF(QPointF(0, 0), rect.size());
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace qmv::art
