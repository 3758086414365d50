#pragma once

#include "Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace qmv::testing {

// Answers message boxes from a script (OK when the script is empty) and records every message.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        std::string text;
        std::string caption;
        Buttons buttons;
        bool plain;
    };

    Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) override
    {
        shown.push_back({text, caption, buttons, false});
        if (replies.empty())
            return Reply::Ok;
        const Reply reply = replies.front();
        replies.pop_front();
        return reply;
    }
    void plainMessage(const std::string& text) override
    {
        shown.push_back({text, applicationTitle, Buttons::Ok, true});
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Shown& message : shown)
            result.push_back(message.text);
        return result;
    }

    std::deque<Reply> replies;
    std::vector<Shown> shown;
};

} // namespace qmv::testing
