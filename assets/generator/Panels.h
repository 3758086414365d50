#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

// The instruction panels under the hint: a numbered list under the heading 提示.
namespace qmv::art {

struct Instructions
{
    QStringList steps; // rich text, one per numbered step
    QString note;      // rich text shown under the steps in red; may be empty
};

QImage paintInstructionPanel(const QImage& windowCanvas, const QRect& where,
                             const Instructions& instructions);

// What each of the four panels says.
Instructions noKeysInstructions();
Instructions hasKeysInstructions();
Instructions learningInstructions();
Instructions deletingInstructions();

} // namespace qmv::art
