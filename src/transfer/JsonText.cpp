#include "JsonText.h"

#include "Text.h"

namespace qmv::transfer {

std::optional<std::string> jsonDepthProblem(std::string_view text)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth)
                return formatText(translate("qmv::transfer", "JSON 嵌套太深（最多 %1 层）"),
                                  {std::to_string(kMaxJsonDepth)});
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth; // a close without its open is the parser's to refuse
        }
    }
    return std::nullopt;
}

} // namespace qmv::transfer
