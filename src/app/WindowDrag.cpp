#include "WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace qmv {

WindowDrag::WindowDrag(QWidget& area, int stripHeight)
    : QObject(&area)
    , m_area(area)
    , m_stripHeight(stripHeight)
{
    area.installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_area)
        return false;
    QWidget* window = m_area.window();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton || press->position().y() >= m_stripHeight)
            return false;
        if (QWindow* handle = window->windowHandle(); handle && handle->startSystemMove())
            return true;
        m_dragging = true;
        m_grabOffset = press->globalPosition().toPoint() - window->frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove:
        if (!m_dragging)
            return false;
        window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_grabOffset);
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_dragging)
            return false;
        m_dragging = false;
        return true;
    default:
        return false;
    }
}

} // namespace qmv
