#pragma once

#include <QTimer>
#include <QWidget>

namespace qmv {

// The animation shown while the wizard waits for the connection check: a ring of dots chasing
// each other, painted in place, so no movie file has to be unpacked anywhere.
class ConnectingAnimation : public QWidget
{
    Q_OBJECT
public:
    explicit ConnectingAnimation(QWidget* parent = nullptr);

    void play();
    // Freezes the picture where it is.
    void stopPlay();
    // Back to the first picture.
    void stop();
    bool playing() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int dotCount = 12;
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace qmv
