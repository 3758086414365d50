#pragma once

#include "Text.h"

#include <string>

namespace qmv {

// The two kinds of message the tool shows: the application's message box with an explicit
// caption and a button set, and the plain message window captioned with the application title.
// The main window, the update wizard and the rules behind them talk to the user only through
// this interface, so that a window can show real boxes and a test can answer them.
enum class Buttons { Ok, RetryCancel, OkCancel, YesNo };
enum class Reply { Ok, Retry, Cancel, Yes, No };

inline constexpr const char* applicationTitle = "QMV-718";
inline constexpr const char* hintCaption = QT_TRANSLATE_NOOP("qmv::Dialogs", "提示");

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Yes/No and OK/Cancel questions change something: their safe answer (否, 取消) is the
    // default, so Enter alone never deletes or closes anything.
    virtual Reply messageBox(const std::string& text, const std::string& caption, Buttons buttons) = 0;
    virtual void plainMessage(const std::string& text) = 0;
};

// A caption in the user's language: captions travel as written and are translated where shown.
inline std::string shownCaption(const std::string& caption)
{
    return translate("qmv::Dialogs", caption.c_str());
}

// Only Yes, OK and Retry proceed.
inline bool proceeds(Reply reply)
{
    return reply == Reply::Yes || reply == Reply::Ok || reply == Reply::Retry;
}

} // namespace qmv
