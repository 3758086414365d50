#include "IBtn.h"

#include "PathOpener.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace qmv {

IBtn::IBtn(QWidget* parent)
    : QWidget(parent)
    , m_opener(&desktopOpener())
{
    resize(defaultWidth, defaultHeight);
    // Tab reaches it; a mouse click does not move the focus mark onto it.
    setFocusPolicy(Qt::TabFocus);
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
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
    if (!hasFocus())
        return;
    // Yellow on a dark edge reads on every picture, from the blue window to the white keys.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x10, 0x20, 0x30), 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(QPen(QColor(0xFF, 0xD4, 0x00), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 3, 3);
}

void IBtn::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->isAutoRepeat() || event->modifiers() & ~Qt::KeypadModifier) {
            event->ignore();
            return;
        }
        event->accept();
        click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void IBtn::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void IBtn::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool IBtn::click()
{
    const QPointer<IBtn> self(this);
    emit clicked();
    return !self.isNull();
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
    // A click may end the window the button stands on.
    if (clicks && !click())
        return;
    move(x() - m_moveRight, y() - m_moveDown);
}

void IBtn::openPath()
{
    if (pathExtension(m_path) == QStringLiteral(".exe") && !m_opener->changeDirectory(pathFolder(m_path)))
        return;
    m_opener->open(m_path);
}

} // namespace qmv
