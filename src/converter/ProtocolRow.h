#pragma once

// The protocols as data: the rows of the protocol table (ProtocolTable.cpp) and what they are made
// of. The engine that reads them is Protocol (Protocols.h).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qmv::codeform {

// One mark or space of a protocol frame: its standard length and the timing class whose learned
// trim applies to it (header mark, bit space, Manchester half-bit, ...).
struct Pulse
{
    std::uint8_t timingClass;
    std::uint32_t nominalUs;

    bool operator==(const Pulse&) const = default;
};
using PulseTrain = std::vector<Pulse>;

// The trims of a protocol code's timing classes live in the record's parameter bytes.
inline constexpr std::size_t kTimingClasses = 5;

struct Message
{
    std::uint32_t address = 0;
    std::uint32_t command = 0;
    bool toggle = false;

    bool operator==(const Message&) const = default;
};

// Frames after the first are either the full frame again or the protocol's repeat frame (NEC's
// ditto, JVC's headerless frame, Sharp's inverted frame).
enum class FrameKind { Full, Repeat };

// How a bit is sent.
enum class BitCoding : std::uint8_t {
    PulseDistance,  // an equal mark, then a zero or one space: <mark,-zero|mark,-one>
    PulseDistance2, // two bits a space, most significant first: zero + (0, 1, 2 or 3) x (one - zero)
    PulseDistance4, // four bits a space, most significant first: zero + (0 to 15) x (one - zero)
    PulseWidth,     // an equal space, then a zero or one mark, after the lead mark: <-mark,zero|-mark,one>
    Biphase,        // two half-bits of `mark` each: a one is space then mark (RC5)
    BiphaseLeadOn,  // a one is mark then space; the toggle bit is twice as long (RC6)
    MarkSpace,      // two bits a mark and space, the first in the mark, the second in the space, each
                    // `zero` or `one` long: <zero,-zero|zero,-one|one,-zero|one,-one>; then the bit
                    // mark (DirecTV)
    PulsePeriod,    // every bit a mark and a space of the same total: a one the long mark and the
                    // short space, a zero the short mark and the long space: <zero,-one|one,-zero>;
                    // the last bit's space is the gap after the frame. No lead.
    Relative,       // an equal mark, then a space that tells the bit by the one before it: `zero` a
                    // zero, `one` a one, halfway between the two the bit before again; the bit before
                    // the first counts as a one. No lead: separators open the frame (B&O)
};

// What the frames after the first are when the remote keeps sending.
enum class RepeatFrame : std::uint8_t {
    Full,     // the full frame again
    Ditto,    // lead mark, half the lead space, one bit mark
    LeadOnly, // lead mark, lead space, one bit mark
    NoHeader, // the full frame without its lead
    Fields,   // the lead and the repeat field list; where these carry address or command bits the
              // full frame does not, the repeat frame is the code's second part (Pioneer's two-part
              // codes)
};

// Standard lengths in microseconds; 0 for a lead part the protocol does not send.
struct ProtocolTiming
{
    std::uint32_t leadMark = 0;
    std::uint32_t leadSpace = 0;
    std::uint32_t bitMark = 0; // the equal part of a bit; the half-bit of biphase codes; the mark
                               // that ends a mark-and-space frame
    std::uint32_t zero = 0;    // the part that tells a zero
    std::uint32_t one = 0;     // ... and a one
    // The mark that ends a pulse-distance frame, where it is longer than a bit mark.
    std::uint32_t stopMark = 0;
    // The lead mark of the repeat frames, where it differs from the first frame's: the repeat frame
    // is then the full frame with this lead (DirecTV). 0: the same lead.
    std::uint32_t repeatLeadMark = 0;
    // A pause after the last bit's space shorter than the receiver's frame break: it hears the
    // frames a held key sends as one, joined by that space (pulse-period codes only).
    std::uint32_t framePause = 0;

    constexpr std::uint32_t lastMark() const { return stopMark ? stopMark : bitMark; }
};

// One protocol as data. The field list is a comma-separated notation in the manner of IRP, bits
// sent least significant first unless `msbFirst`:
//   A:8      eight bits of the address, from bit 0      C:4:8   four command bits, from bit 8
//   ~A:8     the same bits complemented                 T:1     the toggle bit
//   0x20:8   a constant                                 |       a bit mark and a lead space; in
//                                                                Manchester codes a 4-half-bit pause
//   |5       pulse-distance codes: a bit mark and a space that together last five bit periods (bit
//            mark and zero space)
//   ^4(0..16)  xor of the frame's 4-bit groups from bit 0 up to bit 16 (^8: 8-bit groups)
//   +4(8..24)  sum of the 4-bit groups, kept to 4 bits (+8: 8 bits); -4: the sum negated
//   +4(4..12/2*7.5.3.1)  sum of the 2-bit groups of bits 4 to 12, weighted 7, 5, 3 and 1 in the
//              order sent: /g sets the group width of any checksum, *w.w... one weight a group
// A checksum whose range reaches past itself counts its own bits as zeros: -4(0..32) at bit 4
// makes the 4-bit groups of bits 0 to 32 add up to zero.
struct ProtocolRow
{
    std::string_view name;
    std::uint8_t number; // stored as the identifier's first byte: below 22 hex, never reused
    std::uint32_t carrierHz;
    BitCoding coding;
    ProtocolTiming timing;
    std::string_view fields;
    RepeatFrame repeat = RepeatFrame::Full;
    std::string_view repeatFields = {};
    bool msbFirst = false;
    // A message whose frame the named protocol reads too belongs to that protocol, so each
    // signal has one reading; where that protocol is a two-part code, only if it reads the second
    // part's frame too. Both rows send bits alike (coding, bit order; timing may differ).
    std::string_view defersTo = {};
    // Frames alternate between the full and the repeat frame (Sharp, Denon).
    bool alternates = false;
    // Rows numbered kExtensionNumber tell themselves apart by this, stored as the address's top
    // byte; their addresses have 24 bits.
    std::uint8_t extension = 0;
};

inline constexpr std::uint8_t kExtensionNumber = 0x21;

// Every protocol the converter names, in the order they are tried.
std::span<const ProtocolRow> protocolTable();
// Other names the same protocols go by.
struct ProtocolAlias
{
    std::string_view alias;
    std::string_view name;
};
std::span<const ProtocolAlias> protocolAliases();

} // namespace qmv::codeform
