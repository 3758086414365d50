#include "SignalView.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <numeric>

namespace qmv {

namespace {

constexpr int kMargin = 8;
constexpr double kGapWidth = 44;
constexpr int kScaleHeight = 18;

} // namespace

SignalView::SignalView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("signalView"));
    setMinimumSize(320, 100);
}

void SignalView::setSignal(std::vector<std::uint32_t> durations, std::uint32_t carrierHz, std::uint32_t gapUs)
{
    m_durations = std::move(durations);
    m_carrierHz = carrierHz;
    m_gapUs = gapUs;
    layoutSegments();
    update();
}

void SignalView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSegments();
}

void SignalView::layoutSegments()
{
    m_segments.clear();
    const auto isGap = [this](std::size_t i) {
        return i % 2 == 1 && m_durations[i] >= m_gapUs;
    };
    double timed = 0;
    int gaps = 0;
    for (std::size_t i = 0; i < m_durations.size(); ++i)
        isGap(i) ? ++gaps : timed += m_durations[i];
    const double plotWidth = std::max(1.0, width() - 2.0 * kMargin - gaps * kGapWidth);
    const double pixelsPerUs = timed > 0 ? plotWidth / timed : 0;
    double x = kMargin;
    for (std::size_t i = 0; i < m_durations.size(); ++i) {
        Segment segment;
        segment.x = x;
        segment.mark = i % 2 == 0;
        segment.gap = isGap(i);
        segment.width = segment.gap ? kGapWidth : m_durations[i] * pixelsPerUs;
        if (segment.gap)
            segment.label = QStringLiteral("%1 ms").arg(m_durations[i] / 1000.0, 0, 'f', 1);
        x += segment.width;
        m_segments.push_back(segment);
    }
}

void SignalView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int high = kMargin + kScaleHeight;
    const int low = height() - kMargin - kScaleHeight;
    QPainterPath trace;
    trace.moveTo(kMargin, low);
    for (const Segment& segment : m_segments) {
        const int level = segment.mark ? high : low;
        trace.lineTo(segment.x, level);
        if (segment.gap) {
            // A broken line: the gap is not to scale.
            const double middle = segment.x + segment.width / 2;
            trace.lineTo(middle - 5, level);
            trace.moveTo(middle + 5, level);
        }
        trace.lineTo(segment.x + segment.width, level);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().text().color(), 1.5));
    painter.drawPath(trace);
    painter.setPen(palette().text().color());
    for (const Segment& segment : m_segments)
        if (segment.gap) {
            const double middle = segment.x + segment.width / 2;
            painter.drawLine(QPointF(middle - 7, low + 5), QPointF(middle - 3, low - 5));
            painter.drawLine(QPointF(middle + 3, low + 5), QPointF(middle + 7, low - 5));
            painter.drawText(QRectF(segment.x - 10, low + 4, segment.width + 20, kScaleHeight),
                             Qt::AlignCenter, segment.label);
        }
    const std::uint64_t total = std::accumulate(m_durations.begin(), m_durations.end(), std::uint64_t{0});
    painter.drawText(QRect(kMargin, 0, width() - 2 * kMargin, kScaleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("qmv::SignalView", "%1 个时长 · 共 %2 ms · 载波 %3 kHz")
                         .arg(m_durations.size())
                         .arg(total / 1000.0, 0, 'f', 1)
                         .arg(m_carrierHz / 1000.0, 0, 'f', 1));
}

} // namespace qmv
