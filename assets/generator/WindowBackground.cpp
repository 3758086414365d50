#include "WindowBackground.h"

#include "Caption.h"

#include "Icons.h"
#include "KeyFace.h"
#include "Painting.h"
#include "Theme.h"
#include "WindowGeometry.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace qmv::art {

namespace {

// The part of the window right of the keypad panel, where the background's own content goes.
constexpr int contentLeft = 252;

void paintBase(QPainter& painter)
{
    const QRect all(QPoint(0, 0), window::size);
    QLinearGradient fill(0, 0, 0, window::backgroundSize.height());
    fill.setColorAt(0, colour::windowLight);
    fill.setColorAt(0.55, colour::window);
    fill.setColorAt(1, colour::window); // meets the window colour below the picture without a seam
    painter.fillRect(all, fill);

    // A broad soft light from the top right, so the surface is not flat.
    QRadialGradient light(QPointF(860, 120), 620);
    light.setColorAt(0, QColor(255, 255, 255, 34));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(0, 0, window::size.width(), window::backgroundSize.height()), light);
}

void paintTitleBar(QPainter& painter)
{
    const QRectF bar(0, 0, window::size.width(), window::titleBarHeight);
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, colour::titleBar.lighter(112));
    fill.setColorAt(1, colour::titleBar);
    painter.fillRect(bar, fill);
    painter.fillRect(QRectF(0, bar.bottom(), bar.width(), 1), QColor(255, 255, 255, 70));
    painter.fillRect(QRectF(0, bar.bottom() + 1, bar.width(), 2), QColor(0, 0, 0, 40));

    icon::power(painter, QRectF(contentLeft + 8, 12, 18, 18), colour::accent);
    drawText(painter, QRectF(contentLeft + 34, 0, 120, bar.height()), QStringLiteral("QMV-718"),
             uiFont(19, QFont::Bold), colour::onBlue, Qt::AlignLeft | Qt::AlignVCenter);
    drawText(painter, QRectF(contentLeft + 128, 1, 220, bar.height()), Caption::tr("自学习软件"), uiFont(17),
             colour::onBlueSoft, Qt::AlignLeft | Qt::AlignVCenter);
}

void paintWelcome(QPainter& painter)
{
    const qreal left = contentLeft + 10;
    drawText(painter, QRectF(left, 60, 380, 30), Caption::tr("欢迎使用 QMV-718 学习型遥控器"),
             uiFont(22, QFont::Bold), colour::onBlue, Qt::AlignLeft | Qt::AlignVCenter);
    drawRichText(painter, QRectF(left, 98, 370, 44),
                 Caption::tr("把电视、机顶盒、影碟机和功放原遥控器的编码逐键学下来，<br>"
                             "从此一个遥控器就能操作全部设备。"),
                 14, 12, colour::onBlueSoft);

    // Three facts about the remote as small chips.
    const QStringList chips{Caption::tr("4 个设备区"), Caption::tr("每区 48 个可学习按键"),
                            Caption::tr("USB 连接电脑")};
    const QFont chipFont = uiFont(13);
    qreal x = left;
    for (const QString& chip : chips) {
        const qreal width = QFontMetricsF(chipFont).horizontalAdvance(chip) + 24;
        const QRectF box(x, 152, width, 26);
        painter.save();
        painter.setPen(QPen(QColor(255, 255, 255, 120), 1));
        painter.setBrush(QColor(255, 255, 255, 38));
        painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 13, 13);
        painter.restore();
        drawText(painter, box, chip, chipFont, colour::onBlue);
        x += width + 10;
    }
}

void paintCard(QPainter& painter, const QRectF& rect, qreal radius)
{
    drawHalo(painter, rect.translated(0, 2), radius, 4, QColor(0, 30, 60, 60));
    painter.save();
    painter.setPen(QPen(colour::cardEdge, 1));
    painter.setBrush(colour::card);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.restore();
}

void paintInfoCard(QPainter& painter)
{
    const QRectF card(window::infoCard);
    paintCard(painter, card, 10);
    const QRect labels[] = {window::modelLabel, window::versionLabel, window::firmwareLabel};
    const QString captions[] = {Caption::tr("遥控器型号："), Caption::tr("软件版本："),
                                Caption::tr("固件版本：")};
    const QFont font = uiFont(14);
    for (int i = 0; i < 3; ++i) {
        const QRectF label(labels[i]);
        const QRectF caption(card.left() + 12, label.center().y() - 10, label.left() - 4 - card.left() - 12,
                             20);
        drawText(painter, caption, captions[i], font, colour::inkSoft, Qt::AlignRight | Qt::AlignVCenter);
        if (i < 2) {
            const qreal y = (label.bottom() + QRectF(labels[i + 1]).top()) / 2 + 1;
            painter.fillRect(QRectF(card.left() + 14, y, card.width() - 28, 1),
                             QColor(0x9C, 0xC4, 0xE0, 110));
        }
    }
}

void paintMainFrame(QPainter& painter)
{
    const QRectF frame(window::mainFrame);
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 95), 1));
    painter.setBrush(QColor(255, 255, 255, 26));
    painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    painter.restore();

    // The tab rail the four area tabs stand on.
    const qreal rail = window::tabTv.bottom() + 1;
    painter.fillRect(QRectF(frame.left() + 18, rail, frame.width() - 36, 2), QColor(0xE4, 0xF0, 0xF8));
    drawText(painter,
             QRectF(frame.left() + 10, window::tabAmp.top() - 1, window::tabTv.left() - frame.left() - 14,
                    window::tabTv.height() + 1),
             Caption::tr("设备"), uiFont(13, QFont::Bold), colour::onBlueSoft,
             Qt::AlignRight | Qt::AlignVCenter);

    paintCard(painter, QRectF(window::stateStrip), 8);
    paintCard(painter, QRectF(window::workBox), 10);

    // The button bar below a thin rule.
    const qreal rule = window::beginStudy.top() - 14;
    painter.fillRect(QRectF(frame.left() + 18, rule, frame.width() - 36, 1), QColor(255, 255, 255, 80));
    painter.fillRect(QRectF(frame.left() + 18, rule + 1, frame.width() - 36, 1), QColor(0, 0, 0, 30));
}

void paintSteps(QPainter& painter)
{
    const qreal left = contentLeft + 4;
    drawText(painter, QRectF(left, 200, 140, 24), Caption::tr("学习步骤"), uiFont(16, QFont::Bold),
             colour::onBlue, Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRect(QRectF(left, 226, 132, 1), QColor(255, 255, 255, 90));

    const QStringList steps{Caption::tr("选择设备类型：电视、机顶盒、影碟机或 AMP"),
                            Caption::tr("点击“开始学习”按钮"), Caption::tr("点击左面遥控器上要学习的按键"),
                            Caption::tr("原遥控器对准本遥控器，按住对应按键约 2 秒")};
    const qreal pitch = 62;
    const qreal firstTop = 240;
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 90), 2, Qt::DotLine, Qt::RoundCap));
    painter.drawLine(QPointF(left + 11, firstTop + 24), QPointF(left + 11, firstTop + pitch * 3));
    painter.restore();
    for (int i = 0; i < steps.size(); ++i) {
        const qreal top = firstTop + pitch * i;
        const QRectF circle(left, top, 22, 22);
        painter.save();
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
        painter.setBrush(colour::accent);
        painter.drawEllipse(circle);
        painter.restore();
        drawText(painter, circle, QString::number(i + 1), uiFont(13, QFont::Bold), colour::onBlue);
        drawRichText(painter, QRectF(left + 30, top + 2, 108, 56), steps[i], 13, 11, colour::onBlue);
    }
}

void paintKeyLegend(QPainter& painter)
{
    const qreal left = contentLeft + 4;
    const qreal top = 500;
    drawText(painter, QRectF(left, top, 140, 24), Caption::tr("按键颜色"), uiFont(16, QFont::Bold),
             colour::onBlue, Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRect(QRectF(left, top + 26, 132, 1), QColor(255, 255, 255, 90));

    const KeyDefinition sample = *findKey("36"); // the menu key
    const struct
    {
        KeyLook look;
        const char* meaning;
    } rows[] = {{KeyLook::NotLearned, QT_TRANSLATE_NOOP("qmv::art::Caption", "未学习")},
                {KeyLook::Learned, QT_TRANSLATE_NOOP("qmv::art::Caption", "已学习")},
                {KeyLook::Learning, QT_TRANSLATE_NOOP("qmv::art::Caption", "正在学习")},
                {KeyLook::Elsewhere, QT_TRANSLATE_NOOP("qmv::art::Caption", "其他编码")}};
    qreal y = top + 36;
    for (const auto& row : rows) {
        const QRectF swatch(left, y, 56, 30);
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour::caseBottom);
        painter.drawRoundedRect(swatch, 6, 6);
        painter.restore();
        paintKey(painter, swatch.adjusted(5, 3, -5, -3), sample, row.look);
        drawText(painter, QRectF(left + 66, y, 80, 30), Caption::tr(row.meaning), uiFont(14), colour::onBlue,
                 Qt::AlignLeft | Qt::AlignVCenter);
        y += 38;
    }
}

void paintFooter(QPainter& painter)
{
    const QRectF line(contentLeft, 700, window::size.width() - contentLeft - 10, 22);
    const QString text =
        Caption::tr("学习时请将原遥控器的发射头对准本遥控器顶端的红外窗口，两者相距约 3～5 厘米。");
    const QFont font = uiFont(13);
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    const qreal left = line.center().x() - (width + 22) / 2;
    icon::info(painter, QRectF(left, line.top() + 3, 16, 16), QColor(255, 255, 255, 210), colour::window);
    drawText(painter, QRectF(left + 22, line.top(), width + 4, line.height()), text, font, colour::onBlueSoft,
             Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

QImage paintWindowCanvas()
{
    QImage canvas = blankImage(window::size);
    QPainter painter(&canvas);
    prepare(painter);
    paintBase(painter);
    paintTitleBar(painter);
    paintWelcome(painter);
    paintInfoCard(painter);
    paintMainFrame(painter);
    paintSteps(painter);
    paintKeyLegend(painter);
    paintFooter(painter);
    painter.end();
    // The rows below the background picture are the window's own colour.
    QPainter strip(&canvas);
    strip.fillRect(QRect(0, window::backgroundSize.height(), window::size.width(),
                         window::size.height() - window::backgroundSize.height()),
                   colour::window);
    return canvas;
}

} // namespace qmv::art
