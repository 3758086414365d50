#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace qmv {

// A key's signal drawn as a timing diagram: marks high, spaces low, to one time scale. Frame gaps
// would dwarf the frames, so each is drawn short, broken, and labelled with its length.
class SignalView : public QWidget
{
    Q_OBJECT
public:
    // One drawn piece of the signal, in pixels from the left edge of the plot.
    struct Segment
    {
        double x = 0;
        double width = 0;
        bool mark = false;
        bool gap = false; // a frame gap, drawn short
        QString label;    // the gap's length
    };

    explicit SignalView(QWidget* parent = nullptr);

    // Microseconds, mark first; spaces of at least `gapUs` are frame gaps.
    void setSignal(std::vector<std::uint32_t> durations, std::uint32_t carrierHz, std::uint32_t gapUs);
    const std::vector<Segment>& segments() const { return m_segments; }

    QSize sizeHint() const override { return {720, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutSegments();

    std::vector<std::uint32_t> m_durations;
    std::uint32_t m_carrierHz = 0;
    std::uint32_t m_gapUs = 0;
    std::vector<Segment> m_segments;
};

} // namespace qmv
