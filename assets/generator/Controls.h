#pragma once

#include "Keypad.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

// Pictures of the window's buttons and tabs. Each is drawn over the part of the window canvas that
// the control covers, so it is opaque and sits seamlessly on the background.
namespace qmv::art {

enum class ButtonKind {
    Start,     // 开始学习
    Stop,      // 停止学习, 停止删除
    Secondary, // 删除, 清空
    Greyed,    // the unavailable look of 删除 and 清空
    TitleBar,  // 帮助, 升级软件, the minimise bar
    Close      // the close cross
};

enum class ButtonSymbol { None, Play, Stop, Trash, Eraser, Question, Upload, Cross, Minus };

struct ButtonDesign
{
    QString text;
    ButtonSymbol symbol;
    ButtonKind kind;
};

QImage paintButton(const QImage& windowCanvas, const QRect& where, const ButtonDesign& design);

// The text size that fits every caption into the narrowest tab with room on both sides, so that
// the four tabs read alike.
qreal areaTabTextSize(const QStringList& captions, int narrowestWidth);
QImage paintAreaTab(const QImage& windowCanvas, const QRect& where, const QString& text, bool current,
                    qreal textSize);

// A power key in the look that marks its area as the current one, over the remote's body.
QImage paintCurrentPowerKey(const QImage& keypadBody, const KeyDefinition& key);

} // namespace qmv::art
