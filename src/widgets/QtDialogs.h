#pragma once

#include "Dialogs.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace qmv {

// The tool's messages as modal Qt message boxes, with the buttons labelled in Chinese. A box
// opened while another is up stands on that one, so no box ever hides another.
class QtDialogs : public Dialogs
{
public:
    // Boxes are centred on `parent` when there is one, else on the screen.
    explicit QtDialogs(QWidget* parent = nullptr);

    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override;
    void plainMessage(const std::string& text) override;

    void setParent(QWidget* parent) { m_parent = parent; }
    // Runs before each box is shown (the start-up takes its splash away there); empty for none.
    void setBeforeBox(std::function<void()> beforeBox) { m_beforeBox = std::move(beforeBox); }

private:
    Reply show(const std::string& text, const std::string& caption, Buttons buttons);

    QPointer<QWidget> m_parent;
    std::function<void()> m_beforeBox;
};

} // namespace qmv
