// The protocols the converter names, one row each. A row's number is stored in the remote's key
// records: a number once given keeps its protocol and its rendering for good, and new protocols
// take free numbers below 22 hex; once those are gone, rows of the extension number 21 take an
// extension number of their own.

#include "ProtocolRow.h"

#include <array>

namespace qmv::codeform {

namespace {

using enum BitCoding;

// Standard timings, in microseconds; a part left out is one the protocol does not send.
constexpr ProtocolTiming kNec{.leadMark = 9000, .leadSpace = 4500, .bitMark = 560, .zero = 560, .one = 1690};
constexpr ProtocolTiming kPioneer{
    .leadMark = 8500, .leadSpace = 4250, .bitMark = 500, .zero = 500, .one = 1500};
constexpr ProtocolTiming kAiwa{.leadMark = 8800, .leadSpace = 4400, .bitMark = 550, .zero = 550, .one = 1650};
// Two bits a space: 0 to 3 steps of 167 us longer than the shortest.
constexpr ProtocolTiming kRcmm{.leadMark = 417, .leadSpace = 278, .bitMark = 167, .zero = 278, .one = 444};
constexpr ProtocolTiming kSamsung{
    .leadMark = 4500, .leadSpace = 4500, .bitMark = 550, .zero = 550, .one = 1650};
constexpr ProtocolTiming kSamsungLong{
    .leadMark = 4500, .leadSpace = 4500, .bitMark = 500, .zero = 500, .one = 1500};
// Eight units of 564 us each way, then bits of one unit's mark and one or three units' space.
constexpr ProtocolTiming kSamsung20{
    .leadMark = 4512, .leadSpace = 4512, .bitMark = 564, .zero = 564, .one = 1692};
constexpr ProtocolTiming kKaseikyo{
    .leadMark = 3456, .leadSpace = 1728, .bitMark = 432, .zero = 432, .one = 1296};
constexpr ProtocolTiming kSharpDvd{
    .leadMark = 3200, .leadSpace = 1600, .bitMark = 400, .zero = 400, .one = 1200};
constexpr ProtocolTiming kJvc{.leadMark = 8400, .leadSpace = 4200, .bitMark = 525, .zero = 525, .one = 1575};
constexpr ProtocolTiming kRca{.leadMark = 4000, .leadSpace = 4000, .bitMark = 500, .zero = 1000, .one = 2000};
constexpr ProtocolTiming kSharp{.bitMark = 320, .zero = 680, .one = 1680};
constexpr ProtocolTiming kDenon{.bitMark = 264, .zero = 792, .one = 1848};
constexpr ProtocolTiming kMitsubishi{.bitMark = 300, .zero = 900, .one = 2100};
constexpr ProtocolTiming kLg{.leadMark = 8500, .leadSpace = 4250, .bitMark = 550, .zero = 550, .one = 1600};
constexpr ProtocolTiming kDish{.leadMark = 400, .leadSpace = 6000, .bitMark = 400, .zero = 2800, .one = 1600};
constexpr ProtocolTiming kBose{.leadMark = 1000, .leadSpace = 1500, .bitMark = 500, .zero = 500, .one = 1500};
constexpr ProtocolTiming kGiCable{
    .leadMark = 8820, .leadSpace = 4410, .bitMark = 490, .zero = 2205, .one = 4410};
// NEC timing with a stop mark half as long again as a bit mark.
constexpr ProtocolTiming kOnkyo{
    .leadMark = 9000, .leadSpace = 4500, .bitMark = 560, .zero = 560, .one = 1690, .stopMark = 850};
constexpr ProtocolTiming kProton{
    .leadMark = 8000, .leadSpace = 4000, .bitMark = 500, .zero = 500, .one = 1500};
// A lead of four units, a unit's mark and one or three units' space a bit.
constexpr ProtocolTiming kPanasonicOld{
    .leadMark = 3332, .leadSpace = 3332, .bitMark = 833, .zero = 833, .one = 2499};
constexpr ProtocolTiming kEmerson{
    .leadMark = 3488, .leadSpace = 3488, .bitMark = 872, .zero = 872, .one = 2616};
// No lead; nibble spaces of 760 us plus 0 to 15 steps of 136 us.
constexpr ProtocolTiming kXmp{.bitMark = 210, .zero = 760, .one = 896};
// Sony: lead mark, no lead space, the space before each bit, a zero mark, a one mark.
constexpr ProtocolTiming kSony{.leadMark = 2400, .bitMark = 600, .zero = 600, .one = 1200};
// The same frames at a unit of 2525 us instead of 600, as some of Sony's wired-control codes
// arrive.
constexpr ProtocolTiming kSonySlow{.leadMark = 10100, .bitMark = 2525, .zero = 2525, .one = 5050};
// No lead; a short mark, then a space of 31 or 47 units of 158 us.
constexpr ProtocolTiming kRecs80{.bitMark = 158, .zero = 4902, .one = 7426};
// A unit of 600 us: a lead of ten units' mark (five in the repeat frames) and two units' space;
// then marks and spaces of one or two units, each telling a bit; a unit's mark ends the frame.
constexpr ProtocolTiming kDirecTv{
    .leadMark = 6000, .leadSpace = 1200, .bitMark = 600, .zero = 600, .one = 1200, .repeatLeadMark = 3000};
// No lead; a bit is four units of 400 us, a one three units' mark and one unit's space, a zero the
// other way round. Frames follow after the last bit's space and a pause of 8 ms, which the
// receiver does not hear as a frame break.
constexpr ProtocolTiming kSymphony{.zero = 400, .one = 1200, .framePause = 8000};
// A period of 3125 us, 200 us of it the mark; a bit's space fills one, two or three periods.
constexpr ProtocolTiming kBangOlufsen{.bitMark = 200, .zero = 2925, .one = 9175};
// A unit of 400 us: a lead of six units' mark and seven units' space, then three units' mark and
// three or seven units' space a bit.
constexpr ProtocolTiming kSim2{
    .leadMark = 2400, .leadSpace = 2800, .bitMark = 1200, .zero = 1200, .one = 2800};
// A unit of 630 us: one unit's mark and five units' space, twice, then one unit's mark and seven or
// eleven units' space a bit.
constexpr ProtocolTiming kPaceMss{
    .leadMark = 630, .leadSpace = 3150, .bitMark = 630, .zero = 4410, .one = 6930};
// No lead; one unit's mark and one or three units' space a bit, 525 us units.
constexpr ProtocolTiming kMatsui{.bitMark = 525, .zero = 525, .one = 1575};
// No lead; a mark of 289 us and 2.6 or 6.3 times as much space a bit.
constexpr ProtocolTiming kAkai{.bitMark = 289, .zero = 751, .one = 1821};
// A unit of 780 us: a lead of three units' mark and one unit's space, then one unit's mark and one
// or two units' space a bit.
constexpr ProtocolTiming kDyson{.leadMark = 2340, .leadSpace = 780, .bitMark = 780, .zero = 780, .one = 1560};
// A lead mark of 1000 us and two units' space, then two bits a space of two to five units of 290 us
// after two units' mark.
constexpr ProtocolTiming kXiaomi{.leadMark = 1000, .leadSpace = 580, .bitMark = 580, .zero = 580, .one = 870};
// Manchester codes: no lead, or the lead mark and space, then the half-bit.
constexpr ProtocolTiming kRc5{.bitMark = 889};
constexpr ProtocolTiming kRc6{.leadMark = 2666, .leadSpace = 889, .bitMark = 444};
constexpr ProtocolTiming kTdc{.bitMark = 315};

constexpr std::string_view kNecFields = "A:8,~A:8,C:8,~C:8";

// Each field is described in ProtocolRow.h; a field left out keeps its default there.
// clang-format off
constexpr std::array kTable{
    ProtocolRow{.name = "NEC", .number = 0x01, .carrierHz = 38000, .coding = PulseDistance, .timing = kNec,
                .fields = kNecFields, .repeat = RepeatFrame::Ditto},
    ProtocolRow{.name = "NECext", .number = 0x02, .carrierHz = 38000, .coding = PulseDistance, .timing = kNec,
                .fields = "A:16,C:16", .repeat = RepeatFrame::Ditto, .defersTo = "NEC"},
    ProtocolRow{.name = "NEC42", .number = 0x03, .carrierHz = 38000, .coding = PulseDistance, .timing = kNec,
                .fields = "A:13,~A:13,C:8,~C:8", .repeat = RepeatFrame::Ditto},
    ProtocolRow{.name = "NEC42ext", .number = 0x04, .carrierHz = 38000, .coding = PulseDistance, .timing = kNec,
                .fields = "A:26,C:16", .repeat = RepeatFrame::Ditto, .defersTo = "NEC42"},
    ProtocolRow{.name = "Samsung32", .number = 0x05, .carrierHz = 38000, .coding = PulseDistance, .timing = kSamsung,
                .fields = "A:8,A:8,C:8,~C:8", .repeat = RepeatFrame::Fields, .repeatFields = "0:1"},
    ProtocolRow{.name = "RC5", .number = 0x06, .carrierHz = 36000, .coding = Biphase, .timing = kRc5,
                .fields = "1:1,1:1,T:1,A:5,C:6", .msbFirst = true},
    // The extended range: the second start bit, inverted, is command bit 6.
    ProtocolRow{.name = "RC5X", .number = 0x07, .carrierHz = 36000, .coding = Biphase, .timing = kRc5,
                .fields = "1:1,0:1,T:1,A:5,C:6", .msbFirst = true},
    // Mode 0.
    ProtocolRow{.name = "RC6", .number = 0x08, .carrierHz = 36000, .coding = BiphaseLeadOn, .timing = kRc6,
                .fields = "1:1,0:3,T:1,A:8,C:8", .msbFirst = true},
    ProtocolRow{.name = "SIRC", .number = 0x09, .carrierHz = 40000, .coding = PulseWidth, .timing = kSony,
                .fields = "C:7,A:5"},
    ProtocolRow{.name = "SIRC15", .number = 0x0A, .carrierHz = 40000, .coding = PulseWidth, .timing = kSony,
                .fields = "C:7,A:8"},
    ProtocolRow{.name = "SIRC20", .number = 0x0B, .carrierHz = 40000, .coding = PulseWidth, .timing = kSony,
                .fields = "C:7,A:13"},
    // Kaseikyo frames of Denon's vendor code: tried before the Kaseikyo row, which reads them too and
    // keeps reading them for codes stored under its number. Address: S << 4 | D; command: 12 bits.
    ProtocolRow{.name = "Denon-K", .number = kExtensionNumber, .carrierHz = 37000, .coding = PulseDistance,
                .timing = kKaseikyo, .fields = "0x54:8,0x32:8,0:4,A:4,A:4:4,C:12,^8(16..40)", .extension = 12},
    // Address: id << 24 | vendor << 8 | genre1 << 4 | genre2; command: 10 bits.
    ProtocolRow{.name = "Kaseikyo", .number = 0x0C, .carrierHz = 37000, .coding = PulseDistance, .timing = kKaseikyo,
                .fields = "A:16:8,^4(0..16),A:4:4,A:4,C:10,A:2:24,^8(16..40)"},
    ProtocolRow{.name = "RCA", .number = 0x0D, .carrierHz = 56000, .coding = PulseDistance, .timing = kRca,
                .fields = "A:4,C:8,~A:4,~C:8", .msbFirst = true},
    ProtocolRow{.name = "Pioneer", .number = 0x0E, .carrierHz = 40000, .coding = PulseDistance, .timing = kPioneer,
                .fields = kNecFields},
    ProtocolRow{.name = "JVC", .number = 0x0F, .carrierHz = 38000, .coding = PulseDistance, .timing = kJvc,
                .fields = "A:8,C:8", .repeat = RepeatFrame::NoHeader},
    // Address 5 bits, command 8 bits, expansion and check bits; every frame is followed by one
    // with the command, expansion and check inverted.
    ProtocolRow{.name = "Sharp", .number = 0x10, .carrierHz = 38000, .coding = PulseDistance, .timing = kSharp,
                .fields = "A:5,C:8,1:1,0:1", .repeat = RepeatFrame::Fields, .repeatFields = "A:5,~C:8,0:1,1:1",
                .alternates = true},
    ProtocolRow{.name = "Samsung36", .number = 0x11, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kSamsungLong, .fields = "A:16,|,C:4:8,C:8,~C:8"},
    ProtocolRow{.name = "Samsung48", .number = 0x12, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kSamsungLong, .fields = "A:16,C:8,~C:8,C:8:8,~C:8:8"},
    ProtocolRow{.name = "Denon", .number = 0x13, .carrierHz = 38000, .coding = PulseDistance, .timing = kDenon,
                .fields = "A:5,C:8,0:2", .repeat = RepeatFrame::Fields, .repeatFields = "A:5,~C:8,3:2",
                .alternates = true},
    // Kaseikyo frames of one vendor, with the fields that vendor gives them, where the Kaseikyo row
    // cannot read them.
    ProtocolRow{.name = "Panasonic", .number = 0x14, .carrierHz = 37000, .coding = PulseDistance, .timing = kKaseikyo,
                .fields = "0x02:8,0x20:8,A:8,A:8:8,C:8,^8(16..40)", .defersTo = "Kaseikyo"},
    ProtocolRow{.name = "JVC-48", .number = 0x15, .carrierHz = 37000, .coding = PulseDistance, .timing = kKaseikyo,
                .fields = "0x03:8,0x01:8,A:8,A:8:8,C:8,^8(16..40)", .defersTo = "Kaseikyo"},
    ProtocolRow{.name = "Mitsubishi-K", .number = 0x16, .carrierHz = 37000, .coding = PulseDistance,
                .timing = kKaseikyo, .fields = "0x23:8,0xCB:8,6:4,A:8,A:8:8,C:8,^4(20..44)", .defersTo = "Kaseikyo"},
    ProtocolRow{.name = "Sharp-DVD", .number = 0x17, .carrierHz = 38000, .coding = PulseDistance, .timing = kSharpDvd,
                .fields = "0xAA:8,0x5A:8,15:4,A:4,A:8:4,C:8,C:4:8,^4(20..44)"},
    ProtocolRow{.name = "Teac-K", .number = 0x18, .carrierHz = 37000, .coding = PulseDistance, .timing = kKaseikyo,
                .fields = "0x43:8,0x53:8,1:4,A:4,A:8:4,C:8,+8(20..40)", .defersTo = "Kaseikyo"},
    ProtocolRow{.name = "Fujitsu", .number = 0x19, .carrierHz = 37000, .coding = PulseDistance, .timing = kKaseikyo,
                .fields = "0x14:8,0x63:8,0:4,C:4:8,A:8,A:8:8,C:8", .defersTo = "Kaseikyo"},
    // Mode 6A with 32 bits: a 16-bit customer and device address, a 16-bit command.
    ProtocolRow{.name = "RC6-6-32", .number = 0x1A, .carrierHz = 36000, .coding = BiphaseLeadOn, .timing = kRc6,
                .fields = "1:1,6:3,T:1,A:16,C:16", .msbFirst = true},
    ProtocolRow{.name = "Mitsubishi", .number = 0x1B, .carrierHz = 33000, .coding = PulseDistance,
                .timing = kMitsubishi, .fields = "A:8,C:8"},
    // Address 8 bits, command 16 bits, and the sum of the command's nibbles.
    ProtocolRow{.name = "LG", .number = 0x1C, .carrierHz = 38000, .coding = PulseDistance, .timing = kLg,
                .fields = "A:8,C:16,+4(8..24)", .msbFirst = true},
    ProtocolRow{.name = "Dish", .number = 0x1D, .carrierHz = 57600, .coding = PulseDistance, .timing = kDish,
                .fields = "C:6,A:5:5,A:5", .msbFirst = true},
    ProtocolRow{.name = "Bose", .number = 0x1E, .carrierHz = 38000, .coding = PulseDistance, .timing = kBose,
                .fields = "C:8,~C:8"},
    ProtocolRow{.name = "GI Cable", .number = 0x1F, .carrierHz = 38700, .coding = PulseDistance, .timing = kGiCable,
                .fields = "C:8,A:4,-4(0..12)", .repeat = RepeatFrame::Ditto},
    // Two NEC frames of different address or command bytes: the second in bits 8-15.
    ProtocolRow{.name = "NEC2", .number = 0x20, .carrierHz = 38000, .coding = PulseDistance, .timing = kNec,
                .fields = kNecFields, .repeat = RepeatFrame::Fields, .repeatFields = "A:8:8,~A:8:8,C:8:8,~C:8:8",
                .alternates = true},
    // The NEC42 frame repeated by its lead and one bit mark.
    ProtocolRow{.name = "Aiwa", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kAiwa, .fields = "A:13,~A:13,C:8,~C:8", .repeat = RepeatFrame::LeadOnly, .extension = 1},
    ProtocolRow{.name = "RC-MM12", .number = kExtensionNumber, .carrierHz = 36000, .coding = PulseDistance2,
                .timing = kRcmm, .fields = "A:4,C:8", .msbFirst = true, .extension = 2},
    ProtocolRow{.name = "RC-MM24", .number = kExtensionNumber, .carrierHz = 36000, .coding = PulseDistance2,
                .timing = kRcmm, .fields = "A:12,C:12", .msbFirst = true, .extension = 3},
    ProtocolRow{.name = "RC-MM32", .number = kExtensionNumber, .carrierHz = 36000, .coding = PulseDistance2,
                .timing = kRcmm, .fields = "A:16,C:16", .msbFirst = true, .extension = 4},
    // RC5 with the field bit as address bit 5, then a pause, 6 command and 6 extension bits.
    ProtocolRow{.name = "RC5-Marantz", .number = kExtensionNumber, .carrierHz = 36000, .coding = Biphase,
                .timing = kRc5, .fields = "1:1,~A:1:5,T:1,A:5,|,C:6,C:6:6", .msbFirst = true, .extension = 5},
    // The Samsung32 lead and bits with any 16-bit address.
    ProtocolRow{.name = "NECx", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kSamsung, .fields = "A:16,C:8,~C:8", .defersTo = "Samsung32", .extension = 6},
    ProtocolRow{.name = "NEC48", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kNec, .fields = "A:16,C:8,~C:8,C:8:8,~C:8:8", .repeat = RepeatFrame::Ditto, .extension = 7},
    ProtocolRow{.name = "Onkyo", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kOnkyo, .fields = "A:16,C:16", .repeat = RepeatFrame::Ditto, .extension = 8},
    ProtocolRow{.name = "Panasonic-Old", .number = kExtensionNumber, .carrierHz = 57600, .coding = PulseDistance,
                .timing = kPanasonicOld, .fields = "A:5,C:6,~A:5,~C:6", .extension = 9},
    ProtocolRow{.name = "Emerson", .number = kExtensionNumber, .carrierHz = 36700, .coding = PulseDistance,
                .timing = kEmerson, .fields = "A:6,C:6,~A:6,~C:6", .extension = 10},
    // Address and command apart, with a bit mark and a lead space between them.
    ProtocolRow{.name = "Proton", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kProton, .fields = "A:8,|,C:8", .extension = 11},
    // Two frames of eight nibbles, each with a check nibble that makes the frame's nibbles add up to
    // zero, sent in turn. Address: the first frame's last six nibbles; command: its first nibble,
    // then the second frame's fourth nibble and next byte. The toggle is the second frame's flag
    // for a held key.
    ProtocolRow{.name = "XMP", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance4,
                .timing = kXmp, .fields = "C:4:12,-4(0..32),A:24", .repeat = RepeatFrame::Fields,
                .repeatFields = "1:4,-4(0..32),T:1,0:3,C:4:8,C:8,0:8", .msbFirst = true, .alternates = true,
                .extension = 13},
    // XMP of any sub-device: the second frame starts with the same nibble as the first, where the
    // XMP row sends a 1. Address and command as in the XMP row; codes that row sends are its own.
    ProtocolRow{.name = "XMP-S", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance4,
                .timing = kXmp, .fields = "C:4:12,-4(0..32),A:24", .repeat = RepeatFrame::Fields,
                .repeatFields = "C:4:12,-4(0..32),T:1,0:3,C:4:8,C:8,0:8", .msbFirst = true, .defersTo = "XMP",
                .alternates = true, .extension = 22},
    // Sony's frames at their slow unit, with the field widths of the three SIRC rows.
    ProtocolRow{.name = "SIRC-S12", .number = kExtensionNumber, .carrierHz = 40000, .coding = PulseWidth,
                .timing = kSonySlow, .fields = "C:7,A:5", .extension = 14},
    ProtocolRow{.name = "SIRC-S15", .number = kExtensionNumber, .carrierHz = 40000, .coding = PulseWidth,
                .timing = kSonySlow, .fields = "C:7,A:8", .extension = 15},
    ProtocolRow{.name = "SIRC-S20", .number = kExtensionNumber, .carrierHz = 40000, .coding = PulseWidth,
                .timing = kSonySlow, .fields = "C:7,A:13", .extension = 16},
    // A start bit, the toggle, a 3-bit address and a 6-bit command.
    ProtocolRow{.name = "RECS80", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kRecs80, .fields = "1:1,T:1,A:3,C:6", .msbFirst = true, .extension = 17},
    // Device 4 bits, function 8 bits and a check nibble of the function's bit pairs.
    ProtocolRow{.name = "DirecTV", .number = kExtensionNumber, .carrierHz = 38000, .coding = MarkSpace,
                .timing = kDirecTv, .fields = "A:4,C:8,+4(4..12/2*7.5.3.1)", .msbFirst = true, .extension = 18},
    // A 6-bit device, a 6-bit subdevice (address bits 6 to 11) and an 8-bit function.
    ProtocolRow{.name = "Samsung20", .number = kExtensionNumber, .carrierHz = 38400, .coding = PulseDistance,
                .timing = kSamsung20, .fields = "A:6,A:6:6,C:8", .extension = 19},
    // Dish frames learned without their stop mark: the sixteenth bit's space ran into the silence
    // after the capture, so it shows fifteen bits and that bit's mark. Address bit 0 is not in it.
    ProtocolRow{.name = "Dish-15", .number = kExtensionNumber, .carrierHz = 57600, .coding = PulseDistance,
                .timing = kDish, .fields = "C:6,A:5:5,A:4:1", .msbFirst = true, .extension = 21},
    // Twelve bits: a 5-bit address, then a 7-bit command.
    ProtocolRow{.name = "Symphony", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulsePeriod,
                .timing = kSymphony, .fields = "A:5,C:7", .extension = 20},
    // Two periods, a start of five, the bits, a stop of four and the last mark; the receiver takes
    // the start and stop spaces for gaps. A held key repeats the frame without its bits. The first
    // bit is the link flag, the address's top bit; the Beo4 frame has an 8-bit address, the longer
    // frame 13 bits. B&O's own carrier, 455 kHz, lies beyond the 30 to 60 kHz the tool's signal files
    // take; the codes play at 56 kHz, the carrier their captures come with.
    ProtocolRow{.name = "B&O", .number = kExtensionNumber, .carrierHz = 56000, .coding = Relative,
                .timing = kBangOlufsen, .fields = "|1,|1,|5,A:9,C:8,|4", .repeat = RepeatFrame::Fields,
                .repeatFields = "|1,|1,|5,|4", .msbFirst = true, .extension = 27},
    ProtocolRow{.name = "B&O-22", .number = kExtensionNumber, .carrierHz = 56000, .coding = Relative,
                .timing = kBangOlufsen, .fields = "|1,|1,|5,A:14,C:8,|4", .repeat = RepeatFrame::Fields,
                .repeatFields = "|1,|1,|5,|4", .msbFirst = true, .extension = 28},
    // Kaseikyo frames of Panasonic's vendor code that end on the command byte and its complement
    // instead of the check byte; the nibble after the vendor code keeps Kaseikyo's vendor parity
    // (zero for this vendor). Frames whose two bytes also pass the check byte are Kaseikyo's, so
    // Kaseikyo reads them and this row leaves them, and the Panasonic row, to it.
    ProtocolRow{.name = "Panasonic-CC", .number = kExtensionNumber, .carrierHz = 37000, .coding = PulseDistance,
                .timing = kKaseikyo, .fields = "0x02:8,0x20:8,0:4,A:4,A:8:4,C:8,~C:8", .defersTo = "Kaseikyo",
                .extension = 23},
    // Kaseikyo frames of Panasonic's vendor code with a fourth data byte, the check byte covering
    // the four bytes after the vendor code; the vendor parity nibble is zero as in Panasonic-CC.
    // A stored command holds two bytes, so the row keeps the vendor fixed: address 12 bits (the
    // genre nibble and the next byte), command the two bytes that follow.
    ProtocolRow{.name = "Panasonic56", .number = kExtensionNumber, .carrierHz = 37000, .coding = PulseDistance,
                .timing = kKaseikyo, .fields = "0x02:8,0x20:8,0:4,A:4,A:8:4,C:8,C:8:8,^8(16..48)", .extension = 25},
    // Device 8 bits (236 on SIM2's own projectors), function 8 bits.
    ProtocolRow{.name = "SIM2", .number = kExtensionNumber, .carrierHz = 38800, .coding = PulseDistance,
                .timing = kSim2, .fields = "A:8,C:8", .extension = 29},
    // The toggle, a one-bit device and an 8-bit function, behind two start pulses.
    ProtocolRow{.name = "PaceMSS", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kPaceMss, .fields = "|,T:1,A:1,C:8", .msbFirst = true, .extension = 30},
    // Ten bits without lead or check: a 3-bit device and a 7-bit function.
    ProtocolRow{.name = "Matsui", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kMatsui, .fields = "A:3,C:7", .extension = 31},
    ProtocolRow{.name = "Akai", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kAkai, .fields = "A:3,C:7", .extension = 32},
    // A 7-bit device and an 8-bit function (fans, heaters and air purifiers).
    ProtocolRow{.name = "Dyson", .number = kExtensionNumber, .carrierHz = 38000, .coding = PulseDistance,
                .timing = kDyson, .fields = "A:7,C:8", .extension = 33},
    // Device and function bytes, and a check nibble: the four nibbles before it xor'ed.
    ProtocolRow{.name = "Xiaomi", .number = kExtensionNumber, .carrierHz = 36000, .coding = PulseDistance2,
                .timing = kXiaomi, .fields = "A:8,C:8,^4(0..16)", .msbFirst = true, .extension = 34},
    // A start bit, then 5-bit device, 5-bit subdevice (address bits 5 to 9) and 7-bit function, a one
    // sent as mark then space (IPTV set-top boxes).
    ProtocolRow{.name = "TDC-38", .number = kExtensionNumber, .carrierHz = 38000, .coding = BiphaseLeadOn,
                .timing = kTdc, .fields = "1:1,A:5,A:5:5,C:7", .msbFirst = true, .extension = 35},
};
// clang-format on

constexpr std::array kAliases{
    ProtocolAlias{"Sony12", "SIRC"},
    ProtocolAlias{"Sony15", "SIRC15"},
    ProtocolAlias{"Sony20", "SIRC20"},
    ProtocolAlias{"RC6A", "RC6-6-32"},
};

} // namespace

std::span<const ProtocolRow> protocolTable()
{
    return kTable;
}

std::span<const ProtocolAlias> protocolAliases()
{
    return kAliases;
}

} // namespace qmv::codeform
