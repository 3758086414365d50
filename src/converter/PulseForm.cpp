#include "SlotForms.h"
#include "TimingTable.h"

#include <algorithm>
#include <map>

namespace qmv::codeform {

namespace {

constexpr std::size_t kMaxClusters = 8;
constexpr std::size_t kMaxTemplates = 4;
constexpr std::size_t kMaxFrames = 16;
constexpr std::uint8_t kDataRun = 0x80;
constexpr std::size_t kMaxRun = 0x7F;

using Pair = std::uint8_t; // mark index << 4 | space index

// A frame's shape: fixed pairs and runs of data bits, then the closing mark.
struct Template
{
    std::vector<std::uint8_t> elements;
    std::uint8_t lastMark = 0;
    std::uint8_t gapMs = 0;

    bool sameShape(const Template& other) const
    {
        return elements == other.elements && lastMark == other.lastMark;
    }
    std::size_t dataBits() const
    {
        std::size_t bits = 0;
        for (std::uint8_t e : elements)
            if (e & kDataRun)
                bits += e & kMaxRun;
        return bits;
    }
};

struct Device
{
    std::vector<std::uint8_t> codes;
    Pair zero = 0;
    Pair one = 0;
    std::vector<Template> templates;
};

Bytes deviceBytes(const Device& device)
{
    Bytes bytes;
    bytes.reserve(4 + device.codes.size());
    bytes.push_back(static_cast<std::uint8_t>(device.codes.size()));
    bytes.insert(bytes.end(), device.codes.begin(), device.codes.end());
    bytes.push_back(device.zero);
    bytes.push_back(device.one);
    bytes.push_back(static_cast<std::uint8_t>(device.templates.size()));
    for (const Template& t : device.templates) {
        bytes.push_back(t.gapMs);
        bytes.push_back(static_cast<std::uint8_t>(t.elements.size()));
        bytes.insert(bytes.end(), t.elements.begin(), t.elements.end());
        bytes.push_back(t.lastMark);
    }
    return bytes;
}

class ByteReader
{
public:
    explicit ByteReader(const Bytes& bytes)
        : m_bytes(bytes)
    {
    }
    std::optional<std::uint8_t> next()
    {
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        return m_bytes[m_pos++];
    }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }

private:
    const Bytes& m_bytes;
    std::size_t m_pos = 0;
};

bool validPair(Pair pair, std::size_t clusters)
{
    return (pair >> 4) < clusters && (pair & 0xF) < clusters;
}

std::optional<Device> readDevice(const Bytes& bytes)
{
    ByteReader reader(bytes);
    Device device;
    const auto count = reader.next();
    if (!count || *count == 0 || *count > kMaxClusters)
        return std::nullopt;
    for (std::size_t i = 0; i < *count; ++i) {
        const auto code = reader.next();
        if (!code)
            return std::nullopt;
        device.codes.push_back(*code);
    }
    const auto zero = reader.next();
    const auto one = reader.next();
    const auto templates = reader.next();
    if (!zero || !one || !templates || !validPair(*zero, *count) || !validPair(*one, *count) ||
        *templates == 0 || *templates > kMaxTemplates)
        return std::nullopt;
    device.zero = *zero;
    device.one = *one;
    for (std::size_t t = 0; t < *templates; ++t) {
        Template shape;
        const auto gap = reader.next();
        const auto elements = reader.next();
        if (!gap || !elements)
            return std::nullopt;
        shape.gapMs = *gap;
        for (std::size_t e = 0; e < *elements; ++e) {
            const auto element = reader.next();
            if (!element || element == kDataRun || (!(*element & kDataRun) && !validPair(*element, *count)))
                return std::nullopt;
            shape.elements.push_back(*element);
        }
        const auto lastMark = reader.next();
        if (!lastMark || *lastMark >= *count)
            return std::nullopt;
        shape.lastMark = *lastMark;
        device.templates.push_back(std::move(shape));
    }
    // The remote keeps code data in whole units of 8 bytes, so the last unit's tail is whatever
    // the memory held before; anything longer than that tail is not this form.
    if (reader.remaining() >= 8)
        return std::nullopt;
    return device;
}

void appendPair(Durations& frame, const Device& device, Pair pair)
{
    frame.push_back(timingValue(device.codes[pair >> 4]));
    frame.push_back(timingValue(device.codes[pair & 0xF]));
}

// Learned frames as pairs of table indices.
struct PairedFrame
{
    std::vector<Pair> pairs;
    std::uint8_t lastMark;
};

std::vector<PairedFrame> pairFrames(const Signal& learned, const TimingTable& table)
{
    std::vector<PairedFrame> frames;
    for (const Durations& frame : learned.frames) {
        PairedFrame paired;
        for (std::size_t i = 0; i + 1 < frame.size(); i += 2)
            paired.pairs.push_back(
                static_cast<Pair>(table.indexOf(frame[i]) << 4 | table.indexOf(frame[i + 1])));
        paired.lastMark = table.indexOf(frame.back());
        frames.push_back(std::move(paired));
    }
    return frames;
}

// The two most frequent pairs carry the data; the shorter of them is a zero.
std::optional<std::pair<Pair, Pair>> dataPairs(const std::vector<PairedFrame>& frames, const Device& device)
{
    std::map<Pair, std::size_t> counts;
    for (const PairedFrame& frame : frames)
        for (Pair pair : frame.pairs)
            ++counts[pair];
    if (counts.size() < 2)
        return std::nullopt;
    std::vector<std::pair<std::size_t, Pair>> ranked;
    ranked.reserve(counts.size());
    for (const auto& [pair, count] : counts)
        ranked.emplace_back(count, pair);
    std::sort(ranked.rbegin(), ranked.rend());
    Pair a = ranked[0].second;
    Pair b = ranked[1].second;
    auto length = [&](Pair p) {
        return timingValue(device.codes[p >> 4]) + timingValue(device.codes[p & 0xF]);
    };
    if (length(b) < length(a))
        std::swap(a, b);
    return std::make_pair(a, b);
}

struct FrameData
{
    std::size_t templateIndex;
    std::vector<bool> bits;
};

// `tooManyBits` tells the caller that a finer table cannot help: the key's own bits overflow.
std::optional<SlotCode> pulseCodeWith(const Signal& learned, const std::vector<std::uint32_t>& lengths,
                                      bool coarse, bool* tooManyBits)
{
    const TimingTable table = TimingTable::build(lengths, coarse);
    if (table.size() > kMaxClusters || learned.frames.size() > kMaxFrames)
        return std::nullopt;
    Device device;
    device.codes = table.codes();
    const auto frames = pairFrames(learned, table);
    const auto data = dataPairs(frames, device);
    if (!data)
        return std::nullopt;
    device.zero = data->first;
    device.one = data->second;
    const auto firstFrameBits = std::count_if(frames.front().pairs.begin(), frames.front().pairs.end(),
                                              [&](Pair p) { return p == device.zero || p == device.one; });
    if (static_cast<std::size_t>(firstFrameBits) > kParameterBytes * 8) {
        *tooManyBits = true;
        return std::nullopt;
    }

    std::vector<FrameData> frameData;
    for (const PairedFrame& frame : frames) {
        Template shape;
        shape.lastMark = frame.lastMark;
        FrameData fd;
        for (Pair pair : frame.pairs) {
            const bool isData = pair == device.zero || pair == device.one;
            if (!isData) {
                shape.elements.push_back(pair);
                continue;
            }
            fd.bits.push_back(pair == device.one);
            if (!shape.elements.empty() && (shape.elements.back() & kDataRun) &&
                (shape.elements.back() & kMaxRun) < kMaxRun)
                ++shape.elements.back();
            else
                shape.elements.push_back(kDataRun | 1);
        }
        if (shape.elements.size() > 0xFF)
            return std::nullopt;
        auto found = std::find_if(device.templates.begin(), device.templates.end(),
                                  [&](const Template& t) { return t.sameShape(shape); });
        if (found == device.templates.end()) {
            if (device.templates.size() == kMaxTemplates)
                return std::nullopt;
            device.templates.push_back(shape);
            found = device.templates.end() - 1;
        }
        fd.templateIndex = static_cast<std::size_t>(found - device.templates.begin());
        frameData.push_back(std::move(fd));
    }

    // Each template's gap is the shortest after a frame of it; a key's gaps may be 1 ms longer.
    std::vector<std::uint32_t> gaps(device.templates.size(), 0xFFFFFFFF);
    for (std::size_t g = 0; g < learned.gapsMs.size(); ++g)
        gaps[frameData[g].templateIndex] = std::min(gaps[frameData[g].templateIndex], learned.gapsMs[g]);
    for (std::size_t t = 0; t < gaps.size(); ++t) {
        if (gaps[t] != 0xFFFFFFFF && gaps[t] > 0xFF)
            return std::nullopt;
        device.templates[t].gapMs = gaps[t] == 0xFFFFFFFF ? 0 : static_cast<std::uint8_t>(gaps[t]);
    }

    BitWriter writer;
    writer.write(static_cast<std::uint32_t>(frameData.size() - 1), 4);
    for (const FrameData& fd : frameData)
        writer.write(static_cast<std::uint32_t>(fd.templateIndex), 2);
    for (std::size_t g = 0; g < learned.gapsMs.size(); ++g) {
        const std::uint32_t extra = learned.gapsMs[g] - device.templates[frameData[g].templateIndex].gapMs;
        if (extra > 1)
            return std::nullopt;
        writer.write(extra, 1);
    }
    for (std::size_t f = 0; f < frameData.size(); ++f) {
        bool repeats = false;
        for (std::size_t p = f; p-- > 0;) {
            if (frameData[p].templateIndex == frameData[f].templateIndex) {
                repeats = frameData[p].bits == frameData[f].bits;
                break;
            }
        }
        if (f > 0)
            writer.write(repeats ? 1 : 0, 1);
        if (!repeats)
            for (bool bit : frameData[f].bits)
                writer.write(bit ? 1 : 0, 1);
    }
    if (writer.bitCount() > kParameterBytes * 8) {
        *tooManyBits = true;
        return std::nullopt;
    }

    SlotCode code;
    code.parameters = writer.bytes();
    code.parameters.resize(kParameterBytes, 0);
    code.data = deviceBytes(device);
    const std::uint32_t hash = fnv1a(code.data);
    code.identifier = {static_cast<std::uint8_t>(kPulseFirstByte | ((hash >> 16) & 0x3F)),
                       static_cast<std::uint8_t>(hash >> 8), static_cast<std::uint8_t>(hash)};
    const auto played = playPulse(code.parameters, code.data);
    if (!played || !playsFaithfully(*played, learned))
        return std::nullopt;
    return code;
}

} // namespace

std::optional<SlotCode> pulseCode(const Signal& learned, const std::vector<std::uint32_t>& distinctLengths)
{
    bool tooManyBits = false;
    if (auto code = pulseCodeWith(learned, distinctLengths, true, &tooManyBits))
        return code;
    if (tooManyBits)
        return std::nullopt;
    return pulseCodeWith(learned, distinctLengths, false, &tooManyBits);
}

std::optional<Signal> playPulse(const Bytes& parameters, const Bytes& data)
{
    const auto device = readDevice(data);
    if (!device || parameters.size() != kParameterBytes)
        return std::nullopt;
    BitReader reader(parameters);
    const auto frameCount = reader.read(4);
    if (!frameCount)
        return std::nullopt;
    const std::size_t frames = *frameCount + 1;
    std::vector<std::size_t> templates;
    for (std::size_t f = 0; f < frames; ++f) {
        const auto index = reader.read(2);
        if (!index || *index >= device->templates.size())
            return std::nullopt;
        templates.push_back(*index);
    }
    Signal signal;
    for (std::size_t g = 0; g + 1 < frames; ++g) {
        const auto extra = reader.read(1);
        if (!extra)
            return std::nullopt;
        signal.gapsMs.push_back(device->templates[templates[g]].gapMs + *extra);
    }
    std::vector<std::vector<bool>> bitsOf(frames);
    for (std::size_t f = 0; f < frames; ++f) {
        const Template& shape = device->templates[templates[f]];
        const auto repeats = f > 0 ? reader.read(1) : std::optional<std::uint32_t>(0);
        if (!repeats)
            return std::nullopt;
        if (*repeats) {
            std::size_t p = f;
            while (p-- > 0 && templates[p] != templates[f]) {
            }
            if (p >= f)
                return std::nullopt;
            bitsOf[f] = bitsOf[p];
        } else {
            for (std::size_t b = 0; b < shape.dataBits(); ++b) {
                const auto bit = reader.read(1);
                if (!bit)
                    return std::nullopt;
                bitsOf[f].push_back(*bit != 0);
            }
        }
        Durations frame;
        std::size_t nextBit = 0;
        for (std::uint8_t element : shape.elements) {
            if (!(element & kDataRun)) {
                appendPair(frame, *device, element);
                continue;
            }
            for (std::size_t i = 0; i < (element & kMaxRun); ++i)
                appendPair(frame, *device, bitsOf[f][nextBit++] ? device->one : device->zero);
        }
        frame.push_back(timingValue(device->codes[shape.lastMark]));
        signal.frames.push_back(std::move(frame));
    }
    return signal;
}

} // namespace qmv::codeform
