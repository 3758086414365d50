// The protocol table row by row: every protocol renders what it decodes, keeps its stored
// number, and survives the whole road of a learned key.

#include "CodeForm.h"
#include "LearnChain.h"
#include "Protocols.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <stdexcept>

namespace qmv {
namespace {

using codeform::FrameKind;
using codeform::Message;
using codeform::Protocol;
using codeform::ProtocolRow;

// The numbers are the remote's data: a key learned years ago names its protocol by them (rows of
// the extension number 21 by their extension number as well).
struct StoredNumber
{
    std::uint8_t number;
    std::uint8_t extension = 0;
    auto operator<=>(const StoredNumber&) const = default;
};
const std::map<std::string, StoredNumber> kStoredNumbers{
    {"NEC", {0x01}},
    {"NECext", {0x02}},
    {"NEC42", {0x03}},
    {"NEC42ext", {0x04}},
    {"Samsung32", {0x05}},
    {"RC5", {0x06}},
    {"RC5X", {0x07}},
    {"RC6", {0x08}},
    {"SIRC", {0x09}},
    {"SIRC15", {0x0A}},
    {"SIRC20", {0x0B}},
    {"Kaseikyo", {0x0C}},
    {"RCA", {0x0D}},
    {"Pioneer", {0x0E}},
    {"JVC", {0x0F}},
    {"Sharp", {0x10}},
    {"Samsung36", {0x11}},
    {"Samsung48", {0x12}},
    {"Denon", {0x13}},
    {"Panasonic", {0x14}},
    {"JVC-48", {0x15}},
    {"Mitsubishi-K", {0x16}},
    {"Sharp-DVD", {0x17}},
    {"Teac-K", {0x18}},
    {"Fujitsu", {0x19}},
    {"RC6-6-32", {0x1A}},
    {"Mitsubishi", {0x1B}},
    {"LG", {0x1C}},
    {"Dish", {0x1D}},
    {"Bose", {0x1E}},
    {"GI Cable", {0x1F}},
    {"NEC2", {0x20}},
    {"Aiwa", {0x21, 1}},
    {"RC-MM12", {0x21, 2}},
    {"RC-MM24", {0x21, 3}},
    {"RC-MM32", {0x21, 4}},
    {"RC5-Marantz", {0x21, 5}},
    {"NECx", {0x21, 6}},
    {"NEC48", {0x21, 7}},
    {"Onkyo", {0x21, 8}},
    {"Panasonic-Old", {0x21, 9}},
    {"Emerson", {0x21, 10}},
    {"Proton", {0x21, 11}},
    {"Denon-K", {0x21, 12}},
    {"XMP", {0x21, 13}},
    {"SIRC-S12", {0x21, 14}},
    {"SIRC-S15", {0x21, 15}},
    {"SIRC-S20", {0x21, 16}},
    {"RECS80", {0x21, 17}},
    {"DirecTV", {0x21, 18}},
    {"Samsung20", {0x21, 19}},
    {"XMP-S", {0x21, 22}},
    {"Symphony", {0x21, 20}},
    {"Dish-15", {0x21, 21}},
    {"B&O", {0x21, 27}},
    {"B&O-22", {0x21, 28}},
    {"Panasonic-CC", {0x21, 23}},
    {"Panasonic56", {0x21, 25}},
    {"SIM2", {0x21, 29}},
    {"PaceMSS", {0x21, 30}},
    {"Matsui", {0x21, 31}},
    {"Akai", {0x21, 32}},
    {"Dyson", {0x21, 33}},
    {"Xiaomi", {0x21, 34}},
    {"TDC-38", {0x21, 35}},
};

TEST(ProtocolNumbers, EveryProtocolKeepsItsStoredNumber)
{
    std::set<StoredNumber> numbers;
    for (const ProtocolRow& row : codeform::protocolTable()) {
        const auto pinned = kStoredNumbers.find(std::string(row.name));
        ASSERT_NE(pinned, kStoredNumbers.end()) << row.name << " needs its number pinned here";
        const StoredNumber number{row.number, row.extension};
        EXPECT_EQ(number, pinned->second) << row.name;
        EXPECT_LT(row.number, 0x22) << row.name << " would not be placed directly";
        EXPECT_TRUE(numbers.insert(number).second) << row.name << " reuses a number";
    }
    EXPECT_EQ(numbers.size(), kStoredNumbers.size()) << "a pinned protocol left the table";
}

std::vector<Message> randomMessages(const Protocol& protocol, std::size_t count, std::uint32_t seed);

// A stored code names its protocol by the identifier and, for extension rows, the address's top
// byte; describe() reads the same name back.
TEST(ProtocolNumbers, StoredCodesCarryTheNumber)
{
    for (const auto& [name, number] : kStoredNumbers) {
        const Message m = randomMessages(*codeform::protocolByName(name), 1, 5).at(0);
        const auto code = protocolCode(name, m.address, m.command);
        ASSERT_TRUE(code) << name;
        char identifier[8];
        std::snprintf(identifier, sizeof identifier, "%02X0000", number.number);
        EXPECT_EQ(code->identifier, identifier) << name;
        EXPECT_EQ(std::stoul(code->parameters.substr(6, 2), nullptr, 16), number.extension) << name;
        EXPECT_EQ(describe(code->identifier, code->parameters)->protocol, name);
    }
    const auto identifiers = knownIdentifiers();
    EXPECT_EQ(std::set<std::string>(identifiers.begin(), identifiers.end()).size(), identifiers.size());
    EXPECT_EQ(identifiers.size(), 0x21u) << "one identifier for each number from 01 to 21";
}

// Random messages a row takes: values within its fields, toggled where it has a toggle.
std::vector<Message> randomMessages(const Protocol& protocol, std::size_t count, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<Message> messages;
    for (std::size_t tries = 0; messages.size() < count && tries < 50 * count; ++tries) {
        Message m{static_cast<std::uint32_t>(random()) & protocol.addressMask(),
                  static_cast<std::uint32_t>(random()) & protocol.commandMask(),
                  protocol.hasToggle() && (random() & 1u) != 0};
        if (protocol.accepts(m))
            messages.push_back(m);
    }
    return messages;
}

std::vector<std::uint32_t> nominal(const codeform::PulseTrain& train)
{
    std::vector<std::uint32_t> durations;
    for (const auto& pulse : train)
        durations.push_back(pulse.nominalUs);
    return durations;
}

class ProtocolRowTest : public ::testing::TestWithParam<std::size_t>
{
protected:
    const Protocol& protocol() const { return codeform::protocols()[GetParam()]; }
};

TEST_P(ProtocolRowTest, DecodesWhatItRenders)
{
    const auto messages = randomMessages(protocol(), 40, 7 + static_cast<std::uint32_t>(GetParam()));
    ASSERT_EQ(messages.size(), 40u) << "the row takes too few messages";
    for (const Message& m : messages) {
        const auto frame = nominal(protocol().render(m, FrameKind::Full));
        auto decoded = protocol().decode(frame);
        ASSERT_TRUE(decoded) << std::hex << m.address << " " << m.command;
        if (protocol().hasSecondPart()) // the repeat frame carries the rest of the message
            decoded = protocol().decodeSecondPart(nominal(protocol().render(m, FrameKind::Repeat)), *decoded);
        EXPECT_EQ(decoded, m);
    }
}

// Changing any one field bit changes the frame, and a frame with a bit flipped is either refused
// or read as another message: complements and checksums guard the frame.
TEST_P(ProtocolRowTest, FlippedBitsDoNotReadAsTheSameMessage)
{
    for (const Message& m : randomMessages(protocol(), 10, 99)) {
        const auto frame = nominal(protocol().render(m, FrameKind::Full));
        for (std::size_t i = 0; i < frame.size(); ++i) {
            auto changed = frame;
            // Swap a short part for a long one (or back) where that keeps the frame's shape.
            changed[i] = frame[i] * 3;
            const auto decoded = protocol().decode(changed);
            EXPECT_FALSE(decoded && *decoded == m) << "duration " << i;
        }
    }
}

// The signal is learned as the code's protocol, address and command, and the stored code plays
// it back faithfully.
void expectLearnedAs(const StoredCode& code, const std::vector<std::uint32_t>& signal,
                     std::uint32_t carrierHz)
{
    const auto learned = bench::learn(signal, carrierHz);
    ASSERT_TRUE(learned);
    const auto info = describe(learned->code.identifier, learned->code.parameters);
    const auto expected = describe(code.identifier, code.parameters);
    ASSERT_TRUE(info && expected) << learned->converted;
    EXPECT_EQ(info->protocol, expected->protocol);
    EXPECT_EQ(info->address, expected->address);
    EXPECT_EQ(info->command, expected->command);
    const auto played = bench::playStored(learned->code);
    ASSERT_TRUE(played);
    EXPECT_TRUE(bench::playsBackFaithfully(signal, *played));
}

// The whole road: a code the protocol sends with standard timing is learned back as the same
// protocol, address and command, and plays back faithfully.
TEST_P(ProtocolRowTest, IsLearnedAsItself)
{
    for (const Message& m : randomMessages(protocol(), 6, 1234)) {
        const auto code = protocolCode(protocol().name(), m.address, m.command);
        ASSERT_TRUE(code) << protocol().name();
        const auto sent = bench::playStored(*code);
        ASSERT_TRUE(sent);
        EXPECT_EQ(sent->carrierHz, protocol().carrierHz());
        expectLearnedAs(*code, sent->durations, sent->carrierHz);
    }
}

// A capture that ended inside the frame after the first: still learned as the protocol, address and
// command, and the frame plays cut where the capture ended. Codes of several frames choose their
// next frame by rules of their own, so only one-frame codes are cut here; pulse-period rows, whose
// frames the receiver may hear joined, keep their frames whole.
TEST_P(ProtocolRowTest, IsLearnedAsItselfWhenTheCaptureEndsInsideAFrame)
{
    std::mt19937 random(31 + static_cast<std::uint32_t>(GetParam()));
    for (const Message& m : randomMessages(protocol(), 4, 4321)) {
        const auto code = protocolCode(protocol().name(), m.address, m.command);
        ASSERT_TRUE(code) << protocol().name();
        const auto sent = bench::playStored(*code);
        ASSERT_TRUE(sent);
        const auto frame = bench::capturedPart(sent->durations);
        bool oneFrame = true;
        for (std::size_t i = 0; i < frame.size(); ++i)
            oneFrame = oneFrame && !bench::isFrameGap(i, frame[i]);
        if (!oneFrame || protocol().row().coding == codeform::BitCoding::PulsePeriod)
            GTEST_SKIP() << "frames of their own kind";
        const std::size_t longest = std::min<std::size_t>(frame.size() - 1, 125);
        const std::size_t kept = 1 + 2 * (random() % ((longest + 1) / 2));
        auto signal = frame;
        signal.push_back(60000);
        signal.insert(signal.end(), frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(kept));
        SCOPED_TRACE(::testing::Message() << "kept " << kept << " of " << frame.size());
        expectLearnedAs(*code, signal, sent->carrierHz);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProtocolRowTest,
                         ::testing::Range<std::size_t>(0, codeform::protocols().size()), [](const auto& row) {
                             std::string name(codeform::protocols()[row.param].name());
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// A repeat frame that is the full frame again is that frame, lead included, unless the row gives
// the repeat frames a lead mark of their own; then only that mark differs.
TEST(ProtocolTable, RepeatedFullFramesDifferAtMostInTheirLeadMark)
{
    std::size_t ownLead = 0;
    for (const Protocol& protocol : codeform::protocols()) {
        const codeform::ProtocolRow& row = protocol.row();
        if (row.repeat != codeform::RepeatFrame::Full)
            continue;
        ownLead += row.timing.repeatLeadMark ? 1 : 0;
        for (const Message& m : randomMessages(protocol, 5, 3)) {
            const auto full = nominal(protocol.render(m, FrameKind::Full));
            auto repeat = nominal(protocol.render(m, FrameKind::Repeat));
            ASSERT_EQ(repeat.size(), full.size()) << row.name;
            if (row.timing.repeatLeadMark) {
                EXPECT_EQ(repeat[0], row.timing.repeatLeadMark) << row.name;
                EXPECT_EQ(full[0], row.timing.leadMark) << row.name;
                repeat[0] = full[0];
            }
            EXPECT_EQ(repeat, full) << row.name;
        }
    }
    EXPECT_GE(ownLead, 1u) << "no row repeats with a lead of its own";
}

ProtocolRow customRow(std::string_view fields)
{
    return {"Custom", 0x00, 38000, codeform::BitCoding::PulseDistance, {3000, 1500, 500, 500, 1500}, fields};
}

TEST(ProtocolNotation, ChecksumsCoverTheirRange)
{
    // Xor of bytes, sum of nibbles and negated sum, each over the bits before it.
    const ProtocolRow xorRow = customRow("A:8,C:8,^8(0..16)");
    const ProtocolRow sumRow = customRow("A:8,C:8,+4(0..16)");
    const ProtocolRow negatedRow = customRow("A:8,C:8,-4(0..16)");
    const Message m{0x5A, 0x3C, false};
    auto checksumOf = [&](const ProtocolRow& row, std::size_t width) {
        const auto train = Protocol(row).render(m, FrameKind::Full);
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            if (train[2 + 2 * (16 + i) + 1].nominalUs == 1500)
                value |= 1u << i;
        return value;
    };
    EXPECT_EQ(checksumOf(xorRow, 8), 0x5Au ^ 0x3Cu);
    EXPECT_EQ(checksumOf(sumRow, 4), (0xAu + 0x5u + 0xCu + 0x3u) & 0xFu);
    EXPECT_EQ(checksumOf(negatedRow, 4), (0u - (0xAu + 0x5u + 0xCu + 0x3u)) & 0xFu);
}

TEST(ProtocolNotation, ChecksumInsideItsRangeCountsItselfAsZero)
{
    // A nibble sent between the bits it checks: all nibbles of the frame then add up to zero, and a
    // frame whose check nibble is off by one is not read.
    const ProtocolRow custom = customRow("A:4,-4(0..20),C:12");
    const Protocol row(custom);
    const Message m{0x9, 0x7E5, false};
    const auto train = row.render(m, FrameKind::Full);
    codeform::Durations frame;
    for (const auto& pulse : train)
        frame.push_back(pulse.nominalUs);
    std::uint32_t sum = 0;
    for (std::size_t nibble = 0; nibble < 5; ++nibble)
        for (std::size_t i = 0; i < 4; ++i)
            if (frame[2 + 2 * (4 * nibble + i) + 1] == 1500)
                sum += 1u << i;
    EXPECT_EQ(sum % 16, 0u);
    EXPECT_EQ(row.decode(frame), m);
    // Flip the check nibble's lowest bit.
    std::uint32_t& checkBit = frame[2 + 2 * 4 + 1];
    checkBit = checkBit == 1500 ? 500 : 1500;
    EXPECT_FALSE(row.decode(frame));
}

// Spaces of sixteen levels are read at the frame's own pace: a remote a few per cent slow or fast
// still reads as its message, one a quarter slow does not.
TEST(NibbleSpaces, AreReadAtTheFramesOwnPace)
{
    const Protocol& xmp = *codeform::protocolByName("XMP");
    const Message m{0x1F4433, 0x1E0A, false};
    for (const codeform::FrameKind kind : {codeform::FrameKind::Full, codeform::FrameKind::Repeat}) {
        const auto train = xmp.render(m, kind);
        auto atPace = [&](double pace) {
            codeform::Durations frame;
            for (const auto& pulse : train)
                frame.push_back(static_cast<std::uint32_t>(pulse.nominalUs * pace));
            return frame;
        };
        const auto read = [&](double pace) {
            return kind == codeform::FrameKind::Full
                       ? xmp.decode(atPace(pace))
                       : xmp.decodeSecondPart(atPace(pace), {0x1F4433, 0x1000, false});
        };
        // The first frame carries the command's top nibble, the second the rest.
        const std::uint32_t commandBits = kind == codeform::FrameKind::Full ? 0xF000u : 0xFFFFu;
        for (double pace : {0.95, 0.97, 1.0, 1.03, 1.05}) {
            const auto message = read(pace);
            ASSERT_TRUE(message) << pace;
            EXPECT_EQ(message->address, m.address);
            EXPECT_EQ(message->command & commandBits, m.command & commandBits);
        }
        EXPECT_FALSE(read(1.25));
        EXPECT_FALSE(read(0.75));
    }
}

// Weighted sums: each group of the range times its weight, in the order sent; a group width of
// its own for any checksum.
TEST(ProtocolNotation, WeightedSumWeighsEachGroupInTurn)
{
    const Message m{0x5A, 0x3C, false};
    const std::uint32_t sent = m.address | m.command << 8; // bits in the order sent, lowest first
    auto checksumOf = [&](std::string_view fields, std::size_t width) {
        const auto train = Protocol(customRow(fields)).render(m, FrameKind::Full);
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            if (train[2 + 2 * (16 + i) + 1].nominalUs == 1500)
                value |= 1u << i;
        return value;
    };
    std::uint32_t weighted = 0;
    for (std::uint32_t pair = 0; pair < 8; ++pair)
        weighted += (pair + 1) * ((sent >> (2 * pair)) & 3u);
    EXPECT_EQ(checksumOf("A:8,C:8,+4(0..16/2*1.2.3.4.5.6.7.8)", 4), weighted & 0xFu);
    EXPECT_EQ(checksumOf("A:8,C:8,+8(0..16/2*1.2.3.4.5.6.7.8)", 8), weighted & 0xFFu);
    EXPECT_EQ(checksumOf("A:8,C:8,-4(0..16/2*1.2.3.4.5.6.7.8)", 4), (0u - weighted) & 0xFu);
    // A group width alone: the plain sum of the address's bit pairs; the xor of bit pairs 4 to 12.
    EXPECT_EQ(checksumOf("A:8,C:8,+4(0..8/2)", 4), (2u + 2u + 1u + 1u) & 0xFu);
    EXPECT_EQ(checksumOf("A:8,C:8,^2(4..12/2)", 2),
              ((sent >> 4) ^ (sent >> 6) ^ (sent >> 8) ^ (sent >> 10)) & 3u);
}

// A receiver that stretches each mark shortens the space after it by as much: by 70 us, half a
// step of XMP's nibbles and of RC-MM's bit pairs at their shortest. Spaces read together with the
// mark before them still give the message, at standard pace and a few per cent off it.
TEST(NibbleSpaces, AreReadWithTheMarkBeforeThem)
{
    constexpr std::uint32_t kStretch = 70;
    for (const char* name : {"XMP", "XMP-S", "RC-MM32"}) {
        const Protocol& protocol = *codeform::protocolByName(name);
        for (const Message& m : randomMessages(protocol, 8, 31)) {
            auto stretched = [&](codeform::FrameKind kind, double pace) {
                codeform::Durations frame;
                for (const auto& pulse : protocol.render(m, kind))
                    frame.push_back(static_cast<std::uint32_t>(pulse.nominalUs * pace));
                for (std::size_t i = 0; i < frame.size(); ++i)
                    frame[i] = i % 2 == 0 ? frame[i] + kStretch : frame[i] - kStretch;
                return frame;
            };
            for (double pace : {0.97, 1.0, 1.03}) {
                SCOPED_TRACE(std::string(name) + " at " + std::to_string(pace));
                auto decoded = protocol.decode(stretched(codeform::FrameKind::Full, pace));
                ASSERT_TRUE(decoded) << std::hex << m.address << " " << m.command;
                if (protocol.hasSecondPart())
                    decoded =
                        protocol.decodeSecondPart(stretched(codeform::FrameKind::Repeat, pace), *decoded);
                EXPECT_EQ(decoded, m);
            }
        }
    }
}

// The first frame of a captured XMP key, whose marks jitter by 30 us: the two shortest spaces alone
// would put the pace one and a half per cent off, which moves the longest nibble by a third of a
// step; the pace is then taken over all spaces at the levels read.
TEST(NibbleSpaces, TakeThePaceFromAllSpaces)
{
    const codeform::Durations frame{286,  830, 287,  1637, 287,  702, 259,  2729, 287,
                                    1220, 287, 1220, 287,  1091, 287, 2599, 287};
    const auto message = codeform::protocolByName("XMP")->decode(frame);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->address, 0x0F443Eu);
    EXPECT_EQ(message->command, 0x1000u);
}

TEST(ProtocolNotation, BadRowsAreRefused)
{
    for (const char* fields :
         {"A:8,,C:8", "A8", "Q:8", "A:0", "A:8,^8(0..24)", "^4(4..12),A:8", "A:8,^3(0..8)", "A:30:8", "0xZ:4",
          "A:8,+4(0..8/3)", "A:8,+4(0..8/0)", "A:8,+4(0..8/2*1.2.3)", "A:8,+4(0..8/2*1.2.3.4.5)",
          "A:8,+4(0..8/2*1.2.3.)", "A:8,+4(0..8/2*)", "A:8,^4(0..8/2*1.2.3.4)", "A:8,+4(0..8/2*1.2.3.256)"})
        EXPECT_THROW(Protocol{customRow(fields)}, std::logic_error) << fields;
    EXPECT_NO_THROW(Protocol{customRow("A:8,~A:8,0x1F:5,C:4:8,|,T:1")});
    EXPECT_NO_THROW(Protocol{customRow("A:8,C:8,-4(0..16/2*1.2.3.4.5.6.7.8)")});
    // Mark-and-space symbols carry two bits and no separator; a repeat lead needs a lead.
    ProtocolRow pairs = customRow("A:4,C:4");
    pairs.coding = codeform::BitCoding::MarkSpace;
    EXPECT_NO_THROW(Protocol{pairs});
    for (const char* fields : {"A:3,C:4", "A:4,|,C:4"}) {
        pairs.fields = fields;
        EXPECT_THROW(Protocol{pairs}, std::logic_error) << fields;
    }
    ProtocolRow leadless = customRow("A:8,C:8");
    leadless.timing = {0, 0, 500, 500, 1500, 0, 1500};
    EXPECT_THROW(Protocol{leadless}, std::logic_error);
    // Separators of bit periods: at least one, and only between pulse-distance bits.
    EXPECT_THROW(Protocol{customRow("|0,A:8")}, std::logic_error);
    EXPECT_NO_THROW(Protocol{customRow("|3,A:8")});
    ProtocolRow manchester{"Custom",          0x00,        36000, codeform::BitCoding::Biphase,
                           {0, 0, 889, 0, 0}, "1:1,|2,A:5"};
    EXPECT_THROW(Protocol{manchester}, std::logic_error);
    // Relative codes open with separators, not a lead.
    ProtocolRow relative = customRow("|1,A:8");
    relative.coding = codeform::BitCoding::Relative;
    EXPECT_THROW(Protocol{relative}, std::logic_error);
    relative.timing = {0, 0, 200, 2925, 9175};
    EXPECT_NO_THROW(Protocol{relative});
    // A bit space the receiver would take for a gap would cut frames by their message.
    ProtocolRow longBits = customRow("A:8");
    longBits.timing.one = 11000;
    EXPECT_THROW(Protocol{longBits}, std::logic_error);
}

// B&O frames as bit periods of 3125 us (mark and space): two of one, a start of five, a bit's one,
// two or three, a stop of four, and the last mark.
codeform::Durations bangOlufsenFrame(std::initializer_list<std::uint32_t> bitPeriods)
{
    codeform::Durations frame;
    auto period = [&](std::uint32_t count) {
        frame.push_back(200);
        frame.push_back(count * 3125 - 200);
    };
    for (std::uint32_t count : {1, 1, 5})
        period(count);
    for (std::uint32_t count : bitPeriods)
        period(count);
    period(4);
    frame.push_back(200);
    return frame;
}

// A bit's space says zero, one or the bit before again, the bit before the first counting as a
// one; each bit has only the one space that says so.
TEST(RelativeCoding, BangOlufsenBitsAreToldByTheBitBefore)
{
    const Protocol& beo4 = *codeform::protocolByName("B&O");
    // A remote's CD key: link flag 0, address 01, command 92, most significant bit first.
    const auto cd = bangOlufsenFrame({1, 2, 2, 2, 2, 2, 2, 2, 3, 2, 1, 2, 3, 1, 2, 3, 1});
    EXPECT_EQ(nominal(beo4.render({0x01, 0x92, false}, FrameKind::Full)), cd);
    EXPECT_EQ(beo4.decode(cd), (Message{0x01, 0x92, false}));
    // The link flag set: the first bit repeats the one before it.
    const auto linked = bangOlufsenFrame({2, 1, 2, 2, 2, 2, 2, 2, 3, 2, 1, 2, 3, 1, 2, 3, 1});
    EXPECT_EQ(nominal(beo4.render({0x101, 0x92, false}, FrameKind::Full)), linked);
    EXPECT_EQ(beo4.decode(linked), (Message{0x101, 0x92, false}));
    // A zero said again where the bit before is already a zero, a one where it is a one: no reading.
    EXPECT_FALSE(beo4.decode(bangOlufsenFrame({1, 1, 2, 2, 2, 2, 2, 2, 3, 2, 1, 2, 3, 1, 2, 3, 1})));
    EXPECT_FALSE(beo4.decode(bangOlufsenFrame({1, 2, 2, 2, 2, 2, 2, 2, 3, 3, 1, 2, 3, 1, 2, 3, 1})));
    EXPECT_FALSE(beo4.decode(bangOlufsenFrame({3, 2, 2, 2, 2, 2, 2, 2, 3, 2, 1, 2, 3, 1, 2, 3, 1})));
    // A held key's frame has no bits; the longer frame has 22.
    EXPECT_EQ(nominal(beo4.render({0x01, 0x92, false}, FrameKind::Repeat)), bangOlufsenFrame({}));
    EXPECT_FALSE(codeform::protocolByName("B&O-22")->decode(cd));
}

// DirecTV: a mark and a space of one or two units each carry a bit, and the check nibble weighs
// the function's bit pairs 7, 5, 3 and 1. Frames built here from the bits, most significant first.
codeform::Durations direcTvFrame(std::uint32_t word, std::uint32_t leadMark = 6000)
{
    codeform::Durations frame{leadMark, 1200};
    for (std::size_t bit = 16; bit-- > 0;)
        frame.push_back(((word >> bit) & 1u) ? 1200 : 600);
    frame.push_back(600);
    return frame;
}

TEST(MarkSpaceCoding, DirecTvFramesAreReadWithTheirCheckNibble)
{
    const Protocol& direcTv = *codeform::protocolByName("DirecTV");
    // A remote's first frame: device 12, function 5A, check 4.
    const codeform::Durations captured{5977, 1202, 1182, 1213, 580, 615,  582, 1215, 580, 1215,
                                       1181, 616,  1179, 614,  580, 1215, 580, 614,  580};
    EXPECT_EQ(direcTv.decode(captured), (Message{12, 0x5A, false}));
    EXPECT_EQ(nominal(direcTv.render({12, 0x5A, false}, FrameKind::Full)), direcTvFrame(0xC5A4));
    // Of the sixteen check nibbles, only the one that holds is read.
    for (std::uint32_t check = 0; check < 16; ++check) {
        const auto message = direcTv.decode(direcTvFrame(0xC5A0 | check));
        EXPECT_EQ(message.has_value(), check == 4) << check;
    }
    for (std::uint32_t function : {0x00u, 0x01u, 0x10u, 0x80u, 0xFFu, 0x37u}) {
        const std::uint32_t check =
            (7 * (function >> 6 & 3) + 5 * (function >> 4 & 3) + 3 * (function >> 2 & 3) + (function & 3)) &
            0xFu;
        EXPECT_EQ(direcTv.decode(direcTvFrame(0x3000 | function << 4 | check)),
                  (Message{3, function, false}));
    }
    // The repeat frames' shorter lead is not a first frame's, nor a part of three units a bit's.
    EXPECT_FALSE(direcTv.decode(direcTvFrame(0xC5A4, 3000)));
    EXPECT_EQ(direcTv.decodeRepeat(direcTvFrame(0xC5A4, 3000)), (Message{12, 0x5A, false}));
    EXPECT_FALSE(direcTv.decodeRepeat(direcTvFrame(0xC5A4)));
    auto stretched = direcTvFrame(0xC5A4);
    stretched[5] = 1800;
    EXPECT_FALSE(direcTv.decode(stretched));
}

TEST(ProtocolNotation, PulsePeriodRowsRefuseFramesTheyCannotSend)
{
    using codeform::BitCoding;
    const auto row = [](BitCoding coding, codeform::ProtocolTiming timing) {
        return ProtocolRow{"Custom", 0x00, 38000, coding, timing, "A:8"};
    };
    // A pause that joins frames needs the pulse-period coding's spare trim; those frames have no lead.
    EXPECT_THROW(Protocol{row(BitCoding::PulseDistance, {3000, 1500, 500, 500, 1500, 0, 0, 8000})},
                 std::logic_error);
    EXPECT_THROW(Protocol{row(BitCoding::PulsePeriod, {3000, 1500, 0, 400, 1200})}, std::logic_error);
    EXPECT_NO_THROW(Protocol{row(BitCoding::PulsePeriod, {0, 0, 0, 400, 1200, 0, 0, 8000})});
}

TEST(ProtocolNotation, AliasesNameTheSameProtocol)
{
    for (const auto& alias : codeform::protocolAliases()) {
        const Protocol* byAlias = codeform::protocolByName(alias.alias);
        ASSERT_TRUE(byAlias) << alias.alias;
        EXPECT_EQ(byAlias, codeform::protocolByName(alias.name));
    }
    EXPECT_EQ(protocolCode("Sony12", 0x1A, 0x42)->parameters, protocolCode("SIRC", 0x1A, 0x42)->parameters);
}

} // namespace
} // namespace qmv
