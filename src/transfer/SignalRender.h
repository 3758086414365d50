#pragma once

#include "CodeForm.h"
#include "EncodedBody.h"
#include "SignalFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace qmv::transfer {

// The road of a captured code to its stored form: the capture text, as the remote's receiver
// delivers it, trimmed, encoded and converted by the installed code converter. The converter's
// text ("ID::P1:P2:::DATA"), or empty when it cannot convert the code. The front ends bind it to
// the program's converter, the one its captures go through.
using CaptureConversion = std::function<std::string(const std::string& capture)>;

// The stored form the remote keeps for a signal read from a file, or why it cannot keep it. A
// timing list enters as the capture the receiver would have made of it, a protocol signal as
// the capture of its protocol's durations, and both take the captured codes' road; a code this
// tool exported in stored form is kept as it is.
std::variant<StoredCode, std::string> renderSignal(const IrSignal& signal, const CaptureConversion& convert);

// The encoded body the converter takes for a timing list: what its capture encodes to (spaces
// too long for one receiver group as frame gaps in whole milliseconds, no trailing space). Empty
// when the receiver could not capture it.
std::string encodedBody(const std::vector<std::uint32_t>& durations);

// A space at least this long separates two frames: the receiver runs out of room for it in
// one group.
inline constexpr std::uint32_t kFrameGapUs = body::kReceiverGapUs;

// What the remote sends for a stored code, mark first.
std::vector<std::uint32_t> playedDurations(const StoredCode& code);

} // namespace qmv::transfer
