#include "velquon.h"

#include "CodeForm.h"

#include <string>

extern "C" VELQUON_API const char* VELQUON_CALL ConvertCode(const char* text, int mode)
{
    thread_local std::string result;
    result.clear();
    if (text != nullptr && mode == VELQUON_CONVERT_MODE) {
        try {
            result = qmv::convert(text);
        } catch (...) {
            // Nothing may cross the library's C boundary; a failed conversion is the empty text.
            result.clear();
        }
    }
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.InnerPointer): thread_local, lives on after return
    return result.c_str();
}
