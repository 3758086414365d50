// Frames as captured: repeats, toggles, and codes stored by earlier versions.

#include "CodeForm.h"
#include "LearnChain.h"
#include "Protocols.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qmv {
namespace {

using Durations = std::vector<std::uint32_t>;

// The frame the protocol sends for the message, at standard timing.
Durations frameOf(std::string_view protocol, std::uint32_t address, std::uint32_t command)
{
    const auto code = protocolCode(protocol, address, command);
    EXPECT_TRUE(code) << protocol;
    const auto played = code ? bench::playStored(*code) : std::nullopt;
    return played ? played->durations : Durations{};
}

// Frames joined by gaps, as a remote sends them while the key is held.
Durations joined(const std::vector<Durations>& frames, std::uint32_t gapUs)
{
    Durations signal;
    for (const Durations& frame : frames) {
        if (!signal.empty())
            signal.push_back(gapUs);
        signal.insert(signal.end(), frame.begin(), frame.end());
    }
    return signal;
}

// The signal is learned as the protocol, and the remote plays back every frame of it.
void expectLearnedAs(const Durations& signal, std::string_view protocol, std::uint32_t carrierHz = 38000)
{
    const auto learned = bench::learn(signal, carrierHz);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    ASSERT_TRUE(info) << learned->converted;
    EXPECT_EQ(info->protocol, protocol);
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    EXPECT_EQ(played->durations.size(), signal.size());
    EXPECT_TRUE(bench::playsBackFaithfully(signal, *played));
}

// As above, and stored with this address and command (bytes low first, as descriptions give them).
void expectLearnedWith(const Durations& signal, std::string_view protocol, std::string_view address,
                       std::string_view command)
{
    expectLearnedAs(signal, protocol);
    const auto learned = bench::learn(signal, 38000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->address, address);
    EXPECT_EQ(info->command, command);
}

TEST(RepeatFrames, NecFrameWithDittos)
{
    const Durations ditto{9000, 2250, 560};
    expectLearnedAs(joined({frameOf("NEC", 0x04, 0x0D), ditto, ditto, ditto}, 40000), "NEC");
}

TEST(RepeatFrames, NecExtendedSentAsTwoFullFrames)
{
    const Durations frame = frameOf("NECext", 0xF700, 0x0C);
    expectLearnedAs(joined({frame, frame}, 40500), "NECext");
}

TEST(RepeatFrames, AiwaRepeatsItsLeadAndOneMark)
{
    const Durations repeat{8800, 4400, 550};
    expectLearnedAs(joined({frameOf("Aiwa", 0x1ABC, 0x42), repeat, repeat}, 22000), "Aiwa");
}

// Pioneer's two-part codes: a frame of one command, then frames of another.
TEST(RepeatFrames, TwoPartCodesKeepBothParts)
{
    const auto& nec2 = *codeform::protocolByName("NEC2");
    const codeform::Message whole{0x5AAA, 0x7C5A, false};
    auto frame = [&](codeform::FrameKind kind) {
        Durations durations;
        for (const auto& pulse : nec2.render(whole, kind))
            durations.push_back(pulse.nominalUs);
        return durations;
    };
    const Durations first = frame(codeform::FrameKind::Full);
    const Durations second = frame(codeform::FrameKind::Repeat);
    EXPECT_EQ(nec2.decode(first), (codeform::Message{0xAA, 0x5A, false}));
    expectLearnedAs(joined({first, second}, 25000), "NEC2");
    expectLearnedAs(joined({first, first, second, second}, 25000), "NEC2");
    expectLearnedAs(joined({first, second, first, second}, 25000), "NEC2");
    // The same frame twice is no two-part code.
    expectLearnedAs(joined({first, first}, 25000), "NEC");
}

// Onkyo sends NEC-style frames and dittos ending in a long stop mark; the stop mark alone tells
// the two apart, and the dittos keep it.
TEST(RepeatFrames, LongStopMarkTellsOnkyoFromNec)
{
    const Durations onkyo = frameOf("Onkyo", 0x1FD2, 0x1B00);
    ASSERT_FALSE(onkyo.empty());
    EXPECT_EQ(onkyo.back(), 850u);
    const Durations ditto{9000, 2250, 850};
    expectLearnedAs(joined({onkyo, ditto, ditto}, 40000), "Onkyo");

    const auto& onkyoRow = *codeform::protocolByName("Onkyo");
    const auto& necExt = *codeform::protocolByName("NECext");
    Durations plainStop = onkyo;
    plainStop.back() = 560;
    EXPECT_FALSE(necExt.decode(onkyo));
    EXPECT_FALSE(onkyoRow.decode(plainStop));
    EXPECT_TRUE(necExt.decode(plainStop));
    // Between the two, the nearer length decides.
    Durations between = onkyo;
    between.back() = 680;
    EXPECT_FALSE(onkyoRow.decode(between));
    between.back() = 730;
    EXPECT_TRUE(onkyoRow.decode(between));
    expectLearnedAs(joined({plainStop, Durations{9000, 2250, 560}}, 40000), "NECext");
}

// A capture that begins while the key is already held has only JVC's headerless frames.
TEST(RepeatFrames, JvcCaptureMayStartWithRepeatFrames)
{
    const auto& jvc = *codeform::protocolByName("JVC");
    Durations headless;
    for (const auto& pulse : jvc.render({0x43, 0x0B, false}, codeform::FrameKind::Repeat))
        headless.push_back(pulse.nominalUs);
    const Durations full = frameOf("JVC", 0x43, 0x0B);
    ASSERT_EQ(full.size(), headless.size() + 2);
    for (const Durations& signal : {headless, joined({headless, headless, headless}, 22000)})
        expectLearnedWith(signal, "JVC", "43 00 00 00", "0B 00 00 00");
    // A full frame never follows the repeat frames.
    const auto learned = bench::learn(joined({headless, full}, 22000), 38000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    EXPECT_FALSE(info && info->protocol == "JVC");
}

TEST(RepeatFrames, JvcRepeatsWithoutItsHeader)
{
    const Durations full = frameOf("JVC", 0x83, 0x17);
    const Durations headerless(full.begin() + 2, full.end());
    expectLearnedAs(joined({full, headerless, headerless}, 22000), "JVC");
}

// DirecTV repeats its frame with a lead mark half as long. Some remotes send that lead from the
// first frame on, as does any capture begun while the key was held.
TEST(RepeatFrames, DirecTvRepeatsWithAShorterLead)
{
    const Durations full = frameOf("DirecTV", 0x0C, 0x5A);
    ASSERT_FALSE(full.empty());
    EXPECT_EQ(full.front(), 6000u);
    Durations repeat = full;
    repeat.front() = 3000;
    for (const Durations& signal : {joined({full, repeat, repeat}, 30000), joined({full, full}, 30000),
                                    repeat, joined({repeat, repeat, repeat}, 30000)})
        expectLearnedWith(signal, "DirecTV", "0C 00 00 00", "5A 00 00 00");
    // The long lead never follows the short one.
    const auto learned = bench::learn(joined({full, repeat, full}, 30000), 38000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    EXPECT_FALSE(info && info->protocol == "DirecTV");
}

TEST(RepeatFrames, SamsungRepeatCodes)
{
    const Durations repeat{4500, 4500, 550, 550, 550};
    expectLearnedAs(joined({frameOf("Samsung32", 0x07, 0x02), repeat, repeat}, 46000), "Samsung32");
}

// Sharp and Denon send each frame followed by its inverted twin, and so on while held.
TEST(RepeatFrames, SharpAndDenonAlternateWithTheInvertedFrame)
{
    for (const char* name : {"Sharp", "Denon"}) {
        const auto& protocol = *codeform::protocolByName(name);
        auto frame = [&](codeform::FrameKind kind) {
            Durations durations;
            for (const auto& pulse : protocol.render({0x1A, 0x5C, false}, kind))
                durations.push_back(pulse.nominalUs);
            return durations;
        };
        const Durations full = frame(codeform::FrameKind::Full);
        const Durations inverted = frame(codeform::FrameKind::Repeat);
        expectLearnedAs(joined({full, inverted}, 40000), name);
        expectLearnedAs(joined({full, inverted, full, inverted}, 40000), name);
    }
}

// XMP sends its two frames in turn; once the key is held, the second frame carries the held flag
// (the toggle), and it keeps carrying it.
TEST(RepeatFrames, XmpSetsTheHeldFlagInLaterSecondFrames)
{
    const auto& xmp = *codeform::protocolByName("XMP");
    auto frame = [&](bool held, codeform::FrameKind kind) {
        Durations durations;
        for (const auto& pulse : xmp.render({0x1F4447, 0x1153, held}, kind))
            durations.push_back(pulse.nominalUs);
        return durations;
    };
    const Durations first = frame(false, codeform::FrameKind::Full);
    const Durations second = frame(false, codeform::FrameKind::Repeat);
    const Durations heldSecond = frame(true, codeform::FrameKind::Repeat);
    ASSERT_NE(second, heldSecond);
    EXPECT_EQ(first, frame(true, codeform::FrameKind::Full));
    expectLearnedAs(joined({first, second}, 40000), "XMP");
    expectLearnedAs(joined({first, second, first, heldSecond}, 40000), "XMP");
    expectLearnedAs(joined({first, second, first, heldSecond, first, heldSecond}, 40000), "XMP");
    expectLearnedAs(joined({first, heldSecond, first, heldSecond}, 40000), "XMP");
    // A held key does not let go of the flag while it is still sending.
    const auto released = bench::learn(joined({first, heldSecond, first, second}, 40000), 38000);
    ASSERT_TRUE(released);
    const auto info = describe(released->code.identifier, released->code.parameters);
    EXPECT_FALSE(info && info->protocol == "XMP");
}

// Other sub-devices repeat the first frame's first nibble in the second frame, where the XMP row
// sends a 1: those codes are XMP-S's. A code whose frames the XMP row sends is the XMP row's,
// whatever the first nibble of its first frame.
TEST(RepeatFrames, XmpOfAnotherSubDeviceIsNamedXmpS)
{
    const auto& xmpS = *codeform::protocolByName("XMP-S");
    EXPECT_FALSE(xmpS.accepts({0x0F4431, 0x1052, false}));
    const std::pair<const char*, std::uint32_t> codes[]{
        {"XMP", 0x1052}, {"XMP", 0x2052}, {"XMP-S", 0x2052}, {"XMP-S", 0x0E00}};
    for (const auto& [name, command] : codes) {
        SCOPED_TRACE(std::string(name) + " " + std::to_string(command));
        const auto& sender = *codeform::protocolByName(name);
        const codeform::Message m{0x0F4431, command, false};
        ASSERT_TRUE(sender.accepts(m));
        auto frame = [&](bool held, codeform::FrameKind kind) {
            Durations durations;
            for (const auto& pulse : sender.render({m.address, m.command, held}, kind))
                durations.push_back(pulse.nominalUs);
            return durations;
        };
        const Durations first = frame(false, codeform::FrameKind::Full);
        const Durations second = frame(false, codeform::FrameKind::Repeat);
        const Durations heldSecond = frame(true, codeform::FrameKind::Repeat);
        for (const auto& signal :
             {joined({first, second}, 40000), joined({first, second, first, heldSecond}, 40000)}) {
            const auto learned = bench::learn(signal, 38000);
            ASSERT_TRUE(learned);
            const auto info = describe(learned->code.identifier, learned->code.parameters);
            ASSERT_TRUE(info) << learned->converted;
            const auto stored = protocolCode(name, m.address, m.command);
            ASSERT_TRUE(stored);
            const auto expected = describe(stored->identifier, stored->parameters);
            ASSERT_TRUE(expected);
            EXPECT_EQ(info->protocol, name);
            EXPECT_EQ(info->address, expected->address);
            EXPECT_EQ(info->command, expected->command);
        }
    }
}

// B&O's start and stop spaces are longer than the receiver's gap between frames: it hands each
// frame over in three pieces. The frame is read whole, and played back in the same pieces with
// each gap in the very millisecond learned.
Durations bangOlufsenFrame(codeform::FrameKind kind)
{
    Durations durations;
    for (const auto& pulse : codeform::protocolByName("B&O")->render({0x1B, 0x9B, false}, kind))
        durations.push_back(pulse.nominalUs);
    return durations;
}

TEST(ReceiverGaps, FramesCutAtTheirLongSpacesAreLearnedWhole)
{
    Durations frame = bangOlufsenFrame(codeform::FrameKind::Full);
    ASSERT_EQ(frame.size(), 43u);
    // A remote whose two opening spaces run short, its start and stop late in their millisecond:
    // trims centred on the spaces alone would play the gaps a millisecond short.
    frame[1] = frame[3] = 2700;
    frame[5] = 15100;
    frame[41] = 12100;
    expectLearnedAs(frame, "B&O", 56000);
    const auto learned = bench::learn(frame, 56000);
    ASSERT_TRUE(learned);
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    ASSERT_EQ(played->durations.size(), frame.size());
    EXPECT_EQ(played->durations[5], codeform::gapMicroseconds(15));
    EXPECT_EQ(played->durations[41], codeform::gapMicroseconds(12));
    EXPECT_EQ(describe(learned->code.identifier, learned->code.parameters)->command, "9B 00 00 00");
}

TEST(ReceiverGaps, HeldKeysRepeatTheFrameWithoutItsBits)
{
    const Durations full = bangOlufsenFrame(codeform::FrameKind::Full);
    const Durations repeat = bangOlufsenFrame(codeform::FrameKind::Repeat);
    ASSERT_EQ(repeat.size(), 9u);
    expectLearnedAs(joined({full, repeat}, 142000), "B&O", 56000);
    expectLearnedAs(joined({full, repeat, repeat}, 142000), "B&O", 56000);
    expectLearnedAs(joined({full, full}, 142000), "B&O", 56000);
    // Pieces that make no whole frame: a frame cut off after its start.
    const Durations cut(full.begin(), full.begin() + 20);
    const auto learned = bench::learn(joined({full, cut}, 142000), 56000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    EXPECT_FALSE(info && info->protocol == "B&O");
}

// Start and stop take one trim: gaps that no one trim plays in their learned milliseconds are no
// B&O frame, and the signal is kept as it came.
TEST(ReceiverGaps, GapsNoTrimPlaysExactlyAreNotNamed)
{
    Durations frame = bangOlufsenFrame(codeform::FrameKind::Full);
    frame[5] = 16200;
    frame[41] = 11200;
    const auto learned = bench::learn(frame, 56000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    EXPECT_FALSE(info && info->protocol == "B&O");
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    EXPECT_TRUE(bench::playsBackFaithfully(frame, *played));
}

TEST(RepeatFrames, InvertedFrameDiffersOnlyInCommandAndCheckBits)
{
    const auto& sharp = *codeform::protocolByName("Sharp");
    const codeform::Message m{0x1A, 0x5C, false};
    const auto full = sharp.render(m, codeform::FrameKind::Full);
    const auto repeat = sharp.render(m, codeform::FrameKind::Repeat);
    ASSERT_EQ(full.size(), repeat.size());
    for (std::size_t bit = 0; bit < 15; ++bit) {
        const bool differs = full[2 * bit + 1].nominalUs != repeat[2 * bit + 1].nominalUs;
        EXPECT_EQ(differs, bit >= 5) << "bit " << bit; // address kept, command and check bits inverted
    }
}

// RC5 and RC6 flip a toggle bit with every key press; a learned code keeps the one it heard.
TEST(ToggleBit, IsLearnedAndPlayedAsCaptured)
{
    for (const char* name : {"RC5", "RC6", "RC6-6-32"}) {
        const auto& protocol = *codeform::protocolByName(name);
        for (bool toggle : {false, true}) {
            Durations frame;
            for (const auto& pulse : protocol.render({0x0A, 0x21, toggle}, codeform::FrameKind::Full))
                frame.push_back(pulse.nominalUs);
            const auto learned = bench::learn(frame, protocol.carrierHz());
            ASSERT_TRUE(learned) << name;
            EXPECT_EQ(describe(learned->code.identifier, learned->code.parameters)->protocol, name);
            const auto played = bench::playStored(learned->code);
            ASSERT_TRUE(played);
            EXPECT_TRUE(bench::playsBackFaithfully(frame, *played)) << name << " toggle " << toggle;
            EXPECT_EQ(protocol.decode(played->durations), (codeform::Message{0x0A, 0x21, toggle})) << name;
        }
    }
}

TEST(ToggleBit, ProtocolsWithoutOneRefuseIt)
{
    const auto& nec = *codeform::protocolByName("NEC");
    EXPECT_FALSE(nec.accepts({0x04, 0x0D, true}));
    EXPECT_TRUE(codeform::protocolByName("RC5")->accepts({0x04, 0x0D, true}));
}

Durations rendered(const codeform::Protocol& protocol, const codeform::Message& message)
{
    Durations durations;
    for (const auto& pulse : protocol.render(message, codeform::FrameKind::Full))
        durations.push_back(pulse.nominalUs);
    return durations;
}

// Symphony sends each bit as a long and a short part, the mark long for a one; the last bit's space
// is the pause before the next frame, so a frame ends on its last mark.
TEST(PulsePeriodFrames, AddressThenCommandLowBitFirstEndingOnTheLastMark)
{
    const auto& symphony = *codeform::protocolByName("Symphony");
    // Address 1B: 1 1 0 1 1; command 04: 0 0 1 0 0 0 0.
    const Durations frame{1200, 400,  1200, 400, 400, 1200, 1200, 400,  1200, 400,  400, 1200,
                          400,  1200, 1200, 400, 400, 1200, 400,  1200, 400,  1200, 400};
    EXPECT_EQ(rendered(symphony, {0x1B, 0x04, false}), frame);
    EXPECT_EQ(symphony.decode(frame), (codeform::Message{0x1B, 0x04, false}));
    Durations withLastSpace = frame;
    withLastSpace.push_back(1200);
    EXPECT_FALSE(symphony.decode(withLastSpace));
    // A last bit of one ends on the long mark.
    EXPECT_EQ(rendered(symphony, {0x1B, 0x40, false}).back(), 1200u);
    // A bit whose space is as long as its mark is no bit of the row.
    Durations evenBit = frame;
    evenBit[1] = 1200;
    EXPECT_FALSE(symphony.decode(evenBit));
}

// A Dish frame learned without its stop mark ends on the sixteenth bit's mark, its space lost in
// the silence: it reads as Dish-15 with the same command and unit, and the address without bit 0.
TEST(CutFrames, DishWithoutItsStopMarkKeepsAllButTheLastBit)
{
    const auto& dish = *codeform::protocolByName("Dish");
    const auto& cut = *codeform::protocolByName("Dish-15");
    for (const std::uint32_t address : {0x2B4u, 0x2B5u}) {
        const Durations whole = rendered(dish, {address, 0x2D, false});
        ASSERT_EQ(whole.size(), 35u);
        const Durations learned(whole.begin(), whole.end() - 2);
        EXPECT_FALSE(dish.decode(learned));
        EXPECT_EQ(cut.decode(learned), (codeform::Message{0x2B4, 0x2D, false}));
        EXPECT_EQ(rendered(cut, {0x2B4, 0x2D, false}), learned);
    }
    EXPECT_FALSE(cut.accepts({0x2B5, 0x2D, false}));
}

// The first `count` marks and spaces of a frame: what a capture holds of a frame it ended inside.
Durations cutAfter(const Durations& frame, std::size_t count)
{
    return Durations(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(count));
}

// A capture that ended inside its last frame keeps its protocol, address and command, and plays
// that frame cut exactly where the capture was cut; rows keep the cut in address bits of their
// own, extension rows (Proton) below their extension number.
TEST(CutShortFrames, LastFrameIsPlayedCutWhereTheCaptureEnded)
{
    struct Case
    {
        std::string_view protocol;
        std::uint32_t address;
        std::uint32_t command;
        std::size_t kept; // marks and spaces of the last frame
    };
    for (const Case& c : {Case{"NECext", 0xF700, 0x0C, 41}, Case{"Kaseikyo", 0x2002B0, 0x60, 97},
                          Case{"Proton", 0xF4, 0x0E, 1}, Case{"RC5", 0x05, 0x35, 7}}) {
        SCOPED_TRACE(c.protocol);
        const Durations frame = frameOf(c.protocol, c.address, c.command);
        ASSERT_GT(frame.size(), c.kept);
        const auto expected = protocolCode(c.protocol, c.address, c.command);
        ASSERT_TRUE(expected);
        const auto info = describe(expected->identifier, expected->parameters);
        ASSERT_TRUE(info);
        expectLearnedWith(joined({frame, frame, cutAfter(frame, c.kept)}, 60000), c.protocol, info->address,
                          info->command);
    }
}

TEST(CutShortFrames, CutFrameIsTheKindThatFollows)
{
    // NEC repeats with dittos: the cut frame begins a ditto.
    const Durations ditto{9000, 2250, 560};
    expectLearnedAs(joined({frameOf("NEC", 0x04, 0x0D), ditto, cutAfter(ditto, 1)}, 40000), "NEC");
    // Samsung remotes that repeat the full frame: after full frames alone, the cut frame may be a full
    // frame again rather than the row's repeat frame.
    const Durations samsung = frameOf("Samsung32", 0x81, 0x12);
    expectLearnedWith(joined({samsung, cutAfter(samsung, 5)}, 50000), "Samsung32", "81 00 00 00",
                      "12 00 00 00");
}

// A last piece that begins no frame of the code is no cut frame: the capture is not named after
// the frames before it, and whatever stores it plays it all.
TEST(CutShortFrames, LastPieceThatBeginsNoFrameIsKept)
{
    const Durations frame = frameOf("NEC", 0x04, 0x0D);
    const Durations signal = joined({frame, Durations{9000, 3200, 560}}, 40000);
    const auto learned = bench::learn(signal, 38000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    EXPECT_TRUE(!info || info->protocol != "NEC");
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    EXPECT_TRUE(bench::playsBackFaithfully(signal, *played));
}

// A held key sends the next frame some 8 ms after the last bit's space: too soon for the receiver
// to break the frames apart, so one learned frame holds them all.
TEST(JoinedFrames, AreLearnedAsTheProtocolAndPlayedJoined)
{
    const Durations zeroLast = frameOf("Symphony", 0x1B, 0x04);
    const Durations oneLast = frameOf("Symphony", 0x17, 0x40);
    for (const Durations& signal :
         {joined({zeroLast, zeroLast, zeroLast}, 9200), joined({zeroLast, zeroLast}, 7960),
          joined({oneLast, oneLast, oneLast, oneLast}, 7300), joined({oneLast, oneLast}, 34000)}) {
        expectLearnedAs(signal, "Symphony");
        const auto learned = bench::learn(signal, 38000);
        ASSERT_TRUE(learned);
        const auto info = describe(learned->code.identifier, learned->code.parameters);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->address, signal.back() == 1200 ? "17 00 00 00" : "1B 00 00 00");
    }
    // A learned frame that is not whole frames and their joining spaces is not the protocol's.
    const Durations cut(zeroLast.begin(), zeroLast.end() - 2);
    const auto learned = bench::learn(joined({zeroLast, cut}, 8000), 38000);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    EXPECT_FALSE(info && info->protocol == "Symphony");
}

// The joining space is the last bit's space and the pause: 1200 + 8000 us after a zero, 400 + 8000
// after a one, at standard timing. A stored gap of zero joins frames only in rows that have such
// a pause; elsewhere it stays a gap between frames.
TEST(JoinedFrames, JoiningSpaceFollowsTheLastBit)
{
    // Extension 20, address and command, three frames, all full, gaps zero, no trims.
    const auto played = [](const char* addressCommand) {
        return play("210000", std::string(addressCommand) + "0303000000" + std::string(10, '0'), "");
    };
    const auto zeroLast = played("1B0000140400"); // command 04: last bit 0
    const auto oneLast = played("170000144000");  // command 40: last bit 1
    ASSERT_TRUE(zeroLast && oneLast);
    const Durations zeroFrame = frameOf("Symphony", 0x1B, 0x04);
    const Durations oneFrame = frameOf("Symphony", 0x17, 0x40);
    EXPECT_EQ(zeroLast->durations, joined({zeroFrame, zeroFrame, zeroFrame}, 9200));
    EXPECT_EQ(oneLast->durations, joined({oneFrame, oneFrame, oneFrame}, 8400));
    // NEC, two full frames, gap zero.
    const auto nec = play("010000", "040000000D000202000000" + std::string(10, '0'), "");
    ASSERT_TRUE(nec);
    const Durations necFrame = frameOf("NEC", 0x04, 0x0D);
    EXPECT_EQ(nec->durations, joined({necFrame, necFrame}, codeform::gapMicroseconds(0)));
}

std::string testData(const std::string& name)
{
    const char* folder = std::getenv("QMV718_TEST_DATA");
    return std::string(folder ? folder : "tests/data") + "/converter/" + name;
}

// Protocol codes as an earlier version stored and played them, trims, gaps and repeats included:
// identifier, parameters, carrier, durations. Every one still plays exactly as it did.
TEST(StoredCodes, EarlierCodesPlayExactlyAsBefore)
{
    std::ifstream in(testData("stored-codes.tsv"));
    ASSERT_TRUE(in);
    std::string line;
    std::size_t checked = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string identifier;
        std::string parameters;
        std::uint32_t carrier = 0;
        fields >> identifier >> parameters >> carrier;
        Durations expected;
        for (std::uint32_t d = 0; fields >> d;)
            expected.push_back(d);
        const auto played = play(identifier, parameters, "");
        ASSERT_TRUE(played) << identifier << " " << parameters;
        EXPECT_EQ(played->carrierHz, carrier) << identifier;
        EXPECT_EQ(played->durations, expected) << identifier << " " << parameters;
        ++checked;
    }
    EXPECT_GE(checked, 40u);
}

} // namespace
} // namespace qmv
