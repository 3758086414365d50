#include "Protocols.h"

#include "BitCodings.h"
#include "FieldNotation.h"

#include <algorithm>

namespace qmv::codeform {

namespace {

using Kind = ProtocolField::Kind;

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
