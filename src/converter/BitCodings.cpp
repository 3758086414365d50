#include "BitCodings.h"

#include "FieldNotation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qmv::codeform {

namespace {

using Field = ProtocolField;
using Kind = Field::Kind;

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

// Manchester codes: the frame as a run of half-bit levels.
using Levels = std::vector<bool>;

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

bool isPulseDistance(BitCoding coding)
{
    return coding == BitCoding::PulseDistance || coding == BitCoding::Relative;
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

} // namespace qmv::codeform
