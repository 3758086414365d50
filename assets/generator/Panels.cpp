#include "Panels.h"

#include "Caption.h"

#include "Icons.h"
#include "Illustrations.h"
#include "Painting.h"
#include "Theme.h"

namespace qmv::art {

namespace {

QString button(const char* name)
{
    return QStringLiteral("<b style=\"color:#1E6FA8\">%1</b>")
        .arg(Caption::tr("“%1”").arg(Caption::tr(name)));
}

QString listHtml(const Instructions& instructions)
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">");
    for (int i = 0; i < instructions.steps.size(); ++i)
        html += QStringLiteral("<tr><td width=\"20\" valign=\"top\"><b style=\"color:#E08A0B\">%1.</b></td>"
                               "<td valign=\"top\">%2</td></tr>")
                    .arg(i + 1)
                    .arg(instructions.steps[i]);
    html += QStringLiteral("</table>");
    if (!instructions.note.isEmpty())
        html += QStringLiteral("<p style=\"margin-top:3px; color:#C8372C\"><b>%1</b>%2</p>")
                    .arg(Caption::tr("注意："), instructions.note);
    return html;
}

} // namespace

QImage paintInstructionPanel(const QImage& windowCanvas, const QRect& where, const Instructions& instructions)
{
    QImage image = cutOut(windowCanvas, where);
    QPainter painter(&image);
    prepare(painter);
    const QRectF card(1, 1, where.width() - 2, where.height() - 2);
    paintHintCard(painter, card);
    icon::info(painter, QRectF(card.left() + 10, card.top() + 8, 18, 18), colour::window, Qt::white);
    drawText(painter, QRectF(card.left() + 34, card.top() + 6, 100, 22), Caption::tr("提示"),
             uiFont(16, QFont::Bold), colour::ink, Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRect(QRectF(card.left() + 10, card.top() + 32, card.width() - 20, 1),
                     QColor(0x9C, 0xC4, 0xE0, 150));
    drawRichText(painter, QRectF(card.left() + 12, card.top() + 38, card.width() - 22, card.height() - 44),
                 listHtml(instructions), 13, 10.5, colour::ink);
    return image;
}

Instructions noKeysInstructions()
{
    return {{Caption::tr("请先选择设备类型（电视、机顶盒、影碟机或 AMP）；"),
             Caption::tr("再点击%1按钮，进入学习状态；")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "开始学习"))),
             Caption::tr("在左面遥控器上点击要学习的按键，再用原遥控器发码；"),
             Caption::tr("学习完毕后，点击%1按钮。")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "停止学习")))},
            {}};
}

Instructions hasKeysInstructions()
{
    return {{Caption::tr("请先选择设备类型，再点击%1按钮，进入学习状态；")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "开始学习"))),
             Caption::tr("点击%1按钮进入删除状态，可逐个删除已学习的按键；")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "删除"))),
             Caption::tr("点击%1按钮，清除当前设备里所有已学习的编码。")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "清空")))},
            {}};
}

Instructions learningInstructions()
{
    return {
        {Caption::tr("在左面的遥控器图片上点击要学习的按键；"),
         Caption::tr("按上面动画所示，用原遥控器对准本遥控器发码：<br>按住原遥控器上对应的按键，至少 2 秒；"),
         Caption::tr("继续学习其他按键时，重复第 1、2 步；"),
         Caption::tr("全部学习完毕后，点击%1按钮。")
             .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "停止学习")))},
        Caption::tr("点击“停止学习”之前，请不要拔下 USB 连接线！")};
}

Instructions deletingInstructions()
{
    return {{Caption::tr("在左面遥控器上点击要删除的已学习按键（带绿色 √）；"),
             Caption::tr("在弹出的对话框中点击%1确认删除；")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "是"))),
             Caption::tr("要删除其他按键，重复第 1、2 步；"),
             Caption::tr("删除完毕后，点击%1按钮。")
                 .arg(button(QT_TRANSLATE_NOOP("qmv::art::Caption", "停止删除")))},
            Caption::tr("每次删除成功或失败，都会有对话框提示。")};
}

} // namespace qmv::art
