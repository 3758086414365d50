// Arbitrary encoded bodies through the converter, and arbitrary converter output through the
// player. A converted code must parse and play back; nothing may crash on either road.

#include "CodeForm.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string converted = qmv::convert(text);
    if (!converted.empty()) {
        const auto code = qmv::parseConverterOutput(converted);
        if (!code)
            std::abort();
        const auto played = qmv::play(code->identifier, code->parameters, code->data);
        if (!played || played->durations.empty())
            std::abort();
        (void)qmv::toPronto(*played);
        (void)qmv::describe(code->identifier, code->parameters);
    }
    if (const auto stored = qmv::parseConverterOutput(text)) {
        if (const auto played = qmv::play(stored->identifier, stored->parameters, stored->data))
            (void)qmv::toPronto(*played);
        (void)qmv::describe(stored->identifier, stored->parameters);
    }
    return 0;
}
