#pragma once

#include <string>
#include <string_view>

namespace qmv {

// The receiver's capture buffer holds four-hex-digit groups in thirds of a microsecond (bit 15 set
// for a mark), then twenty "7FFF" groups as end marker and two carrier groups, zero-padded.

// The code groups, the end marker and the two carrier groups; "0000" when there is no end marker.
std::string TrimCapture(std::string_view capture);

// The encoded text handed (less its five-character prefix) to the code converter: frame count,
// carrier figure, then mark and space values in microseconds, frame gaps in milliseconds between
// "FEFE" and "EDED", and the end sequence. Empty for text that is not whole hexadecimal groups
// ending in the carrier measurement.
std::string EncodeCapture(std::string_view trimmed);

} // namespace qmv
