#include "Protocols.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace qmv::codeform {

bool roughlyEqual(std::uint32_t learned, std::uint32_t nominal)
{
    const double difference = std::abs(static_cast<double>(learned) - static_cast<double>(nominal));
    return difference <= 0.35 * nominal + 60.0;
}

namespace {

using Bits = std::vector<bool>;

std::uint32_t field(const Bits& bits, std::size_t from, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (bits[from + i])
            value |= 1u << i;
    return value;
}

void append(Bits& bits, std::uint32_t value, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        bits.push_back(((value >> i) & 1u) != 0);
}

std::uint32_t invert(std::uint32_t value, std::size_t count)
{
    return ~value & ((1u << count) - 1u);
}

std::uint32_t reversed(std::uint32_t value, std::size_t count)
{
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < count; ++i)
        if ((value >> i) & 1u)
            result |= 1u << (count - 1 - i);
    return result;
}

enum PulseDistanceClass : std::uint8_t { HeaderMark, HeaderSpace, BitMark, ZeroSpace, OneSpace };

struct PulseDistanceTiming
{
    std::uint32_t headerMark; // 0: no header
    std::uint32_t headerSpace;
    std::uint32_t bitMark;
    std::uint32_t zeroSpace;
    std::uint32_t oneSpace;
};

// Protocols whose bits lie in the space after each equal mark, with an optional header and a
// closing mark.
class PulseDistanceProtocol : public Protocol
{
public:
    PulseDistanceProtocol(std::string_view name, std::uint8_t number, std::uint32_t carrier,
                          PulseDistanceTiming timing, std::size_t bitCount)
        : m_name(name)
        , m_number(number)
        , m_carrier(carrier)
        , m_timing(timing)
        , m_bitCount(bitCount)
    {
    }

    std::string_view name() const override { return m_name; }
    std::uint8_t number() const override { return m_number; }
    std::uint32_t carrierHz() const override { return m_carrier; }

    std::optional<Message> decode(const Durations& frame) const override
    {
        const std::size_t headerLength = m_timing.headerMark ? 2 : 0;
        if (frame.size() != headerLength + 2 * m_bitCount + 1)
            return std::nullopt;
        if (headerLength &&
            (!roughlyEqual(frame[0], m_timing.headerMark) || !roughlyEqual(frame[1], m_timing.headerSpace)))
            return std::nullopt;
        Bits bits;
        for (std::size_t i = 0; i < m_bitCount; ++i) {
            const std::uint32_t mark = frame[headerLength + 2 * i];
            const std::uint32_t space = frame[headerLength + 2 * i + 1];
            if (!roughlyEqual(mark, m_timing.bitMark))
                return std::nullopt;
            const bool one = space * 2 > m_timing.zeroSpace + m_timing.oneSpace;
            if (!roughlyEqual(space, one ? m_timing.oneSpace : m_timing.zeroSpace))
                return std::nullopt;
            bits.push_back(one);
        }
        if (!roughlyEqual(frame.back(), m_timing.bitMark))
            return std::nullopt;
        auto message = fromBits(bits);
        if (!message || !accepts(*message))
            return std::nullopt;
        return message;
    }

    PulseTrain render(const Message& message, FrameKind kind) const override
    {
        PulseTrain train;
        const Bits bits = toBits(message, kind);
        if (m_timing.headerMark && !(kind == FrameKind::Repeat && repeatHasNoHeader())) {
            train.push_back({HeaderMark, m_timing.headerMark});
            train.push_back({HeaderSpace, m_timing.headerSpace});
        }
        for (bool bit : bits) {
            train.push_back({BitMark, m_timing.bitMark});
            train.push_back(bit ? Pulse{OneSpace, m_timing.oneSpace} : Pulse{ZeroSpace, m_timing.zeroSpace});
        }
        train.push_back({BitMark, m_timing.bitMark});
        return train;
    }

protected:
    virtual std::optional<Message> fromBits(const Bits& bits) const = 0;
    virtual Bits toBits(const Message& message, FrameKind kind) const = 0;
    virtual bool repeatHasNoHeader() const { return false; }
    std::size_t bitCount() const { return m_bitCount; }

private:
    std::string_view m_name;
    std::uint8_t m_number;
    std::uint32_t m_carrier;
    PulseDistanceTiming m_timing;
    std::size_t m_bitCount;
};

// NEC-style frames: address and command, each either followed by its complement (the plain form)
// or taken whole (the extended form); the repeat frame is the short ditto.
class ComplementedProtocol : public PulseDistanceProtocol
{
public:
    ComplementedProtocol(std::string_view name, std::uint8_t number, std::uint32_t carrier,
                         PulseDistanceTiming timing, std::size_t addressBits, std::size_t commandBits,
                         bool extended, bool ditto)
        : PulseDistanceProtocol(name, number, carrier, timing, 2 * (addressBits + commandBits))
        , m_addressBits(addressBits)
        , m_commandBits(commandBits)
        , m_extended(extended)
        , m_ditto(ditto)
        , m_timing(timing)
    {
    }

    bool hasRepeatFrame() const override { return m_ditto; }

    bool accepts(const Message& m) const override
    {
        const std::size_t a = m_extended ? 2 * m_addressBits : m_addressBits;
        const std::size_t c = m_extended ? 2 * m_commandBits : m_commandBits;
        if (m.toggle || (a < 32 && m.address >> a) || (c < 32 && m.command >> c))
            return false;
        // The extended form holds what the plain form cannot, so each signal has one reading.
        return !m_extended ||
               !(complemented(m.address, m_addressBits) && complemented(m.command, m_commandBits));
    }

    PulseTrain render(const Message& message, FrameKind kind) const override
    {
        if (kind == FrameKind::Full || !m_ditto)
            return PulseDistanceProtocol::render(message, FrameKind::Full);
        return {{HeaderMark, m_timing.headerMark},
                {HeaderSpace, m_timing.headerSpace / 2},
                {BitMark, m_timing.bitMark}};
    }

protected:
    std::optional<Message> fromBits(const Bits& bits) const override
    {
        Message m;
        const std::size_t a = m_addressBits;
        const std::size_t c = m_commandBits;
        if (m_extended) {
            m.address = field(bits, 0, 2 * a);
            m.command = field(bits, 2 * a, 2 * c);
        } else {
            m.address = field(bits, 0, a);
            m.command = field(bits, 2 * a, c);
            if (field(bits, a, a) != invert(m.address, a) ||
                field(bits, 2 * a + c, c) != invert(m.command, c))
                return std::nullopt;
        }
        return m;
    }

    Bits toBits(const Message& m, FrameKind) const override
    {
        Bits bits;
        if (m_extended) {
            append(bits, m.address, 2 * m_addressBits);
            append(bits, m.command, 2 * m_commandBits);
        } else {
            append(bits, m.address, m_addressBits);
            append(bits, invert(m.address, m_addressBits), m_addressBits);
            append(bits, m.command, m_commandBits);
            append(bits, invert(m.command, m_commandBits), m_commandBits);
        }
        return bits;
    }

private:
    static bool complemented(std::uint32_t value, std::size_t half)
    {
        return (value >> half) == invert(value & ((1u << half) - 1u), half);
    }

    std::size_t m_addressBits;
    std::size_t m_commandBits;
    bool m_extended;
    bool m_ditto;
    PulseDistanceTiming m_timing;
};

class Samsung32Protocol : public PulseDistanceProtocol
{
public:
    Samsung32Protocol()
        : PulseDistanceProtocol("Samsung32", 0x05, 38000, {4500, 4500, 550, 550, 1650}, 32)
    {
    }
    bool accepts(const Message& m) const override { return !m.toggle && m.address < 256 && m.command < 256; }

protected:
    std::optional<Message> fromBits(const Bits& bits) const override
    {
        Message m{field(bits, 0, 8), field(bits, 16, 8), false};
        if (field(bits, 8, 8) != m.address || field(bits, 24, 8) != invert(m.command, 8))
            return std::nullopt;
        return m;
    }
    Bits toBits(const Message& m, FrameKind) const override
    {
        Bits bits;
        append(bits, m.address, 8);
        append(bits, m.address, 8);
        append(bits, m.command, 8);
        append(bits, invert(m.command, 8), 8);
        return bits;
    }
};

// Address: id << 24 | vendor << 8 | genre1 << 4 | genre2; command: 10 bits.
class KaseikyoProtocol : public PulseDistanceProtocol
{
public:
    KaseikyoProtocol()
        : PulseDistanceProtocol("Kaseikyo", 0x0C, 37000, {3456, 1728, 432, 432, 1296}, 48)
    {
    }
    bool accepts(const Message& m) const override
    {
        return !m.toggle && m.address < (1u << 26) && m.command < 1024;
    }

protected:
    std::optional<Message> fromBits(const Bits& bits) const override
    {
        std::array<std::uint32_t, 6> data{};
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = field(bits, 8 * i, 8);
        if (data != bytes(decoded(data)))
            return std::nullopt;
        return decoded(data);
    }
    Bits toBits(const Message& m, FrameKind) const override
    {
        Bits bits;
        for (std::uint32_t b : bytes(m))
            append(bits, b, 8);
        return bits;
    }

private:
    static Message decoded(const std::array<std::uint32_t, 6>& data)
    {
        const std::uint32_t vendor = data[0] | data[1] << 8;
        const std::uint32_t genre1 = data[2] >> 4;
        const std::uint32_t genre2 = data[3] & 0xF;
        const std::uint32_t command = (data[3] >> 4) | (data[4] & 0x3F) << 4;
        const std::uint32_t id = data[4] >> 6;
        return {id << 24 | vendor << 8 | genre1 << 4 | genre2, command, false};
    }
    static std::array<std::uint32_t, 6> bytes(const Message& m)
    {
        std::array<std::uint32_t, 6> data{};
        const std::uint32_t vendor = (m.address >> 8) & 0xFFFF;
        data[0] = vendor & 0xFF;
        data[1] = vendor >> 8;
        std::uint32_t parity = data[0] ^ data[1];
        parity = (parity & 0xF) ^ (parity >> 4);
        data[2] = parity | ((m.address >> 4) & 0xF) << 4;
        data[3] = (m.address & 0xF) | (m.command & 0xF) << 4;
        data[4] = ((m.command >> 4) & 0x3F) | ((m.address >> 24) & 0x3) << 6;
        data[5] = data[2] ^ data[3] ^ data[4];
        return data;
    }
};

class JvcProtocol : public PulseDistanceProtocol
{
public:
    JvcProtocol()
        : PulseDistanceProtocol("JVC", 0x0F, 38000, {8400, 4200, 525, 525, 1575}, 16)
    {
    }
    bool hasRepeatFrame() const override { return true; }
    bool accepts(const Message& m) const override { return !m.toggle && m.address < 256 && m.command < 256; }

protected:
    bool repeatHasNoHeader() const override { return true; }
    std::optional<Message> fromBits(const Bits& bits) const override
    {
        return Message{field(bits, 0, 8), field(bits, 8, 8), false};
    }
    Bits toBits(const Message& m, FrameKind) const override
    {
        Bits bits;
        append(bits, m.address, 8);
        append(bits, m.command, 8);
        return bits;
    }
};

// Sent most significant bit first: address, command, then both complemented.
class RcaProtocol : public PulseDistanceProtocol
{
public:
    RcaProtocol()
        : PulseDistanceProtocol("RCA", 0x0D, 56000, {4000, 4000, 500, 1000, 2000}, 24)
    {
    }
    bool accepts(const Message& m) const override { return !m.toggle && m.address < 16 && m.command < 256; }

protected:
    std::optional<Message> fromBits(const Bits& bits) const override
    {
        const std::uint32_t word = reversed(field(bits, 0, 24), 24);
        Message m{word >> 20, (word >> 12) & 0xFF, false};
        if (((word >> 8) & 0xF) != invert(m.address, 4) || (word & 0xFF) != invert(m.command, 8))
            return std::nullopt;
        return m;
    }
    Bits toBits(const Message& m, FrameKind) const override
    {
        const std::uint32_t word =
            m.address << 20 | m.command << 12 | invert(m.address, 4) << 8 | invert(m.command, 8);
        Bits bits;
        append(bits, reversed(word, 24), 24);
        return bits;
    }
};

// Address 5 bits, command 8 bits, expansion and check bits; every frame is followed by one with
// the command, expansion and check inverted.
class SharpProtocol : public PulseDistanceProtocol
{
public:
    SharpProtocol()
        : PulseDistanceProtocol("Sharp", 0x10, 38000, {0, 0, 320, 680, 1680}, 15)
    {
    }
    bool hasRepeatFrame() const override { return true; }
    bool accepts(const Message& m) const override { return !m.toggle && m.address < 32 && m.command < 256; }

protected:
    std::optional<Message> fromBits(const Bits& bits) const override
    {
        if (!bits[13] || bits[14])
            return std::nullopt;
        return Message{field(bits, 0, 5), field(bits, 5, 8), false};
    }
    Bits toBits(const Message& m, FrameKind kind) const override
    {
        const bool inverted = kind == FrameKind::Repeat;
        Bits bits;
        append(bits, m.address, 5);
        append(bits, inverted ? invert(m.command, 8) : m.command, 8);
        bits.push_back(!inverted);
        bits.push_back(inverted);
        return bits;
    }
};

enum SonyClass : std::uint8_t { SonyHeader, SonySpace, SonyOne, SonyZero };

// Bits in the mark length, command first, least significant bit first.
class SonyProtocol : public Protocol
{
public:
    SonyProtocol(std::string_view name, std::uint8_t number, std::size_t addressBits)
        : m_name(name)
        , m_number(number)
        , m_addressBits(addressBits)
    {
    }
    std::string_view name() const override { return m_name; }
    std::uint8_t number() const override { return m_number; }
    std::uint32_t carrierHz() const override { return 40000; }
    bool accepts(const Message& m) const override
    {
        return !m.toggle && m.command < 128 && m.address < (1u << m_addressBits);
    }

    std::optional<Message> decode(const Durations& frame) const override
    {
        const std::size_t bits = 7 + m_addressBits;
        if (frame.size() != 2 * bits + 1 || !roughlyEqual(frame[0], 2400))
            return std::nullopt;
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < bits; ++i) {
            const std::uint32_t space = frame[1 + 2 * i];
            const std::uint32_t mark = frame[2 + 2 * i];
            const bool one = mark > 900;
            if (!roughlyEqual(space, 600) || !roughlyEqual(mark, one ? 1200 : 600))
                return std::nullopt;
            if (one)
                word |= 1u << i;
        }
        return Message{word >> 7, word & 0x7F, false};
    }

    PulseTrain render(const Message& m, FrameKind) const override
    {
        PulseTrain train{{SonyHeader, 2400}};
        const std::uint32_t word = m.command | m.address << 7;
        for (std::size_t i = 0; i < 7 + m_addressBits; ++i) {
            train.push_back({SonySpace, 600});
            train.push_back(((word >> i) & 1u) ? Pulse{SonyOne, 1200} : Pulse{SonyZero, 600});
        }
        return train;
    }

private:
    std::string_view m_name;
    std::uint8_t m_number;
    std::size_t m_addressBits;
};

// Manchester codes: the frame as a run of half-bit levels.
using Levels = std::vector<bool>;

// Learned durations as whole half-bits of `unit`; nullopt when one is not close to a multiple.
std::optional<Levels> toLevels(const Durations& durations, std::size_t from, std::uint32_t unit,
                               std::uint32_t maxUnits, bool firstIsMark)
{
    Levels levels;
    bool mark = firstIsMark;
    for (std::size_t i = from; i < durations.size(); ++i, mark = !mark) {
        const long units = std::lround(static_cast<double>(durations[i]) / unit);
        if (units < 1 || units > static_cast<long>(maxUnits) ||
            !roughlyEqual(durations[i], static_cast<std::uint32_t>(units) * unit))
            return std::nullopt;
        levels.insert(levels.end(), static_cast<std::size_t>(units), mark);
    }
    return levels;
}

// Runs of equal levels back into pulses of the class for marks or spaces.
void appendLevels(PulseTrain& train, const Levels& levels, std::uint8_t markClass, std::uint8_t spaceClass,
                  std::uint32_t unit)
{
    std::size_t i = 0;
    while (i < levels.size() && !levels[i])
        ++i; // a leading space half is silence before the first mark
    std::size_t end = levels.size();
    while (end > i && !levels[end - 1])
        --end;
    while (i < end) {
        std::size_t j = i;
        while (j < end && levels[j] == levels[i])
            ++j;
        train.push_back({levels[i] ? markClass : spaceClass, static_cast<std::uint32_t>(j - i) * unit});
        i = j;
    }
}

enum ManchesterClass : std::uint8_t { UnitMark, UnitSpace, LeaderMark, LeaderSpace };

// Start bits, field bit (clear for the extended command range), toggle, 5 address and 6 command
// bits, most significant first; a one is space then mark.
class Rc5Protocol : public Protocol
{
public:
    Rc5Protocol(std::string_view name, std::uint8_t number, bool extended)
        : m_name(name)
        , m_number(number)
        , m_extended(extended)
    {
    }
    std::string_view name() const override { return m_name; }
    std::uint8_t number() const override { return m_number; }
    std::uint32_t carrierHz() const override { return 36000; }
    bool hasToggle() const override { return true; }
    bool accepts(const Message& m) const override { return m.address < 32 && m.command < 64; }

    std::optional<Message> decode(const Durations& frame) const override
    {
        auto levels = toLevels(frame, 0, kUnit, 2, true);
        if (!levels)
            return std::nullopt;
        levels->insert(levels->begin(), false);
        if (levels->size() % 2 == 1)
            levels->push_back(false);
        if (levels->size() != 28)
            return std::nullopt;
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < 14; ++i) {
            const bool first = (*levels)[2 * i];
            if (first == (*levels)[2 * i + 1])
                return std::nullopt;
            word = word << 1 | (first ? 0u : 1u);
        }
        const bool field = (word >> 12) & 1u;
        if (!((word >> 13) & 1u) || field == m_extended)
            return std::nullopt;
        return Message{(word >> 6) & 0x1F, word & 0x3F, ((word >> 11) & 1u) != 0};
    }

    PulseTrain render(const Message& m, FrameKind) const override
    {
        const std::uint32_t word = 1u << 13 | (m_extended ? 0u : 1u) << 12 | (m.toggle ? 1u : 0u) << 11 |
                                   (m.address & 0x1F) << 6 | (m.command & 0x3F);
        Levels levels;
        for (int i = 13; i >= 0; --i) {
            const bool one = (word >> i) & 1u;
            levels.push_back(!one);
            levels.push_back(one);
        }
        PulseTrain train;
        appendLevels(train, levels, UnitMark, UnitSpace, kUnit);
        return train;
    }

private:
    static constexpr std::uint32_t kUnit = 889;
    std::string_view m_name;
    std::uint8_t m_number;
    bool m_extended;
};

// Mode 0: leader, start bit, three mode bits, a double-length toggle bit, 8 address and 8 command
// bits, most significant first; a one is mark then space.
class Rc6Protocol : public Protocol
{
public:
    std::string_view name() const override { return "RC6"; }
    std::uint8_t number() const override { return 0x08; }
    std::uint32_t carrierHz() const override { return 36000; }
    bool hasToggle() const override { return true; }
    bool accepts(const Message& m) const override { return m.address < 256 && m.command < 256; }

    std::optional<Message> decode(const Durations& frame) const override
    {
        if (frame.size() < 3 || !roughlyEqual(frame[0], 2666) || !roughlyEqual(frame[1], 889))
            return std::nullopt;
        auto levels = toLevels(frame, 2, kUnit, 3, true);
        if (!levels)
            return std::nullopt;
        if (levels->size() % 2 == 1)
            levels->push_back(false);
        if (levels->size() != 44)
            return std::nullopt;
        const Levels& l = *levels;
        auto bitAt = [&](std::size_t at, std::size_t width) -> std::optional<bool> {
            for (std::size_t i = 1; i < width; ++i)
                if (l[at + i] != l[at] || l[at + width + i] != l[at + width])
                    return std::nullopt;
            if (l[at] == l[at + width])
                return std::nullopt;
            return l[at];
        };
        std::uint32_t word = 0;
        std::size_t at = 0;
        bool toggle = false;
        for (std::size_t bit = 0; bit < 21; ++bit) {
            const std::size_t width = bit == 4 ? 2 : 1;
            const auto value = bitAt(at, width);
            if (!value)
                return std::nullopt;
            if (bit == 4)
                toggle = *value;
            else
                word = word << 1 | (*value ? 1u : 0u);
            at += 2 * width;
        }
        // Start bit set, mode 0.
        if ((word >> 16) != 0x8)
            return std::nullopt;
        return Message{(word >> 8) & 0xFF, word & 0xFF, toggle};
    }

    PulseTrain render(const Message& m, FrameKind) const override
    {
        Levels levels;
        auto addBit = [&](bool one, std::size_t width) {
            levels.insert(levels.end(), width, one);
            levels.insert(levels.end(), width, !one);
        };
        addBit(true, 1);
        for (int i = 0; i < 3; ++i)
            addBit(false, 1);
        addBit(m.toggle, 2);
        const std::uint32_t word = (m.address & 0xFF) << 8 | (m.command & 0xFF);
        for (int i = 15; i >= 0; --i)
            addBit(((word >> i) & 1u) != 0, 1);
        PulseTrain train{{LeaderMark, 2666}};
        // The leader space joins a first half-bit that is a space; the start bit begins with a mark.
        train.push_back({LeaderSpace, 889});
        appendLevels(train, levels, UnitMark, UnitSpace, kUnit);
        return train;
    }

private:
    static constexpr std::uint32_t kUnit = 444;
};

std::vector<std::unique_ptr<Protocol>> buildProtocols()
{
    const PulseDistanceTiming nec{9000, 4500, 560, 560, 1690};
    const PulseDistanceTiming pioneer{8500, 4250, 500, 500, 1500};
    std::vector<std::unique_ptr<Protocol>> list;
    list.push_back(std::make_unique<ComplementedProtocol>("NEC", 0x01, 38000, nec, 8, 8, false, true));
    list.push_back(std::make_unique<ComplementedProtocol>("NECext", 0x02, 38000, nec, 8, 8, true, true));
    list.push_back(std::make_unique<ComplementedProtocol>("NEC42", 0x03, 38000, nec, 13, 8, false, true));
    list.push_back(std::make_unique<ComplementedProtocol>("NEC42ext", 0x04, 38000, nec, 13, 8, true, true));
    list.push_back(std::make_unique<Samsung32Protocol>());
    list.push_back(std::make_unique<Rc5Protocol>("RC5", 0x06, false));
    list.push_back(std::make_unique<Rc5Protocol>("RC5X", 0x07, true));
    list.push_back(std::make_unique<Rc6Protocol>());
    list.push_back(std::make_unique<SonyProtocol>("SIRC", 0x09, 5));
    list.push_back(std::make_unique<SonyProtocol>("SIRC15", 0x0A, 8));
    list.push_back(std::make_unique<SonyProtocol>("SIRC20", 0x0B, 13));
    list.push_back(std::make_unique<KaseikyoProtocol>());
    list.push_back(std::make_unique<RcaProtocol>());
    list.push_back(
        std::make_unique<ComplementedProtocol>("Pioneer", 0x0E, 40000, pioneer, 8, 8, false, false));
    list.push_back(std::make_unique<JvcProtocol>());
    list.push_back(std::make_unique<SharpProtocol>());
    return list;
}

} // namespace

std::span<const std::unique_ptr<Protocol>> protocols()
{
    static const std::vector<std::unique_ptr<Protocol>> list = buildProtocols();
    return list;
}

const Protocol* protocolByNumber(std::uint8_t number)
{
    for (const auto& p : protocols())
        if (p->number() == number)
            return p.get();
    return nullptr;
}

const Protocol* protocolByName(std::string_view name)
{
    for (const auto& p : protocols())
        if (p->name() == name)
            return p.get();
    return nullptr;
}

} // namespace qmv::codeform
