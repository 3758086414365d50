#pragma once

#include <string>
#include <string_view>

namespace qmv {

// Reads the receiver's capture text (CaptureFormat.h) into what the code converter takes.

// The code groups, the end marker and the two carrier groups; "0000" when there is no end marker.
std::string TrimCapture(std::string_view capture);

// The encoded text handed (less its five-character prefix) to the code converter: frame count,
// carrier figure, then mark and space values in microseconds, frame gaps in milliseconds between
// "FEFE" and "EDED", and the end sequence. Empty for text that is not whole hexadecimal groups
// ending in the carrier measurement.
std::string EncodeCapture(std::string_view trimmed);

// The part of an encoded text the converter reads: all but the five-character prefix.
std::string_view converterBody(std::string_view encoded);

} // namespace qmv
