#pragma once

#include <QImage>
#include <QList>

// The hint pictures above the instruction panel and the learning animation that replaces them
// while a key waits for its code.
namespace qmv::art {

QImage paintIdleHint(const QImage& windowCanvas);
QImage paintLearningHint(const QImage& windowCanvas);

struct AnimationFrame
{
    QImage image;
    int delayCentiseconds;
};
QList<AnimationFrame> paintLearningAnimation(const QImage& windowCanvas);

} // namespace qmv::art
