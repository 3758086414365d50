#include "ConnectingAnimation.h"

#include <QPainter>

#include <algorithm>

namespace qmv {

ConnectingAnimation::ConnectingAnimation(QWidget* parent)
    : QWidget(parent)
{
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % dotCount;
        update();
    });
}

void ConnectingAnimation::play()
{
    m_timer.start();
}

void ConnectingAnimation::stopPlay()
{
    m_timer.stop();
}

void ConnectingAnimation::stop()
{
    m_timer.stop();
    m_frame = 0;
    update();
}

void ConnectingAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal radius = std::min(width(), height()) / 2.0 - 8;
    const qreal dot = std::max<qreal>(2.0, radius / 6);
    for (int i = 0; i < dotCount; ++i) {
        // The dot of the current frame is darkest; the ones behind it fade out.
        const int age = (m_frame - i + dotCount) % dotCount;
        QColor colour(30, 90, 160);
        colour.setAlphaF(1.0 - 0.8 * age / dotCount);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        painter.save();
        painter.rotate(360.0 * i / dotCount);
        painter.drawEllipse(QPointF(0, -radius + dot), dot, dot);
        painter.restore();
    }
}

} // namespace qmv
