#include "KeyFace.h"

#include "Icons.h"
#include "Painting.h"
#include "Theme.h"

#include <QFontMetricsF>
#include <functional>

namespace qmv::art {

namespace {

using IconPainter = std::function<void(QPainter&, const QRectF&, const QColor&)>;

struct LookStyle
{
    BoxColours face;
    QColor text;
    QColor textShadow;
    QColor glow;   // transparent: no glow
    QColor symbol; // colour of accent symbols (power, record) on this look
};

LookStyle styleOf(KeyLook look)
{
    switch (look) {
    case KeyLook::NotLearned:
        return {{QColor(0x5A, 0x62, 0x6D), QColor(0x37, 0x3D, 0x45), QColor(0x16, 0x19, 0x1D)},
                QColor(0xF2, 0xF5, 0xF8),
                QColor(0, 0, 0, 150),
                QColor(0, 0, 0, 0),
                QColor(0xFF, 0x5E, 0x52)};
    case KeyLook::Learned:
        return {{QColor(0x4C, 0x6E, 0x5A), QColor(0x2C, 0x47, 0x38), QColor(0x3D, 0xD9, 0x74)},
                QColor(0xF4, 0xFF, 0xF7),
                QColor(0, 0, 0, 150),
                QColor(0x3D, 0xE0, 0x78, 230),
                QColor(0xFF, 0x6A, 0x5E)};
    case KeyLook::Learning:
        return {{QColor(0xFF, 0xDC, 0x7A), QColor(0xF2, 0x9A, 0x1A), QColor(0xA8, 0x5E, 0x05)},
                QColor(0x3A, 0x22, 0x00),
                QColor(255, 255, 255, 110),
                QColor(0xFF, 0xC4, 0x3A, 255),
                QColor(0xB0, 0x1E, 0x12)};
    case KeyLook::Elsewhere:
        return {{QColor(0x84, 0x9B, 0xB2), QColor(0x5B, 0x71, 0x87), QColor(0x2E, 0x3D, 0x4C)},
                QColor(0xF4, 0xF8, 0xFC),
                QColor(0x1E, 0x2A, 0x36, 150),
                QColor(0, 0, 0, 0),
                QColor(0xFF, 0xD6, 0xD2)};
    case KeyLook::AreaCurrent:
        return {{QColor(0x6B, 0xCB, 0xFF), QColor(0x18, 0x84, 0xCE), QColor(0x0B, 0x4F, 0x82)},
                QColor(0xFF, 0xFF, 0xFF),
                QColor(0x0A, 0x3A, 0x60, 170),
                QColor(0x7F, 0xD8, 0xFF, 255),
                QColor(0xFF, 0xFF, 0xFF)};
    }
    return styleOf(KeyLook::NotLearned);
}

// The printed colour of the four colour keys; invalid for every other key.
QColor colourKeyFace(std::string_view code)
{
    if (code == "66")
        return {0xD9, 0x38, 0x30};
    if (code == "67")
        return {0x2E, 0xA6, 0x48};
    if (code == "70")
        return {0xE9, 0xC2, 0x1F};
    if (code == "71")
        return {0x2F, 0x6C, 0xD6};
    return {};
}

IconPainter symbolOf(std::string_view code)
{
    using icon::Direction;
    if (code == "54")
        return icon::play;
    if (code == "53")
        return icon::pause;
    if (code == "61")
        return icon::stop;
    if (code == "60")
        return icon::fastForward;
    if (code == "57")
        return icon::rewind;
    if (code == "55")
        return icon::skipNext;
    if (code == "52")
        return icon::skipPrevious;
    if (code == "56")
        return icon::record;
    const auto arrowTo = [](Direction d) {
        return [d](QPainter& p, const QRectF& r, const QColor& c) {
            icon::arrow(p, r, d, c);
        };
    };
    if (code == "40")
        return arrowTo(Direction::Up);
    if (code == "50")
        return arrowTo(Direction::Down);
    if (code == "43")
        return arrowTo(Direction::Left);
    if (code == "45")
        return arrowTo(Direction::Right);
    return {};
}

QString toText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isDigit(std::string_view label)
{
    return label.size() == 1 && label[0] >= '0' && label[0] <= '9';
}

qreal cornerRadius(const QRectF& face)
{
    return qMin(face.height(), face.width()) * 0.32;
}

// Face colours for this key in this look: colour keys keep their printed colour in every look
// but the amber one, shaded like the others.
BoxColours faceColours(const KeyDefinition* key, const LookStyle& style, KeyLook look)
{
    const QColor printed = key ? colourKeyFace(key->code) : QColor();
    if (!printed.isValid() || look == KeyLook::Learning)
        return style.face;
    QColor base = printed;
    if (look == KeyLook::Elsewhere)
        base = QColor::fromHsvF(base.hsvHueF(), base.hsvSaturationF() * 0.45, base.valueF() * 0.85);
    return {base.lighter(125), base.darker(130),
            look == KeyLook::Learned ? style.face.border : base.darker(220)};
}

QColor textColourOn(const KeyDefinition* key, const LookStyle& style, KeyLook look)
{
    if (key && key->code == "70" && look != KeyLook::Learning)
        return QColor(0x3A, 0x2E, 0x00);
    return style.text;
}

// The face proper: inset so that glow and badges fit inside the picture.
QRectF faceRect(const QRectF& rect)
{
    return rect.adjusted(2, 2, -2, -2.5);
}

void paintBody(QPainter& painter, const QRectF& rect, const BoxColours& colours, const LookStyle& style)
{
    const QRectF face = faceRect(rect);
    const qreal radius = cornerRadius(face);
    if (style.glow.alpha() > 0)
        drawHalo(painter, face, radius, 2.2, style.glow);
    else
        drawHalo(painter, face.translated(0, 1), radius, 1.5, QColor(0, 0, 0, 120)); // drop shadow
    drawRaisedBox(painter, face, radius, colours);
}

// A small round badge on the key's top-right corner.
void paintBadge(QPainter& painter, const QRectF& rect, KeyLook look)
{
    if (look != KeyLook::Learned && look != KeyLook::Elsewhere)
        return;
    const qreal d = qBound(7.5, rect.height() * 0.34, 10.0);
    const QRectF badge(rect.right() - d, rect.top(), d, d);
    painter.save();
    painter.setPen(QPen(QColor(0, 0, 0, 90), 0.8));
    if (look == KeyLook::Learned) {
        painter.setBrush(QColor(0x27, 0xB8, 0x56));
        painter.drawEllipse(badge);
        icon::tick(painter, badge.adjusted(1, 1, -1, -1), Qt::white, qMax(1.3, d * 0.16));
    } else {
        painter.setBrush(QColor(0xDC, 0xEB, 0xF8));
        painter.drawEllipse(badge);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x3B, 0x67, 0x92));
        painter.drawEllipse(badge.adjusted(d * 0.3, d * 0.3, -d * 0.3, -d * 0.3));
    }
    painter.restore();
}

// A symbol with a small caption, beside it on wide keys and below it on narrow ones.
void paintSymbolAndCaption(QPainter& painter, const QRectF& face, const IconPainter& symbol,
                           const QColor& symbolColour, const QString& caption, const QColor& textColour,
                           const QColor& shadow)
{
    const bool wide = face.width() > face.height() * 1.5;
    if (wide) {
        const qreal iconSize = qMin(face.height() * 0.55, 11.0);
        QFont font = fittedFont(uiFont(10, QFont::Bold), caption, face.width() - iconSize - 8, 8);
        const qreal textWidth = QFontMetricsF(font).horizontalAdvance(caption);
        const qreal gap = caption.isEmpty() ? 0 : 3;
        const qreal left = face.center().x() - (iconSize + gap + textWidth) / 2;
        symbol(painter, QRectF(left, face.center().y() - iconSize / 2, iconSize, iconSize), symbolColour);
        drawEmbossedText(painter, QRectF(left + iconSize + gap, face.top(), textWidth + 2, face.height()),
                         caption, font, textColour, shadow, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    const qreal iconSize = qMin(face.height() * 0.4, face.width() * 0.45);
    QFont font = fittedFont(uiFont(9, QFont::Bold), caption, face.width() - 3, 7);
    const qreal textHeight = font.pixelSize() + 1;
    const qreal top = face.center().y() - (iconSize + 1 + textHeight) / 2;
    symbol(painter, QRectF(face.center().x() - iconSize / 2, top, iconSize, iconSize), symbolColour);
    drawEmbossedText(painter, QRectF(face.left(), top + iconSize + 1, face.width(), textHeight), caption,
                     font, textColour, shadow);
}

void paintLabel(QPainter& painter, const QRectF& face, const QString& label, bool digit, const QColor& colour,
                const QColor& shadow)
{
    const qreal wanted = digit ? face.height() * 0.66 : qMin(11.0, face.height() * 0.58);
    const QFont font = fittedFont(uiFont(wanted, QFont::Bold), label, face.width() - 5, 8);
    drawEmbossedText(painter, face.translated(0, -0.5), label, font, colour, shadow);
}

} // namespace

void paintKey(QPainter& painter, const QRectF& rect, const KeyDefinition& key, KeyLook look)
{
    painter.save();
    prepare(painter);
    const LookStyle style = styleOf(look);
    paintBody(painter, rect, faceColours(&key, style, look), style);
    const QRectF face = faceRect(rect);
    const QColor text = textColourOn(&key, style, look);
    const QString label = QString::fromStdString(keyLabel(key));

    if (key.selectsArea >= 0) {
        // The four power keys carry the name of the area they switch to.
        const QString area = toText(areaNames[static_cast<size_t>(key.selectsArea)]);
        paintSymbolAndCaption(painter, face.adjusted(1, 0, -1, 0), icon::power, style.symbol, area, text,
                              style.textShadow);
    } else if (const IconPainter symbol = symbolOf(key.code)) {
        const QColor symbolColour = key.code == "56" ? style.symbol : text;
        paintSymbolAndCaption(painter, face, symbol, symbolColour, label, text, style.textShadow);
    } else {
        paintLabel(painter, face, label, isDigit(key.label), text, style.textShadow);
    }
    paintBadge(painter, rect, look);
    painter.restore();
}

void paintSpareKey(QPainter& painter, const QRectF& rect, KeyLook look)
{
    painter.save();
    prepare(painter);
    const LookStyle style = styleOf(look);
    paintBody(painter, rect, style.face, style);
    paintBadge(painter, rect, look);
    painter.restore();
}

} // namespace qmv::art
