#pragma once

#include "Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace qmv::test {

// A message's first line: the text itself, without the lines that name its key, area or reason.
inline std::string headline(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

// Answers the tool's questions from a script and remembers every text it was shown.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        std::string text;
        std::string caption; // the application title for plain messages
        Buttons buttons;
        bool plain = false; // the plain message window rather than a message box
    };

    std::deque<Reply> answers; // taken in order; when empty, the first button of the set
    std::vector<Shown> shown;

    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override
    {
        shown.push_back({text, caption, buttons});
        if (!answers.empty()) {
            const Reply reply = answers.front();
            answers.pop_front();
            return reply;
        }
        switch (buttons) {
        case Buttons::RetryCancel:
            return Reply::Retry;
        case Buttons::YesNo:
            return Reply::Yes;
        default:
            return Reply::Ok;
        }
    }
    void plainMessage(const std::string& text) override
    {
        shown.push_back({text, applicationTitle, Buttons::Ok, true});
    }

    std::string lastText() const { return shown.empty() ? std::string() : shown.back().text; }
    std::vector<std::string> headlines() const
    {
        std::vector<std::string> result;
        for (const Shown& message : shown)
            result.push_back(headline(message.text));
        return result;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Shown& message : shown)
            result.push_back(message.text);
        return result;
    }
};

} // namespace qmv::test
