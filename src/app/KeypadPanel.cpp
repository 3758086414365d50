#include "KeypadPanel.h"

#include "IBtn.h"
#include "Keypad.h"
#include "KeypadLayout.h"
#include "PictureNames.h"

#include <QLabel>

namespace qmv {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

KeypadPanel::KeypadPanel(QWidget* parent)
    : QScrollArea(parent)
    , m_powerKeys(areaCount, nullptr)
{
    setObjectName(QStringLiteral("ykqbox"));
    setFrameShape(QFrame::NoFrame);
    // The window's colour shows wherever the body picture does not reach.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);

    auto* body = new QWidget;
    body->setAutoFillBackground(false);
    body->resize(keypadBodyWidth, keypadBodyHeight);
    auto* picture = new QLabel(body);
    picture->setObjectName(QStringLiteral("z"));
    picture->setGeometry(0, 0, keypadBodyWidth, keypadBodyHeight);
    picture->setPixmap(QPixmap(QString::fromUtf8(pictures::form::keypad)));

    for (const KeyDefinition& definition : keypad) {
        auto* button = new IBtn(body);
        button->setObjectName(text(definition.component));
        button->setCode(text(definition.code));
        button->setPath(text(definition.label));
        if (const std::optional<KeyRect> rect = keyRect(definition.code))
            button->setGeometry(rect->x, rect->y, rect->width, rect->height);
        m_keys.push_back(button);
        if (definition.selectsArea >= 0) {
            const int area = definition.selectsArea;
            button->setDisablePic(QPixmap(QString::fromUtf8(pictures::form::powerKeyPrefix) +
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
