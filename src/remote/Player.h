#pragma once

#include "CodeForm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qmv::remote {

// The remote's own playback: what it sends when a key is pressed in an area, read from the key's
// record, its slot and the slot's code data, as the firmware finds them through its header.
// Nothing when the key holds no code or its stored form cannot be played.
std::optional<Playback> playKey(const std::vector<std::uint8_t>& memory, int area, int row);

} // namespace qmv::remote
