#include "Theme.h"

#include <QFontDatabase>

namespace qmv::art {

namespace {
const QString windowsFace = QStringLiteral("新宋体");
const QString debianFace = QStringLiteral("WenQuanYi Zen Hei");
} // namespace

QFont uiFont(qreal pixelSize, int weight)
{
    QFont font;
    font.setFamilies({windowsFace, debianFace});
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool chineseFontAvailable()
{
    const QStringList families = QFontDatabase::families();
    return families.contains(windowsFace) || families.contains(debianFace);
}

} // namespace qmv::art
