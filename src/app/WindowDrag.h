#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace qmv {

// Lets a borderless window be moved by dragging a strip of one of its widgets (its title area):
// the window system moves it where it can, else the window follows the mouse. Presses that a
// control in the strip takes for itself never reach the strip.
class WindowDrag : public QObject
{
    Q_OBJECT
public:
    // Watches presses on `area` within `stripHeight` pixels of its top.
    WindowDrag(QWidget& area, int stripHeight);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_area;
    int m_stripHeight;
    bool m_dragging = false;
    QPoint m_grabOffset; // the mouse's place on the window while dragging by hand
};

} // namespace qmv
