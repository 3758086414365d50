#pragma once

// The user's language for the plain C++ parts of the tool. Texts are written in Chinese, the
// source language, and marked where they are written so that lupdate collects them:
//  - a constant is marked with QT_TRANSLATE_NOOP(context, text) and passed through translate()
//    where it is shown;
//  - a text made on the spot is written as translate(context, text) straight away;
//  - a text with values in it is a pattern with %1, %2, ... filled in by formatText(), so that a
//    translation may put the values where its own language wants them.
// Without a translator installed every text stays as written.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
#ifndef QT_TRANSLATE_NOOP3
#define QT_TRANSLATE_NOOP3(scope, x, comment)                                                                \
    {                                                                                                        \
        x, comment                                                                                           \
    }
#endif

namespace qmv {

// Returns the translation of `source` in `context`, or an empty string when it has none. The
// disambiguation (or null) tells apart one source text meant in two ways in the same context.
using TextTranslator =
    std::function<std::string(const char* context, const char* source, const char* disambiguation)>;

// Installed once at start-up, before any thread is started; an empty translator removes it.
void setTextTranslator(TextTranslator translator);

// The text in the user's language (UTF-8); the source text where no translation exists. A text
// with a disambiguation is marked with QT_TRANSLATE_NOOP3(context, source, disambiguation).
std::string translate(const char* context, const char* source, const char* disambiguation = nullptr);

// Replaces %1 to %9 in `pattern` by the values in order, as QString::arg does for Qt texts; a
// placeholder without a value is kept as it stands.
std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> values);

// The texts of one context, for a file that shows several:
//     constexpr Texts shown{"qmv::LearningController"};
//     shown(confirmClear);  shown(QT_TRANSLATE_NOOP("qmv::LearningController", "%1键学习成功！"), {label});
class Texts
{
public:
    constexpr explicit Texts(const char* context)
        : m_context(context)
    {
    }

    std::string operator()(const char* source) const { return translate(m_context, source); }
    std::string operator()(const char* pattern, std::initializer_list<std::string_view> values) const
    {
        return formatText(translate(m_context, pattern), values);
    }

private:
    const char* m_context;
};

} // namespace qmv
