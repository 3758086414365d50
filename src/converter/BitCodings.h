#pragma once

// How each bit coding sends and reads its bits: what the engine (Protocols.cpp) needs of them. The
// codings' own senders and readers are members of Protocol, in BitCodings.cpp.

#include "Protocols.h"

#include <cstddef>
#include <cstdint>

namespace qmv::codeform {

// Timing classes of each coding: which learned trim a pulse takes.
enum PulseDistanceClass : std::uint8_t { LeadMark, LeadSpace, BitMark, ZeroSpace, OneSpace };
// Relative codes send no lead mark; their third space, the bit before again, takes its class.
constexpr std::uint8_t SameSpace = LeadMark;
enum PulseWidthClass : std::uint8_t { WidthLead, WidthSpace, OneMark, ZeroMark };
enum BiphaseClass : std::uint8_t { HalfMark, HalfSpace, BiphaseLeadMark, BiphaseLeadSpace };
// Four bit parts of their own leave one class for the lead mark: the lead space takes the long
// space's trim, which in DirecTV's frames is as long.
enum MarkSpaceClass : std::uint8_t { PairLeadMark, ShortMark, LongMark, ShortSpace, LongSpace };
// Pulse-period codes take all five: the pause that joins frames the receiver hears as one needs a
// trim of its own.
enum PulsePeriodClass : std::uint8_t {
    PeriodShortMark,
    PeriodLongMark,
    PeriodShortSpace,
    PeriodLongSpace,
    PeriodJoiningSpace
};

// A separator in a Manchester code is a pause of this many half-bits (Marantz's RC5).
inline constexpr std::size_t kPauseHalves = 4;

// Bits a symbol carries: a space of the multi-level codings, a mark and its space of MarkSpace; 1 in
// the others.
std::size_t symbolBits(BitCoding coding);
// An equal mark, then a space that tells the bit.
bool isPulseDistance(BitCoding coding);

} // namespace qmv::codeform
