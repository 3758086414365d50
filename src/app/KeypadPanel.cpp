#include "KeypadPanel.h"

#include "IBtn.h"
#include "Keypad.h"
#include "KeypadLayout.h"
#include "PictureLibrary.h"
#include "PictureNames.h"

#include <QKeyEvent>
#include <QLabel>

#include <cstdlib>
#include <limits>
#include <vector>

namespace qmv {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

int arrowNeighbour(const QRect& from, const std::vector<QRect>& candidates, Qt::Key direction)
{
    const QPoint origin = from.center();
    int best = -1;
    int bestCost = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const QPoint offset = candidates[i].center() - origin;
        int ahead = 0;
        int sideways = 0;
        switch (direction) {
        case Qt::Key_Left:
            ahead = -offset.x(), sideways = offset.y();
            break;
        case Qt::Key_Right:
            ahead = offset.x(), sideways = offset.y();
            break;
        case Qt::Key_Up:
            ahead = -offset.y(), sideways = offset.x();
            break;
        case Qt::Key_Down:
            ahead = offset.y(), sideways = offset.x();
            break;
        default:
            return -1;
        }
        // What lies further aside than twice its distance ahead does not lie that way.
        if (ahead <= 0 || std::abs(sideways) > ahead * 2)
            continue;
        const int cost = ahead + 2 * std::abs(sideways);
        if (cost < bestCost) {
            bestCost = cost;
            best = static_cast<int>(i);
        }
    }
    return best;
}

KeypadPanel::KeypadPanel(QWidget* parent)
    : QScrollArea(parent)
    , m_powerKeys(areaCount, nullptr)
{
    setObjectName(QStringLiteral("ykqbox"));
    setFrameShape(QFrame::NoFrame);
    // Tab goes straight to the keys; the panel itself holds no focus.
    setFocusPolicy(Qt::NoFocus);
    // The window's colour shows wherever the body picture does not reach.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);

    auto* body = new QWidget;
    body->setAutoFillBackground(false);
    body->resize(keypadBodyWidth, keypadBodyHeight);
    auto* picture = new QLabel(body);
    picture->setObjectName(QStringLiteral("z"));
    picture->setGeometry(0, 0, keypadBodyWidth, keypadBodyHeight);
    picture->setPixmap(scaledPicture(QString::fromUtf8(pictures::form::keypad)));

    for (const KeyDefinition& definition : keypad) {
        auto* button = new IBtn(body);
        button->setObjectName(text(definition.component));
        button->setCode(text(definition.code));
        button->setPath(text(definition.label));
        if (const std::optional<KeyRect> rect = keyRect(definition.code))
            button->setGeometry(rect->x, rect->y, rect->width, rect->height);
        m_keys.push_back(button);
        button->installEventFilter(this);
        if (definition.selectsArea >= 0) {
            const int area = definition.selectsArea;
            button->setDisablePic(scaledPicture(QString::fromUtf8(pictures::form::powerKeyPrefix) +
                                                text(definition.code) +
                                                QString::fromUtf8(pictures::form::currentSuffix)));
            m_powerKeys[static_cast<std::size_t>(area)] = button;
            connect(button, &IBtn::clicked, this, [this, area] { emit areaKeyClicked(area); });
        } else {
            connect(button, &IBtn::clicked, this, [this, button] { emit keyClicked(button); });
        }
    }
    setWidget(body);
}

bool KeypadPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QScrollArea::eventFilter(watched, event);
    const auto* press = static_cast<QKeyEvent*>(event);
    auto* key = qobject_cast<IBtn*>(watched);
    if (!key || press->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (press->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveFocus(*key, static_cast<Qt::Key>(press->key()));
        return true; // at the edge too: the panel must not scroll instead
    default:
        return false;
    }
}

bool KeypadPanel::moveFocus(IBtn& from, Qt::Key direction)
{
    std::vector<IBtn*> reachable;
    std::vector<QRect> places;
    for (IBtn* key : m_keys) {
        if (key != &from && key->isVisibleTo(this) && key->isEnabled()) {
            reachable.push_back(key);
            places.push_back(key->geometry());
        }
    }
    const int next = arrowNeighbour(from.geometry(), places, direction);
    if (next < 0)
        return false;
    IBtn* target = reachable[static_cast<std::size_t>(next)];
    target->setFocus(Qt::TabFocusReason);
    ensureWidgetVisible(target);
    return true;
}

IBtn* KeypadPanel::key(std::string_view code) const
{
    for (IBtn* button : m_keys)
        if (button->code() == text(code))
            return button;
    return nullptr;
}

IBtn* KeypadPanel::powerKey(int area) const
{
    if (area < 0 || area >= areaCount)
        return nullptr;
    return m_powerKeys[static_cast<std::size_t>(area)];
}

} // namespace qmv
