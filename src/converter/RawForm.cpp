#include "SlotForms.h"
#include "TimingTable.h"

namespace qmv::codeform {

namespace {

constexpr std::size_t kMaxFrames = 0xFF;
constexpr std::size_t kMaxFrameLength = 0xFFFF;

unsigned indexBits(std::size_t tableSize)
{
    unsigned bits = 1;
    while ((std::size_t{1} << bits) < tableSize)
        ++bits;
    return bits;
}

// Table size, timing codes, frame count, each frame's length (two bytes), each gap (one byte),
// then every duration as a table index of as few bits as the table needs.
std::optional<Bytes> rawStream(const Signal& learned, const TimingTable& table)
{
    if (table.size() == 0 || table.size() > 0xFF || learned.frames.size() > kMaxFrames)
        return std::nullopt;
    Bytes stream{static_cast<std::uint8_t>(table.size())};
    stream.insert(stream.end(), table.codes().begin(), table.codes().end());
    stream.push_back(static_cast<std::uint8_t>(learned.frames.size()));
    for (const Durations& frame : learned.frames) {
        if (frame.size() > kMaxFrameLength)
            return std::nullopt;
        stream.push_back(static_cast<std::uint8_t>(frame.size()));
        stream.push_back(static_cast<std::uint8_t>(frame.size() >> 8));
    }
    for (std::uint32_t gap : learned.gapsMs) {
        if (gap > 0xFF)
            return std::nullopt;
        stream.push_back(static_cast<std::uint8_t>(gap));
    }
    BitWriter indices;
    const unsigned bits = indexBits(table.size());
    for (const Durations& frame : learned.frames)
        for (std::uint32_t d : frame)
            indices.write(table.indexOf(d), bits);
    stream.insert(stream.end(), indices.bytes().begin(), indices.bytes().end());
    return stream;
}

std::optional<Signal> readStream(const Bytes& stream)
{
    std::size_t pos = 0;
    auto next = [&]() -> std::optional<std::uint8_t> {
        if (pos >= stream.size())
            return std::nullopt;
        return stream[pos++];
    };
    const auto tableSize = next();
    if (!tableSize || *tableSize == 0 || pos + *tableSize > stream.size())
        return std::nullopt;
    const Bytes codes(stream.begin() + 1, stream.begin() + 1 + *tableSize);
    pos += *tableSize;
    const auto frameCount = next();
    if (!frameCount || *frameCount == 0)
        return std::nullopt;
    std::vector<std::size_t> lengths;
    std::size_t total = 0;
    for (std::size_t f = 0; f < *frameCount; ++f) {
        const auto low = next();
        const auto high = next();
        if (!low || !high)
            return std::nullopt;
        const std::size_t length = *low | static_cast<std::size_t>(*high) << 8;
        if (length % 2 == 0)
            return std::nullopt;
        lengths.push_back(length);
        total += length;
    }
    Signal signal;
    for (std::size_t g = 0; g + 1 < *frameCount; ++g) {
        const auto gap = next();
        if (!gap)
            return std::nullopt;
        signal.gapsMs.push_back(*gap);
    }
    const unsigned bits = indexBits(*tableSize);
    // The slot's last unit may carry up to seven bytes of whatever the memory held before.
    const std::size_t packedBytes = (total * bits + 7) / 8;
    if (packedBytes > stream.size() - pos || stream.size() - pos - packedBytes >= 8)
        return std::nullopt;
    const Bytes packed(stream.begin() + static_cast<std::ptrdiff_t>(pos),
                       stream.begin() + static_cast<std::ptrdiff_t>(pos + packedBytes));
    BitReader reader(packed);
    for (std::size_t length : lengths) {
        Durations frame;
        for (std::size_t i = 0; i < length; ++i) {
            const auto index = reader.read(bits);
            if (!index || *index >= codes.size())
                return std::nullopt;
            frame.push_back(timingValue(codes[*index]));
        }
        signal.frames.push_back(std::move(frame));
    }
    return signal;
}

} // namespace

// The stream's first 16 bytes go into the key record, the rest into the slot. A stream that fits
// the record entirely goes into the slot whole, with a zero first parameter byte saying so, since
// a slot code needs data.
std::optional<SlotCode> rawCode(const Signal& learned, const std::vector<std::uint32_t>& distinctLengths)
{
    // The coarse table is never larger, so the fine one is only tried when the coarse one fails.
    std::optional<Bytes> best;
    for (bool coarse : {true, false}) {
        const auto stream = rawStream(learned, TimingTable::build(distinctLengths, coarse));
        const auto played = stream ? readStream(*stream) : std::nullopt;
        if (played && playsFaithfully(*played, learned)) {
            best = stream;
            break;
        }
    }
    if (!best)
        return std::nullopt;
    SlotCode code;
    if (best->size() > kParameterBytes) {
        code.parameters.assign(best->begin(), best->begin() + kParameterBytes);
        code.data.assign(best->begin() + kParameterBytes, best->end());
    } else {
        code.parameters.assign(kParameterBytes, 0);
        code.data = *best;
    }
    if (code.data.size() > kMaxDataBytes)
        return std::nullopt;
    Bytes whole;
    whole.reserve(code.parameters.size() + code.data.size());
    whole.insert(whole.end(), code.parameters.begin(), code.parameters.end());
    whole.insert(whole.end(), code.data.begin(), code.data.end());
    const std::uint32_t hash = fnv1a(whole);
    code.identifier = {static_cast<std::uint8_t>(kRawFirstByte | ((hash >> 16) & 0x7F)),
                       static_cast<std::uint8_t>(hash >> 8), static_cast<std::uint8_t>(hash)};
    return code;
}

std::optional<Signal> playRaw(const Bytes& parameters, const Bytes& data)
{
    if (parameters.size() != kParameterBytes)
        return std::nullopt;
    if (parameters[0] == 0)
        return readStream(data);
    Bytes stream = parameters;
    stream.insert(stream.end(), data.begin(), data.end());
    return readStream(stream);
}

} // namespace qmv::codeform
