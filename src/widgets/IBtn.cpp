#include "IBtn.h"

#include "PathOpener.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace qmv {

IBtn::IBtn(QWidget* parent)
    : QWidget(parent)
    , m_opener(&desktopOpener())
{
    resize(defaultWidth, defaultHeight);
}

void IBtn::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void IBtn::setIsEnable(bool enable)
{
    if (enable) {
        setPicture(m_savedPic);
    } else {
        m_savedPic = m_picture;
        setPicture(m_disablePic);
    }
    m_isEnable = enable;
}

void IBtn::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void IBtn::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    event->accept();
    move(x() + m_moveRight, y() + m_moveDown);
    if (m_opensPath && !m_path.isEmpty())
        openPath();
}

void IBtn::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    event->accept();
    // The button still stands where the press moved it, so a release on the press's top row or
    // left column falls just outside and does not click.
    const bool clicks = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (clicks) {
        // A click may end the window the button stands on.
        const QPointer<IBtn> self(this);
        emit clicked();
        if (!self)
            return;
    }
    move(x() - m_moveRight, y() - m_moveDown);
}

void IBtn::openPath()
{
    if (pathExtension(m_path) == QStringLiteral(".exe") && !m_opener->changeDirectory(pathFolder(m_path)))
        return;
    m_opener->open(m_path);
}

} // namespace qmv
