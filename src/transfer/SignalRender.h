#pragma once

#include "CodeForm.h"
#include "EncodedBody.h"
#include "SignalFile.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qmv::transfer {

// The stored form the remote keeps for a signal read from a file, or why it cannot keep it.
// Protocol signals are built from the converter's protocol table, exactly as learned ones are
// played; timing lists go through the same conversion as a captured code.
std::variant<StoredCode, std::string> renderSignal(const IrSignal& signal);

// The encoded body the converter takes for a timing list: microseconds, mark first. Spaces too
// long for the receiver become frame gaps in whole milliseconds; a trailing space is dropped,
// since a capture never holds one.
std::string encodedBody(std::vector<std::uint32_t> durations);

// A space at least this long separates two frames: the receiver runs out of room for it in
// one group.
inline constexpr std::uint32_t kFrameGapUs = body::kReceiverGapUs;

// What the remote sends for a stored code, mark first.
std::vector<std::uint32_t> playedDurations(const StoredCode& code);

} // namespace qmv::transfer
