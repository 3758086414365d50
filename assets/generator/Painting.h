#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// Drawing primitives shared by all pictures: raised boxes, soft shadows, fitted text.
namespace qmv::art {

// The pictures are drawn once for every pixel density the program loads (1 and 2 device pixels
// per pixel); all drawing is in pixels of the window, whatever the density.
void setDrawingScale(int scale);
int drawingScale();

// A transparent ARGB picture of this size in pixels of the window, at the drawing scale.
QImage blankImage(QSize size);

// The part of a larger picture under rect (in pixels of the window), as a picture of its own.
QImage cutOut(const QImage& source, const QRect& rect);

// Anti-aliased painting with smooth scaling.
void prepare(QPainter& painter);

// A box filled top to bottom with a gradient, a thin border and a highlight along its top edge.
struct BoxColours
{
    QColor top;
    QColor bottom;
    QColor border;
};
void drawRaisedBox(QPainter& painter, const QRectF& rect, qreal radius, const BoxColours& colours);

// A blurred-looking shadow or glow around rect, `spread` pixels wide.
void drawHalo(QPainter& painter, const QRectF& rect, qreal radius, qreal spread, const QColor& colour);

// The font made smaller, down to minPixelSize, until text fits maxWidth.
QFont fittedFont(QFont font, const QString& text, qreal maxWidth, int minPixelSize);

void drawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
              const QColor& colour, int flags = Qt::AlignCenter);

// Text with a one-pixel shadow below it, for light text on coloured faces.
void drawEmbossedText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                      const QColor& colour, const QColor& shadow, int flags = Qt::AlignCenter);

// Rich text (a small HTML subset) laid out in rect; the font shrinks until the text fits the height.
void drawRichText(QPainter& painter, const QRectF& rect, const QString& html, qreal pixelSize,
                  qreal minPixelSize, const QColor& colour);

} // namespace qmv::art
