#pragma once

#include "Dialogs.h"

class QWidget;

namespace qmv {

// The tool's messages as modal Qt message boxes, with the buttons labelled in Chinese.
class QtDialogs : public Dialogs
{
public:
    // Boxes are centred on `parent` when there is one, else on the screen.
    explicit QtDialogs(QWidget* parent = nullptr);

    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override;
    void plainMessage(const std::string& text) override;

    void setParent(QWidget* parent) { m_parent = parent; }

private:
    QWidget* m_parent;
};

} // namespace qmv
