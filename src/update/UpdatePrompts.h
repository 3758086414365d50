#pragma once

#include <QString>

class QWidget;

namespace qmv {

// The wizard's ways of telling the user something, behind one interface so that the window shows
// real message boxes and a test can record them.
class UpdatePrompts
{
public:
    virtual ~UpdatePrompts() = default;
    // A plain message window captioned with the application title, with an OK button.
    virtual void plainMessage(const QString& text) = 0;
    // A message box captioned "提示" with an OK button.
    virtual void hint(const QString& text) = 0;
    // An error that ends the user's current action.
    virtual void error(const QString& text) = 0;
};

// Modal message boxes over a parent window.
class MessageBoxPrompts : public UpdatePrompts
{
public:
    explicit MessageBoxPrompts(QWidget* parent)
        : m_parent(parent)
    {
    }
    void plainMessage(const QString& text) override;
    void hint(const QString& text) override;
    void error(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace qmv
