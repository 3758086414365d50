// Arbitrary capture buffers through trimming and encoding, and arbitrary trimmed text through
// encoding alone. Whatever encoding yields must be whole: a frame count, a carrier figure, and a
// body the converter reads or refuses without harm.

#include "CaptureEncoding.h"
#include "CodeForm.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkEncoded(const std::string& encoded)
{
    if (encoded.empty())
        return;
    if (encoded.size() < 5 || encoded[0] < '1' || encoded[0] > '9')
        std::abort();
    (void)qmv::convert(std::string_view(encoded).substr(5));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string trimmed = qmv::TrimCapture(text);
    if (trimmed.empty())
        std::abort();
    checkEncoded(qmv::EncodeCapture(trimmed));
    checkEncoded(qmv::EncodeCapture(text));
    return 0;
}
