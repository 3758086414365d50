#pragma once

// The project's own code converter, run in this process on the road a captured code takes: the
// capture text trimmed and encoded, its body converted, as the converter library the program
// loads does it. What tests pass where the program passes its installed converter.

#include "CaptureEncoding.h"
#include "CodeForm.h"

#include <string>

namespace qmv::test {

inline std::string convertInProcess(const std::string& capture)
{
    return convert(converterBody(EncodeCapture(TrimCapture(capture))));
}

} // namespace qmv::test
