#include "Text.h"

#include <utility>
#include <vector>

namespace qmv {

namespace {

TextTranslator& installedTranslator()
{
    static TextTranslator translator;
    return translator;
}

} // namespace

void setTextTranslator(TextTranslator translator)
{
    installedTranslator() = std::move(translator);
}

std::string translate(const char* context, const char* source, const char* disambiguation)
{
    if (const TextTranslator& translator = installedTranslator()) {
        std::string translation = translator(context, source, disambiguation);
        if (!translation.empty())
            return translation;
    }
    return source;
}

std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    const std::vector<std::string_view> args(values);
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            text += c;
            continue;
        }
        const char next = pattern[i + 1];
        if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < args.size()) {
            text += args[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace qmv
