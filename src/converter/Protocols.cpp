#include "Protocols.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace qmv::codeform {

struct Protocol::Field
{
    enum class Kind : std::uint8_t { Address, Command, Toggle, Constant, Xor, Sum, NegatedSum, Separator };
    Kind kind = Kind::Constant;
    bool inverted = false;
    std::uint8_t width = 0;     // bits sent
    std::uint8_t shift = 0;     // first address or command bit
    std::uint32_t constant = 0; // separators: the bit periods of their mark and space; 0 for a lead space
    std::uint8_t group = 0;     // checksums: bits per summed group
    std::uint16_t from = 0;     // checksums: the frame's bits they cover
    std::uint16_t to = 0;
    // Weighted sums: one weight a group, in the order sent; none where every group counts once.
    static constexpr std::size_t kMaxWeights = 16;
    std::uint8_t weightCount = 0;
    std::array<std::uint8_t, kMaxWeights> weights{};

    std::uint32_t weight(std::size_t index) const { return weightCount ? weights[index] : 1; }

    bool takesValue() const { return kind == Kind::Address || kind == Kind::Command || kind == Kind::Toggle; }
};

namespace {

using Field = Protocol::Field;
using Kind = Field::Kind;

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

std::uint32_t widthMask(std::size_t width)
{
    return width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
}

// Bits a symbol carries: a space of the multi-level codings, a mark and its space of MarkSpace; 1 in
// the others.
std::size_t symbolBits(BitCoding coding)
{
    switch (coding) {
    case BitCoding::PulseDistance2:
    case BitCoding::MarkSpace:
        return 2;
    case BitCoding::PulseDistance4:
        return 4;
    default:
        return 1;
    }
}

// Spaces that carry their bits by length alone, several at once.
bool multiLevelSpaces(BitCoding coding)
{
    return coding == BitCoding::PulseDistance2 || coding == BitCoding::PulseDistance4;
}

// Whether a learned length that tells a bit is the one, by the nearer standard length; nullopt where
// it is near neither.
std::optional<bool> readsAsOne(std::uint32_t learned, std::uint32_t zero, std::uint32_t one)
{
    const auto distanceTo = [learned](std::uint32_t nominal) {
        return std::abs(static_cast<double>(learned) - static_cast<double>(nominal));
    };
    const bool isOne = distanceTo(one) < distanceTo(zero);
    if (!roughlyEqual(learned, isOne ? one : zero))
        return std::nullopt;
    return isOne;
}

// A relative code's bit from its space and the bit before. Each bit has one space: a zero or one
// where it changes, the space between where it repeats the bit before; any other is no reading.
std::optional<bool> readsRelative(std::uint32_t learned, bool previous, const ProtocolTiming& t)
{
    const std::uint32_t same = (t.zero + t.one) / 2;
    const auto distanceTo = [learned](std::uint32_t nominal) {
        return std::abs(static_cast<double>(learned) - static_cast<double>(nominal));
    };
    const std::uint32_t nearest = distanceTo(same) < std::min(distanceTo(t.zero), distanceTo(t.one)) ? same
                                  : distanceTo(t.one) < distanceTo(t.zero)                           ? t.one
                                                                                                     : t.zero;
    if (!roughlyEqual(learned, nearest))
        return std::nullopt;
    if (nearest == same)
        return previous;
    const bool bit = nearest == t.one;
    if (bit == previous)
        return std::nullopt;
    return bit;
}

bool isChecksum(const Field& f)
{
    return f.kind == Kind::Xor || f.kind == Kind::Sum || f.kind == Kind::NegatedSum;
}

[[noreturn]] void badRow(std::string_view name, std::string_view item)
{
    throw std::logic_error("protocol " + std::string(name) + ": cannot read field " + std::string(item));
}

// A checksum covers bits sent before it, or a range of the frame that holds its own bits.
void checkChecksums(const std::vector<Field>& fields, std::string_view name)
{
    std::size_t frameBits = 0;
    for (const Field& f : fields)
        frameBits += f.kind == Kind::Separator ? 0 : f.width;
    std::size_t position = 0;
    for (const Field& f : fields) {
        const bool before = f.to <= position;
        const bool holdsItself = f.from <= position && f.to >= position + f.width && f.to <= frameBits;
        if (isChecksum(f) && !before && !holdsItself)
            badRow(name, "checksum range");
        position += f.kind == Kind::Separator ? 0 : f.width;
    }
}

unsigned readNumber(std::string_view text, std::string_view name)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex)
        text.remove_prefix(2);
    if (text.empty())
        badRow(name, text);
    unsigned value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            badRow(name, text);
        value = value * (hex ? 16 : 10) + digit;
    }
    return value;
}

// "^4(0..16)", "+8(20..40)", "-4(0..16)", "+4(4..12/2*7.5.3.1)"
Field readChecksum(std::string_view item, std::string_view name)
{
    const std::size_t open = item.find('(');
    if (open == std::string_view::npos || item.back() != ')')
        badRow(name, item);
    Field field;
    field.kind = item[0] == '^' ? Kind::Xor : item[0] == '+' ? Kind::Sum : Kind::NegatedSum;
    field.width = static_cast<std::uint8_t>(readNumber(item.substr(1, open - 1), name));
    std::string_view range = item.substr(open + 1, item.size() - open - 2);
    std::string_view weights;
    if (const std::size_t star = range.find('*'); star != std::string_view::npos) {
        weights = range.substr(star + 1);
        range = range.substr(0, star);
        if (field.kind == Kind::Xor || weights.empty())
            badRow(name, item);
    }
    unsigned group = field.kind == Kind::Xor ? field.width : 4;
    if (const std::size_t slash = range.find('/'); slash != std::string_view::npos) {
        group = readNumber(range.substr(slash + 1), name);
        range = range.substr(0, slash);
    }
    const std::size_t dots = range.find("..");
    if (dots == std::string_view::npos || group == 0 || group > 8)
        badRow(name, item);
    field.group = static_cast<std::uint8_t>(group);
    field.from = static_cast<std::uint16_t>(readNumber(range.substr(0, dots), name));
    field.to = static_cast<std::uint16_t>(readNumber(range.substr(dots + 2), name));
    if (field.width == 0 || field.width > 8 || field.to <= field.from ||
        (field.to - field.from) % field.group)
        badRow(name, item);
    while (!weights.empty()) {
        const std::size_t dot = weights.find('.');
        const unsigned weight = readNumber(weights.substr(0, dot), name);
        if (field.weightCount == Field::kMaxWeights || weight > 0xFF)
            badRow(name, item);
        field.weights[field.weightCount++] = static_cast<std::uint8_t>(weight);
        weights = dot == std::string_view::npos ? std::string_view() : weights.substr(dot + 1);
        if (dot != std::string_view::npos && weights.empty())
            badRow(name, item);
    }
    if (field.weightCount && field.weightCount != (field.to - field.from) / field.group)
        badRow(name, item);
    return field;
}

Field readField(std::string_view item, std::string_view name)
{
    if (item == "|")
        return Field{Kind::Separator};
    if (item.front() == '|') {
        Field field{Kind::Separator};
        field.constant = readNumber(item.substr(1), name);
        if (field.constant == 0)
            badRow(name, item);
        return field;
    }
    if (item.front() == '^' || item.front() == '+' || item.front() == '-')
        return readChecksum(item, name);
    Field field;
    if (item.front() == '~') {
        field.inverted = true;
        item.remove_prefix(1);
    }
    const std::size_t colon = item.find(':');
    if (colon == std::string_view::npos)
        badRow(name, item);
    const std::string_view head = item.substr(0, colon);
    std::string_view rest = item.substr(colon + 1);
    const std::size_t second = rest.find(':');
    field.width = static_cast<std::uint8_t>(readNumber(rest.substr(0, second), name));
    if (second != std::string_view::npos)
        field.shift = static_cast<std::uint8_t>(readNumber(rest.substr(second + 1), name));
    if (head == "A")
        field.kind = Kind::Address;
    else if (head == "C")
        field.kind = Kind::Command;
    else if (head == "T")
        field.kind = Kind::Toggle;
    else
        field.constant = readNumber(head, name);
    if (field.width == 0 || field.width + field.shift > 32)
        badRow(name, item);
    return field;
}

std::vector<Field> readFields(std::string_view text, std::string_view name)
{
    std::vector<Field> fields;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (item.empty())
            badRow(name, text);
        fields.push_back(readField(item, name));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return fields;
}

std::size_t bitCount(const std::vector<Field>& fields)
{
    std::size_t bits = 0;
    for (const Field& f : fields)
        bits += f.kind == Kind::Separator ? 0 : f.width;
    return bits;
}

// Manchester codes: the frame as a run of half-bit levels.
using Levels = std::vector<bool>;
// A separator in a Manchester code is a pause of this many half-bits (Marantz's RC5).
constexpr std::size_t kPauseHalves = 4;

// Learned durations as whole half-bits of `unit`; nullopt when one is not close to a multiple.
std::optional<Levels> toLevels(const Durations& durations, std::size_t from, std::uint32_t unit,
                               std::uint32_t maxUnits)
{
    Levels levels;
    bool mark = true;
    for (std::size_t i = from; i < durations.size(); ++i, mark = !mark) {
        const long units = std::lround(static_cast<double>(durations[i]) / unit);
        if (units < 1 || units > static_cast<long>(maxUnits) ||
            !roughlyEqual(durations[i], static_cast<std::uint32_t>(units) * unit))
            return std::nullopt;
        levels.insert(levels.end(), static_cast<std::size_t>(units), mark);
    }
    return levels;
}

// Runs of equal levels back into pulses; leading and trailing space halves are silence.
void appendLevels(PulseTrain& train, const Levels& levels, std::uint32_t unit)
{
    std::size_t i = 0;
    while (i < levels.size() && !levels[i])
        ++i;
    std::size_t end = levels.size();
    while (end > i && !levels[end - 1])
        --end;
    while (i < end) {
        std::size_t j = i;
        while (j < end && levels[j] == levels[i])
            ++j;
        train.push_back({levels[i] ? HalfMark : HalfSpace, static_cast<std::uint32_t>(j - i) * unit});
        i = j;
    }
}

bool isPulseDistance(BitCoding coding)
{
    return coding == BitCoding::PulseDistance || coding == BitCoding::Relative;
}

// The space of a separator: the lead space, or what its bit periods leave after the bit mark.
std::uint32_t separatorSpace(const Field& f, const ProtocolTiming& t)
{
    return f.constant ? f.constant * (t.bitMark + t.zero) - t.bitMark : t.leadSpace;
}

// The space of a relative code's bit: a zero or one where the bit changes, else the space between.
Pulse relativeSpace(bool bit, bool previous, const ProtocolTiming& t)
{
    if (bit == previous)
        return {SameSpace, (t.zero + t.one) / 2};
    return bit ? Pulse{OneSpace, t.one} : Pulse{ZeroSpace, t.zero};
}

// A frame's last mark; where the row's stop mark is longer than a bit mark, it must be nearer to
// the stop mark, so that frames with a plain stop have one reading.
bool isStopMark(std::uint32_t learned, const ProtocolTiming& t)
{
    if (!roughlyEqual(learned, t.lastMark()))
        return false;
    const auto distance = [learned](std::uint32_t nominal) {
        return learned > nominal ? learned - nominal : nominal - learned;
    };
    return !t.stopMark || distance(t.stopMark) < distance(t.bitMark);
}

} // namespace

Protocol::Protocol(const ProtocolRow& row)
    : m_row(&row)
    , m_fields(readFields(row.fields, row.name))
    , m_repeatFields(readFields(row.repeatFields, row.name))
    , m_bitCount(bitCount(m_fields))
{
    for (const Field& f : m_fields) {
        if (f.kind == Kind::Separator && symbolBits(row.coding) > 1)
            badRow(row.name, "separator in a multi-bit coding");
        if (f.kind == Kind::Separator && f.constant && !isPulseDistance(row.coding))
            badRow(row.name, "separator of bit periods outside a pulse-distance coding");
        if (f.kind == Kind::Address)
            m_addressMask |= widthMask(f.width) << f.shift;
        else if (f.kind == Kind::Command)
            m_commandMask |= widthMask(f.width) << f.shift;
        else if (f.kind == Kind::Toggle)
            m_hasToggle = true;
    }
    checkChecksums(m_fields, row.name);
    checkChecksums(m_repeatFields, row.name);
    for (const Field& f : m_repeatFields) {
        // Value bits the full frame does not carry make the repeat frame a code's second part.
        const std::uint32_t bits = widthMask(f.width) << f.shift;
        if (f.kind == Kind::Toggle)
            m_hasToggle = true;
        if (f.kind == Kind::Address && f.takesValue() && (bits & ~m_addressMask)) {
            m_addressMask |= bits;
            m_twoPart = true;
        } else if (f.kind == Kind::Command && f.takesValue() && (bits & ~m_commandMask)) {
            m_commandMask |= bits;
            m_twoPart = true;
        }
    }
    if (m_row->repeat == RepeatFrame::Fields && m_repeatFields.empty())
        badRow(row.name, "repeat fields");
    // The longest run of equal half-bits: two halves of adjacent bits, a double toggle half, a pause.
    const bool biphase = row.coding == BitCoding::Biphase || row.coding == BitCoding::BiphaseLeadOn;
    const bool pauses = std::any_of(m_fields.begin(), m_fields.end(),
                                    [](const Field& f) { return f.kind == Kind::Separator; });
    m_longestRun = pauses ? kPauseHalves + 2 : row.coding == BitCoding::BiphaseLeadOn ? 3 : 2;
    if (biphase && !m_fields.empty() && m_fields.front().kind != Kind::Constant)
        badRow(row.name, "a Manchester frame starts with a constant");
    if (m_bitCount > Bits::kCapacity || bitCount(m_repeatFields) > Bits::kCapacity)
        badRow(row.name, "too many bits");
    if (m_twoPart && m_row->coding != BitCoding::PulseDistance && m_row->coding != BitCoding::PulseDistance4)
        badRow(row.name, "second part");
    if ((m_row->number == kExtensionNumber) != (m_row->extension != 0) ||
        (m_row->extension && (m_addressMask >> 24)))
        badRow(row.name, "extension");
    if (m_bitCount % symbolBits(row.coding) || bitCount(m_repeatFields) % symbolBits(row.coding))
        badRow(row.name, "bits that do not fill the last space");
    // A repeat frame of a lead of its own is the full frame or the repeat fields after that lead.
    if (row.timing.repeatLeadMark &&
        (!row.timing.leadMark || (row.repeat != RepeatFrame::Full && row.repeat != RepeatFrame::Fields)))
        badRow(row.name, "repeat lead mark");
    if (row.coding == BitCoding::Relative && row.timing.leadMark)
        badRow(row.name, "lead of a relative code");
    for (const FrameKind kind : {FrameKind::Full, FrameKind::Repeat}) {
        const PulseTrain train = render({}, kind);
        std::vector<std::size_t>& pieces = m_pieces[kind == FrameKind::Full ? 0 : 1];
        pieces.assign(1, 0);
        for (std::size_t i = 0; i < train.size(); ++i) {
            if (i % 2 == 1 && train[i].nominalUs >= kReceiverGapUs)
                pieces.push_back(0);
            else
                ++pieces.back();
        }
    }
    // Where the receiver cuts a frame must not depend on its message: only lead and separator spaces
    // may be that long, and only in the codings whose bit spaces are one of two lengths.
    if ((spansReceiverGaps() && !isPulseDistance(row.coding)) ||
        (isPulseDistance(row.coding) && std::max(row.timing.zero, row.timing.one) >= kReceiverGapUs))
        badRow(row.name, "bit spaces the receiver takes for gaps");
    // Pulse-period frames have no class left for a lead or a separator's space, and only they
    // have one for a joining pause.
    const bool period = row.coding == BitCoding::PulsePeriod;
    if (period && (row.timing.leadMark || pauses || m_bitCount == 0 || row.repeat != RepeatFrame::Full))
        badRow(row.name, "pulse-period frame");
    if (row.timing.framePause && !period)
        badRow(row.name, "frame pause");
}

std::size_t Protocol::joinedFrameSize() const
{
    return m_row->timing.framePause ? 2 * m_bitCount - 1 : 0;
}

Pulse Protocol::joiningSpace(const PulseTrain& frame) const
{
    const ProtocolTiming& t = m_row->timing;
    const bool lastIsOne = !frame.empty() && frame.back().timingClass == PeriodLongMark;
    return {PeriodJoiningSpace, (lastIsOne ? t.zero : t.one) + t.framePause};
}

Protocol::~Protocol() = default;
Protocol::Protocol(Protocol&&) noexcept = default;
Protocol& Protocol::operator=(Protocol&&) noexcept = default;

Protocol::Bits Protocol::encode(const Message& message, const std::vector<Field>& fields) const
{
    Bits bits;
    auto append = [&](std::uint32_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t bit = m_row->msbFirst ? width - 1 - i : i;
            bits.push_back(((value >> bit) & 1u) != 0);
        }
    };
    auto group = [&](std::size_t at, std::size_t width) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            if (bits[at + i])
                value |= 1u << (m_row->msbFirst ? width - 1 - i : i);
        return value;
    };
    auto checksum = [&](const Field& f) {
        std::uint32_t value = 0;
        for (std::size_t at = f.from, g = 0; at < f.to; at += f.group, ++g)
            value =
                f.kind == Kind::Xor ? value ^ group(at, f.group) : value + f.weight(g) * group(at, f.group);
        if (f.kind == Kind::NegatedSum)
            value = 0u - value;
        return f.inverted ? ~value : value;
    };
    // Checksums over bits not yet sent are sent as zeros and filled in once the frame is whole.
    std::vector<std::pair<const Field*, std::size_t>> later;
    for (const Field& f : fields) {
        std::uint32_t value = 0;
        switch (f.kind) {
        case Kind::Address:
            value = message.address >> f.shift;
            break;
        case Kind::Command:
            value = message.command >> f.shift;
            break;
        case Kind::Toggle:
            value = message.toggle ? 1 : 0;
            break;
        case Kind::Constant:
            value = f.constant;
            break;
        case Kind::Separator:
            continue;
        case Kind::Xor:
        case Kind::Sum:
        case Kind::NegatedSum:
            if (f.to > bits.size()) {
                later.emplace_back(&f, bits.size());
                append(0, f.width);
            } else {
                append(checksum(f), f.width);
            }
            continue;
        }
        append(f.inverted ? ~value : value, f.width);
    }
    for (const auto& [f, at] : later) {
        const std::uint32_t value = checksum(*f);
        for (std::size_t i = 0; i < f->width; ++i)
            bits.set(at + i, ((value >> (m_row->msbFirst ? f->width - 1 - i : i)) & 1u) != 0);
    }
    return bits;
}

void Protocol::appendBits(PulseTrain& train, const Bits& bits, const std::vector<Field>& fields) const
{
    const ProtocolTiming& t = m_row->timing;
    std::size_t next = 0;
    if (m_row->coding == BitCoding::MarkSpace) {
        for (; next + 2 <= bits.size(); next += 2) {
            train.push_back(bits[next] ? Pulse{LongMark, t.one} : Pulse{ShortMark, t.zero});
            train.push_back(bits[next + 1] ? Pulse{LongSpace, t.one} : Pulse{ShortSpace, t.zero});
        }
        train.push_back({ShortMark, t.lastMark()});
        return;
    }
    const std::size_t perSpace = symbolBits(m_row->coding);
    if (perSpace > 1) {
        // The lower half of the symbols takes the zero space's trim, the upper half the one space's.
        const std::uint32_t levels = 1u << perSpace;
        for (; next + perSpace <= bits.size(); next += perSpace) {
            std::uint32_t symbol = 0;
            for (std::size_t i = 0; i < perSpace; ++i)
                symbol = symbol << 1 | (bits[next + i] ? 1u : 0u);
            train.push_back({BitMark, t.bitMark});
            train.push_back({symbol < levels / 2 ? ZeroSpace : OneSpace, t.zero + symbol * (t.one - t.zero)});
        }
        train.push_back({BitMark, t.lastMark()});
        return;
    }
    if (isPulseDistance(m_row->coding)) {
        const bool relative = m_row->coding == BitCoding::Relative;
        bool previous = true;
        for (const Field& f : fields) {
            if (f.kind == Kind::Separator) {
                train.push_back({BitMark, t.bitMark});
                train.push_back({LeadSpace, separatorSpace(f, t)});
                continue;
            }
            for (std::size_t i = 0; i < f.width; ++i, ++next) {
                train.push_back({BitMark, t.bitMark});
                if (relative)
                    train.push_back(relativeSpace(bits[next], previous, t));
                else
                    train.push_back(bits[next] ? Pulse{OneSpace, t.one} : Pulse{ZeroSpace, t.zero});
                previous = bits[next];
            }
        }
        train.push_back({BitMark, t.lastMark()});
        return;
    }
    if (m_row->coding == BitCoding::PulsePeriod) {
        // The last bit's space is the gap after the frame.
        for (std::size_t i = 0; i < bits.size(); ++i) {
            train.push_back(bits[i] ? Pulse{PeriodLongMark, t.one} : Pulse{PeriodShortMark, t.zero});
            if (i + 1 < bits.size())
                train.push_back(bits[i] ? Pulse{PeriodShortSpace, t.zero} : Pulse{PeriodLongSpace, t.one});
        }
        return;
    }
    if (m_row->coding == BitCoding::PulseWidth) {
        for (std::size_t i = 0; i < bits.size(); ++i) {
            train.push_back({WidthSpace, t.bitMark});
            train.push_back(bits[i] ? Pulse{OneMark, t.one} : Pulse{ZeroMark, t.zero});
        }
        return;
    }
    const bool oneStartsWithMark = m_row->coding == BitCoding::BiphaseLeadOn;
    Levels levels;
    for (const Field& f : fields) {
        if (f.kind == Kind::Separator) {
            levels.insert(levels.end(), kPauseHalves, false);
            continue;
        }
        const std::size_t halves = f.kind == Kind::Toggle && oneStartsWithMark ? 2 : 1;
        for (std::size_t i = 0; i < f.width; ++i, ++next) {
            const bool first = bits[next] == oneStartsWithMark;
            levels.insert(levels.end(), halves, first);
            levels.insert(levels.end(), halves, !first);
        }
    }
    appendLevels(train, levels, t.bitMark);
}

std::uint32_t Protocol::leadMarkOf(FrameKind kind) const
{
    const ProtocolTiming& t = m_row->timing;
    if (kind == FrameKind::Full)
        return t.leadMark;
    if (m_row->repeat == RepeatFrame::NoHeader)
        return 0;
    return t.repeatLeadMark ? t.repeatLeadMark : t.leadMark;
}

PulseTrain Protocol::render(const Message& message, FrameKind kind) const
{
    const ProtocolTiming& t = m_row->timing;
    const bool repeat = kind == FrameKind::Repeat;
    const bool biphase = m_row->coding == BitCoding::Biphase || m_row->coding == BitCoding::BiphaseLeadOn;
    const std::uint8_t leadMarkClass = biphase ? std::uint8_t{BiphaseLeadMark} : std::uint8_t{LeadMark};
    const std::uint8_t leadSpaceClass = biphase ? std::uint8_t{BiphaseLeadSpace}
                                        : m_row->coding == BitCoding::MarkSpace ? std::uint8_t{LongSpace}
                                                                                : std::uint8_t{LeadSpace};
    const std::uint32_t leadMark = leadMarkOf(kind);
    PulseTrain train;
    if (repeat && m_row->repeat == RepeatFrame::Ditto)
        return {{LeadMark, leadMark}, {LeadSpace, t.leadSpace / 2}, {BitMark, t.lastMark()}};
    if (repeat && m_row->repeat == RepeatFrame::LeadOnly)
        return {{LeadMark, leadMark}, {LeadSpace, t.leadSpace}, {BitMark, t.lastMark()}};
    if (leadMark) {
        train.push_back({leadMarkClass, leadMark});
        if (t.leadSpace)
            train.push_back({leadSpaceClass, t.leadSpace});
    }
    const std::vector<Field>& fields =
        repeat && m_row->repeat == RepeatFrame::Fields ? m_repeatFields : m_fields;
    appendBits(train, encode(message, fields), fields);
    return train;
}

std::optional<Protocol::Bits> Protocol::readBiphase(const Durations& frame, std::size_t from) const
{
    const bool oneStartsWithMark = m_row->coding == BitCoding::BiphaseLeadOn;
    auto levels = toLevels(frame, from, m_row->timing.bitMark, m_longestRun);
    if (!levels)
        return std::nullopt;
    // The first half-bit is silence when the first bit starts with a space.
    const Field& first = m_fields.front();
    const bool firstBit = ((first.constant >> (m_row->msbFirst ? first.width - 1 : 0)) & 1u) != 0;
    if (firstBit != oneStartsWithMark)
        levels->insert(levels->begin(), false);
    std::size_t expected = 0;
    for (const Field& f : m_fields)
        expected += f.kind == Kind::Separator
                        ? kPauseHalves
                        : 2 * f.width * (f.kind == Kind::Toggle && oneStartsWithMark ? 2 : 1);
    if (levels->size() + 1 == expected)
        levels->push_back(false);
    if (levels->size() != expected)
        return std::nullopt;
    Bits bits;
    std::size_t at = 0;
    for (const Field& f : m_fields) {
        if (f.kind == Kind::Separator) {
            for (std::size_t k = 0; k < kPauseHalves; ++k)
                if ((*levels)[at + k])
                    return std::nullopt;
            at += kPauseHalves;
            continue;
        }
        const std::size_t halves = f.kind == Kind::Toggle && oneStartsWithMark ? 2 : 1;
        for (std::size_t i = 0; i < f.width; ++i) {
            const Levels& l = *levels;
            for (std::size_t k = 1; k < halves; ++k)
                if (l[at + k] != l[at] || l[at + halves + k] != l[at + halves])
                    return std::nullopt;
            if (l[at] == l[at + halves])
                return std::nullopt;
            bits.push_back(l[at] == oneStartsWithMark);
            at += 2 * halves;
        }
    }
    return bits;
}

// Spaces that carry several bits each. A remote runs a few per cent fast or slow, which with
// sixteen levels moves the longest spaces by more than half a step; so the spaces are read once at
// standard timing to find the frame's own pace, and then read at that pace. Each space is read
// together with the mark before it: a receiver that stretches its marks shortens the spaces by as
// much (tens of microseconds, a third of a step at the shortest levels), while the mark and space
// together keep the sender's length.
std::optional<Protocol::Bits> Protocol::readSymbolSpaces(const Durations& frame, std::size_t at,
                                                         const std::vector<Field>& fields) const
{
    constexpr double kLargestPaceDifference = 0.2;
    const ProtocolTiming& t = m_row->timing;
    const std::size_t perSpace = symbolBits(m_row->coding);
    const long highest = (1L << perSpace) - 1;
    const std::size_t spaces = bitCount(fields) / perSpace;
    if (frame.size() != at + 2 * spaces + 1)
        return std::nullopt;
    const double step = static_cast<double>(t.one) - static_cast<double>(t.zero);
    const double shortest = static_cast<double>(t.bitMark) + static_cast<double>(t.zero);
    const auto periodOf = [&](std::size_t k) {
        return static_cast<double>(frame[at + 2 * k]) + static_cast<double>(frame[at + 2 * k + 1]);
    };
    const auto symbolOf = [&](double period) {
        return std::lround((period - shortest) / step);
    };
    const auto levelAt = [&](std::size_t k, double pace) {
        return (periodOf(k) / pace - shortest) / step;
    };
    // The least-squares pace that takes the levels below `below`, as read at `guess`, to the
    // frame's periods.
    const auto fitPace = [&](double guess, long below) -> std::optional<double> {
        double learnedByNominal = 0;
        double nominalSquared = 0;
        for (std::size_t k = 0; k < spaces; ++k) {
            const long symbol = std::clamp(std::lround(levelAt(k, guess)), 0L, highest);
            const double nominal = shortest + static_cast<double>(symbol) * step;
            if (symbol < below) {
                learnedByNominal += periodOf(k) * nominal;
                nominalSquared += nominal * nominal;
            }
        }
        return nominalSquared > 0 ? std::optional(learnedByNominal / nominalSquared) : std::nullopt;
    };
    // A first pace comes from the shortest levels: those that a pace up to 5 % off moves by less
    // than half a step, so that no longer level is read as one of them (XMP: 0 and 1; all four of
    // RC-MM). A frame without them takes the pace nearest standard at which every space lies within
    // a quarter step of a level.
    constexpr double kSurePaceDifference = 0.05;
    const auto sureLevels = static_cast<long>(std::floor(0.5 / kSurePaceDifference - shortest / step));
    std::optional<double> guess = fitPace(1.0, sureLevels);
    if (!guess) {
        const auto worstAt = [&](double pace) {
            double worst = 0;
            for (std::size_t k = 0; k < spaces; ++k) {
                const double level = levelAt(k, pace);
                const double nearest = static_cast<double>(std::clamp(std::lround(level), 0L, highest));
                worst = std::max(worst, std::abs(level - nearest));
            }
            return worst;
        };
        constexpr double kSearchStep = 0.0025;
        guess = 1.0;
        double best = worstAt(*guess);
        for (int i = 1; best > 0.25 && i * kSearchStep <= kLargestPaceDifference; ++i) {
            for (const double candidate : {1.0 - i * kSearchStep, 1.0 + i * kSearchStep}) {
                const double worst = worstAt(candidate);
                if (worst < best) {
                    best = worst;
                    guess = candidate;
                }
            }
        }
    }
    // Then all spaces, at the levels they read as at that pace: the longest levels tell the pace
    // best, where two short spaces with a jittery mark may leave it a per cent off.
    const double pace = fitPace(*guess, highest + 1).value_or(1.0);
    if (std::abs(pace - 1.0) > kLargestPaceDifference)
        return std::nullopt;
    Bits bits;
    for (std::size_t k = 0; k < spaces; ++k) {
        const double period = periodOf(k) / pace;
        const long symbol = symbolOf(period);
        if (!roughlyEqual(frame[at + 2 * k], t.bitMark) || symbol < 0 || symbol > highest ||
            std::abs(period - (shortest + static_cast<double>(symbol) * step)) > 0.4 * step)
            return std::nullopt;
        for (std::size_t i = perSpace; i-- > 0;)
            bits.push_back(((symbol >> i) & 1) != 0);
    }
    if (!isStopMark(frame.back(), t))
        return std::nullopt;
    return bits;
}

// Two bits a mark and space, each part short or long, then the mark that ends the frame.
std::optional<Protocol::Bits> Protocol::readMarkSpace(const Durations& frame, std::size_t at,
                                                      const std::vector<Field>& fields) const
{
    const ProtocolTiming& t = m_row->timing;
    const std::size_t count = bitCount(fields);
    if (frame.size() != at + count + 1)
        return std::nullopt;
    Bits bits;
    for (std::size_t i = 0; i < count; ++i, ++at) {
        const auto isOne = readsAsOne(frame[at], t.zero, t.one);
        if (!isOne)
            return std::nullopt;
        bits.push_back(*isOne);
    }
    if (!isStopMark(frame[at], t))
        return std::nullopt;
    return bits;
}

// A bit's mark tells it, and its space must be the other length; the last bit has no space.
std::optional<Protocol::Bits> Protocol::readPulsePeriods(const Durations& frame, std::size_t bitCount) const
{
    const ProtocolTiming& t = m_row->timing;
    if (frame.size() != 2 * bitCount - 1)
        return std::nullopt;
    Bits bits;
    for (std::size_t i = 0; i < frame.size(); i += 2) {
        const auto isOne = readsAsOne(frame[i], t.zero, t.one);
        if (!isOne)
            return std::nullopt;
        if (i + 1 < frame.size() && readsAsOne(frame[i + 1], t.zero, t.one) != !*isOne)
            return std::nullopt;
        bits.push_back(*isOne);
    }
    return bits;
}

std::optional<Protocol::Bits> Protocol::readBits(const Durations& frame, const std::vector<Field>& fields,
                                                 std::uint32_t leadMark) const
{
    const ProtocolTiming& t = m_row->timing;
    std::size_t at = 0;
    if (leadMark) {
        if (frame.empty() || !roughlyEqual(frame[0], leadMark))
            return std::nullopt;
        ++at;
        if (t.leadSpace) {
            if (frame.size() < 2 || !roughlyEqual(frame[1], t.leadSpace))
                return std::nullopt;
            ++at;
        }
    }
    if (m_row->coding == BitCoding::Biphase || m_row->coding == BitCoding::BiphaseLeadOn)
        return readBiphase(frame, at);

    if (m_row->coding == BitCoding::MarkSpace)
        return readMarkSpace(frame, at, fields);
    if (multiLevelSpaces(m_row->coding))
        return readSymbolSpaces(frame, at, fields);
    if (m_row->coding == BitCoding::PulsePeriod)
        return readPulsePeriods(frame, bitCount(fields));
    const bool distance = isPulseDistance(m_row->coding);
    const bool relative = m_row->coding == BitCoding::Relative;
    bool previous = true;
    std::size_t pairs = 0;
    for (const Field& f : fields)
        pairs += f.kind == Kind::Separator ? 1 : f.width;
    if (frame.size() != at + 2 * pairs + (distance ? 1 : 0))
        return std::nullopt;
    // The part that carries the bit is the space of a pulse-distance code, the mark of a
    // pulse-width one.
    const std::uint32_t zero = t.zero;
    const std::uint32_t one = t.one;
    Bits bits;
    for (const Field& f : fields) {
        if (f.kind == Kind::Separator) {
            if (!roughlyEqual(frame[at], t.bitMark) || !roughlyEqual(frame[at + 1], separatorSpace(f, t)))
                return std::nullopt;
            at += 2;
            continue;
        }
        for (std::size_t i = 0; i < f.width; ++i, at += 2) {
            if (!roughlyEqual(frame[at], t.bitMark))
                return std::nullopt;
            const auto isOne =
                relative ? readsRelative(frame[at + 1], previous, t) : readsAsOne(frame[at + 1], zero, one);
            if (!isOne)
                return std::nullopt;
            bits.push_back(*isOne);
            previous = *isOne;
        }
    }
    if (distance && !isStopMark(frame[at], t))
        return std::nullopt;
    return bits;
}

std::optional<Message> Protocol::read(const Durations& frame, const std::vector<Field>& fields,
                                      Message message, FrameKind kind) const
{
    const auto bits = readBits(frame, fields, leadMarkOf(kind));
    if (!bits)
        return std::nullopt;
    return interpret(*bits, fields, message);
}

std::optional<Message> Protocol::interpret(const Bits& bits, const std::vector<Field>& fields,
                                           Message message) const
{
    if (bits.size() != bitCount(fields))
        return std::nullopt;
    // The fields that carry values give the message; the frame is valid when the message sends
    // exactly these bits, complements, constants and checksums included.
    std::size_t at = 0;
    for (const Field& f : fields) {
        if (f.kind == Kind::Separator)
            continue;
        // A complemented field gives its bits too, where no plain one does (RC5's field bit);
        // where both do, encoding the message below tells whether they agree.
        if (f.takesValue()) {
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < f.width; ++i)
                if (bits[at + i] != f.inverted)
                    value |= 1u << (m_row->msbFirst ? f.width - 1 - i : i);
            const std::uint32_t mask = widthMask(f.width) << f.shift;
            if (f.kind == Kind::Address)
                message.address = (message.address & ~mask) | value << f.shift;
            else if (f.kind == Kind::Command)
                message.command = (message.command & ~mask) | value << f.shift;
            else
                message.toggle = value != 0;
        }
        at += f.width;
    }
    if (encode(message, fields) != bits)
        return std::nullopt;
    return message;
}

std::optional<Message> Protocol::decode(const Durations& frame) const
{
    const auto message = read(frame, m_fields, {});
    if (!message || !accepts(*message))
        return std::nullopt;
    return message;
}

std::optional<Message> Protocol::decodeRepeat(const Durations& frame) const
{
    if (!repeatCarriesMessage())
        return std::nullopt;
    const auto message = read(frame, m_fields, {}, FrameKind::Repeat);
    if (!message || !accepts(*message))
        return std::nullopt;
    return message;
}

std::optional<Message> Protocol::decodeSecondPart(const Durations& frame, const Message& firstPart) const
{
    if (!m_twoPart)
        return std::nullopt;
    const auto message = read(frame, m_repeatFields, firstPart, FrameKind::Repeat);
    if (!message || !accepts(*message))
        return std::nullopt;
    return message;
}

bool Protocol::accepts(const Message& m) const
{
    if ((m.address & ~m_addressMask) != 0 || (m.command & ~m_commandMask) != 0 || (m.toggle && !m_hasToggle))
        return false;
    // A two-part code whose parts are the same is the one-part code sent twice.
    if (m_twoPart && encode(m, m_fields) == encode(m, m_repeatFields))
        return false;
    if (!m_defersTo)
        return true;
    // Both rows send bits alike, so the other row reads this frame when it reads its bits; a
    // two-part code of the other row only where it reads the second part's bits as well.
    auto other = m_defersTo->interpret(encode(m, m_fields), m_defersTo->m_fields, {});
    if (other && m_defersTo->m_twoPart)
        other = m_defersTo->interpret(encode(m, m_repeatFields), m_defersTo->m_repeatFields, *other);
    return !(other && m_defersTo->accepts(*other));
}

std::vector<Protocol> buildProtocols()
{
    std::vector<Protocol> list;
    list.reserve(protocolTable().size());
    for (const ProtocolRow& row : protocolTable())
        list.emplace_back(row);
    for (Protocol& p : list) {
        if (p.row().defersTo.empty())
            continue;
        for (const Protocol& other : list)
            if (other.name() == p.row().defersTo)
                p.m_defersTo = &other;
        if (!p.m_defersTo || p.m_defersTo->m_row->coding != p.m_row->coding ||
            p.m_defersTo->m_row->msbFirst != p.m_row->msbFirst)
            badRow(p.name(), p.row().defersTo);
    }
    return list;
}

std::span<const Protocol> protocols()
{
    static const std::vector<Protocol> list = buildProtocols();
    return list;
}

const Protocol* protocolByNumber(std::uint8_t number, std::uint8_t extension)
{
    for (const Protocol& p : protocols())
        if (p.number() == number && p.extension() == extension)
            return &p;
    return nullptr;
}

const Protocol* protocolByName(std::string_view name)
{
    for (const ProtocolAlias& alias : protocolAliases())
        if (alias.alias == name)
            name = alias.name;
    for (const Protocol& p : protocols())
        if (p.name() == name)
            return &p;
    return nullptr;
}

} // namespace qmv::codeform
