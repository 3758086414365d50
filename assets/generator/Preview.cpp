#include "Preview.h"

#include "Caption.h"

#include "Controls.h"
#include "Keypad.h"
#include "KeypadLayout.h"
#include "Painting.h"
#include "PictureNames.h"
#include "Theme.h"
#include "WindowGeometry.h"

#include <QPainterPath>

namespace qmv::art {

namespace {

QString formName(const char* path)
{
    return QString::fromLatin1(path).section(QLatin1Char('/'), -1);
}

// A plausible moment: some keys learned, some from elsewhere, one waiting for its code.
int sampleSet(std::string_view code)
{
    static constexpr std::string_view learned[] = {"10", "12", "13", "14", "26", "30",
                                                   "31", "33", "36", "40", "50"};
    static constexpr std::string_view elsewhere[] = {"32", "65"};
    if (code == "16")
        return 2;
    for (std::string_view c : learned)
        if (c == code)
            return 1;
    for (std::string_view c : elsewhere)
        if (c == code)
            return 3;
    return 0;
}

void drawKeypad(QPainter& painter, const GeneratedPictures& pictures, const QPoint& origin)
{
    painter.drawImage(origin, pictures.keypadBody);
    for (const KeyPlacement& placement : keypadLayout) {
        const QPoint at = origin + QPoint(placement.rect.x, placement.rect.y);
        const int index = pictureIndex(placement.code);
        QImage picture = pictures.keySets[sampleSet(placement.code)][index];
        if (placement.code == "00") // TV is the current area
            picture = pictures.forms.value(formName(pictures::form::powerKeyPrefix) + QStringLiteral("00") +
                                           QString::fromLatin1(pictures::form::currentSuffix));
        painter.drawImage(at, picture);
    }
}

} // namespace

QImage composeLearningWindow(const GeneratedPictures& pictures)
{
    QImage image = pictures.canvas.copy();
    QPainter painter(&image);
    prepare(painter);
    drawKeypad(painter, pictures, window::keypadPanel.topLeft());

    const QString tabs[] = {QStringLiteral("tv"), QStringLiteral("dvd"), QStringLiteral("amp"),
                            QStringLiteral("cbl")};
    const QRect places[] = {window::tabTv, window::tabDvd, window::tabAmp, window::tabCbl};
    for (int i = 0; i < 4; ++i) {
        QString name = formName(pictures::form::tabPrefix) + tabs[i];
        if (i == 0)
            name += QString::fromLatin1(pictures::form::currentSuffix);
        painter.drawImage(places[i].topLeft(), pictures.forms.value(name));
    }
    drawText(painter, QRectF(window::stateLine), Caption::tr("准备学习%1按键， 请发码").arg(5), uiFont(16),
             Qt::red);
    painter.drawImage(window::animation.topLeft(), pictures.animationFrame);
    painter.drawImage(window::panelLearning.topLeft(),
                      pictures.forms.value(formName(pictures::form::panelLearning)));
    painter.drawImage(window::beginStudy.topLeft(),
                      pictures.forms.value(formName(pictures::form::stopStudy)));
    painter.drawImage(window::deleteKey.topLeft(),
                      pictures.named.value(QString::fromLatin1(pictures::deleteButton)));
    painter.drawImage(window::clearKeys.topLeft(),
                      pictures.named.value(QString::fromLatin1(pictures::clearButton)));
    painter.drawImage(window::help.topLeft(), pictures.forms.value(formName(pictures::form::help)));
    painter.drawImage(window::update.topLeft(), pictures.forms.value(formName(pictures::form::update)));
    painter.drawImage(window::close.topLeft(), pictures.forms.value(formName(pictures::form::close)));
    const QFont labelFont = uiFont(14);
    drawText(painter, QRectF(window::modelLabel), QStringLiteral("QMV-718"), labelFont, colour::ink,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(painter, QRectF(window::versionLabel), QStringLiteral("V 2.3"), labelFont, colour::ink,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(painter, QRectF(window::firmwareLabel), QStringLiteral(" 2.0"), labelFont, colour::ink,
             Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage composeRemote(const GeneratedPictures& pictures)
{
    const QRect caseRect(remoteCase.x, remoteCase.y, remoteCase.width, remoteCase.height);
    QImage remote = blankImage(caseRect.size());
    QPainter painter(&remote);
    prepare(painter);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, caseRect.width(), caseRect.height()), 34, 34);
    painter.setClipPath(outline);
    painter.translate(-caseRect.topLeft());
    painter.drawImage(0, 0, pictures.keypadBody);
    for (const KeyPlacement& placement : keypadLayout) {
        const KeyDefinition key = *findKey(placement.code);
        const QImage picture = key.selectsArea == 0 ? paintCurrentPowerKey(pictures.keypadBody, key)
                                                    : pictures.keySets[0][pictureIndex(placement.code)];
        painter.drawImage(placement.rect.x, placement.rect.y, picture);
    }
    return remote;
}

QImage composeKeyLooks(const GeneratedPictures& pictures)
{
    const char* captions[] = {QT_TRANSLATE_NOOP("qmv::art::Caption", "未学习"),
                              QT_TRANSLATE_NOOP("qmv::art::Caption", "已学习"),
                              QT_TRANSLATE_NOOP("qmv::art::Caption", "正在学习"),
                              QT_TRANSLATE_NOOP("qmv::art::Caption", "其他编码")};
    const std::string_view codes[] = {"36", "16", "54", "66"};
    const int column = 96;
    const int row = 44;
    QImage image = blankImage(QSize(column * 4 + 16, row * 4 + 40));
    image.fill(colour::card);
    QPainter painter(&image);
    prepare(painter);
    for (int look = 0; look < 4; ++look) {
        const QRectF cell(8 + look * column, 4, column, 28);
        drawText(painter, cell, Caption::tr(captions[look]), uiFont(14, QFont::Bold), colour::ink);
    }
    for (int r = 0; r < 4; ++r) {
        const KeyRect rect = *keyRect(codes[r]);
        for (int look = 0; look < 4; ++look) {
            const QRectF cell(8 + look * column + 8, 36 + r * row, column - 16, row - 6);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour::caseBottom);
            painter.drawRoundedRect(cell, 8, 8);
            const QPointF at(cell.center().x() - rect.width / 2.0, cell.center().y() - rect.height / 2.0);
            painter.drawImage(at, pictures.keySets[look][pictureIndex(codes[r])]);
        }
    }
    return image;
}

} // namespace qmv::art
