#include "QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace qmv {

namespace {

struct ButtonChoice
{
    Reply reply;
    const char* label;
    QMessageBox::ButtonRole role;
};

// The proceeding button first, the refusing one last.
std::vector<ButtonChoice> choicesFor(Buttons buttons)
{
    const ButtonChoice ok{Reply::Ok, QT_TRANSLATE_NOOP("qmv::Dialogs", "确定"), QMessageBox::AcceptRole};
    const ButtonChoice cancel{Reply::Cancel, QT_TRANSLATE_NOOP("qmv::Dialogs", "取消"),
                              QMessageBox::RejectRole};
    switch (buttons) {
    case Buttons::Ok:
        return {ok};
    case Buttons::RetryCancel:
        return {{Reply::Retry, QT_TRANSLATE_NOOP("qmv::Dialogs", "重试"), QMessageBox::AcceptRole}, cancel};
    case Buttons::OkCancel:
        return {ok, cancel};
    case Buttons::YesNo:
        return {{Reply::Yes, QT_TRANSLATE_NOOP("qmv::Dialogs", "是"), QMessageBox::YesRole},
                {Reply::No, QT_TRANSLATE_NOOP("qmv::Dialogs", "否"), QMessageBox::NoRole}};
    }
    return {ok};
}

// Retrying a connection harms nothing; every other question changes something.
bool safeAnswerIsDefault(Buttons buttons)
{
    return buttons == Buttons::YesNo || buttons == Buttons::OkCancel;
}

} // namespace

QtDialogs::QtDialogs(QWidget* parent)
    : m_parent(parent)
{
}

Reply QtDialogs::messageBox(const std::string& text, const std::string& caption, Buttons buttons)
{
    return show(text, shownCaption(caption), buttons);
}

void QtDialogs::plainMessage(const std::string& text)
{
    show(text, applicationTitle, Buttons::Ok);
}

Reply QtDialogs::show(const std::string& text, const std::string& caption, Buttons buttons)
{
    if (m_beforeBox)
        m_beforeBox();
    // A box that is up already is modal: a new one parented elsewhere could open beneath it.
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_parent;
    QMessageBox box(buttons == Buttons::Ok ? QMessageBox::Information : QMessageBox::Question,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::NoButton,
                    parent);
    const std::vector<ButtonChoice> choices = choicesFor(buttons);
    std::vector<std::pair<QAbstractButton*, Reply>> replies;
    replies.reserve(choices.size());
    for (const ButtonChoice& choice : choices)
        replies.emplace_back(box.addButton(QString::fromStdString(shownCaption(choice.label)), choice.role),
                             choice.reply);
    QAbstractButton* preferred = safeAnswerIsDefault(buttons) ? replies.back().first : replies.front().first;
    box.setDefaultButton(static_cast<QPushButton*>(preferred));
    // Closing the box with Escape or its title bar counts as the last (refusing) button.
    box.setEscapeButton(replies.back().first);
    box.exec();
    for (const auto& [button, reply] : replies)
        if (box.clickedButton() == button)
            return reply;
    return replies.back().second;
}

} // namespace qmv
