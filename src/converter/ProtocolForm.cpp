#include "ProtocolForm.h"

#include "StoredCode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qmv::codeform {

namespace {

// The record's parameter bytes of a protocol code:
// 0-3 address (its top byte the extension number of extension rows; the top six bits of the rest the
// marks of a last frame cut short), 4-5 command (low byte first), 6 toggle flag and frame count, 7
// alternation flag and first repeat frame, 8-9 gaps after full and repeat frames (ms; in rows with a
// frame pause, zero joins the frames as the receiver heard them), 10 longer-gap bits, 11-15 trims.
constexpr std::size_t kAddressAt = 0;
constexpr std::size_t kCommandAt = 4;
constexpr std::size_t kCommandBytes = 2;
constexpr std::size_t kFramesAt = 6;
constexpr std::size_t kRepeatAt = 7;
constexpr std::size_t kGapsAt = 8;
constexpr std::size_t kLongerGapsAt = 10;
constexpr std::size_t kTrimsAt = 11;
// Extension rows keep their extension number in the address's top byte.
constexpr unsigned kExtensionShift = 24;
static_assert(kTrimsAt + kTimingClasses <= kParameterBytes, "every timing class needs its trim byte");
constexpr std::uint8_t kToggleFlag = 0x80;
constexpr std::uint8_t kAlternatingFlag = 0x80;
constexpr std::size_t kMaxFrames = 0x7F;
constexpr std::size_t kLongerGapBits = 8;
// A last frame cut short keeps its marks, one to 63, in the six address bits below the extension
// number (extension rows) or at the top (the others). No address ever reached them: every code
// stored before holds zero there, a whole last frame.
constexpr unsigned kCutBits = 6;
constexpr std::uint32_t kMaxCutMarks = (1u << kCutBits) - 1;

unsigned cutShift(const Protocol& protocol)
{
    return (protocol.extension() ? kExtensionShift : 32) - kCutBits;
}

// Rows whose addresses leave those bits free; the others keep their last frames whole.
bool canCutShort(const Protocol& protocol)
{
    return (protocol.addressMask() >> cutShift(protocol)) == 0;
}

std::uint32_t trimmed(std::uint32_t nominalUs, std::int8_t trim)
{
    const double scale = (256.0 + trim) / 256.0;
    return static_cast<std::uint32_t>(std::lround(nominalUs * scale));
}

std::uint32_t trimmed(const Pulse& pulse, const std::array<std::int8_t, kTimingClasses>& trims)
{
    return trimmed(pulse.nominalUs, trims[pulse.timingClass]);
}

// A space of a protocol frame that the receiver takes for a gap between frames.
bool isReceiverGap(std::size_t index, std::uint32_t microseconds)
{
    return index % 2 == 1 && microseconds >= kReceiverGapUs;
}

Message held(Message message)
{
    message.toggle = true;
    return message;
}

FrameKind kindOf(const ProtocolCode& code, std::size_t frame)
{
    if (code.alternating)
        return frame % 2 == 1 ? FrameKind::Repeat : FrameKind::Full;
    return frame >= code.firstRepeat ? FrameKind::Repeat : FrameKind::Full;
}

// Alternating codes whose repeat frame carries the toggle set it once the key is held (XMP).
bool isHeldFrame(const ProtocolCode& code, std::size_t frame)
{
    return code.alternating && code.firstRepeat > 1 && frame >= code.firstRepeat && frame % 2 == 1;
}

// A code's frames at standard timing, rendered once for all its frames.
struct Trains
{
    PulseTrain full;
    PulseTrain repeat;
    PulseTrain heldRepeat;

    explicit Trains(const ProtocolCode& code)
        : full(code.protocol->render(code.message, FrameKind::Full))
        , repeat(code.protocol->render(code.message, FrameKind::Repeat))
        , heldRepeat(code.alternating && code.firstRepeat > 1
                         ? code.protocol->render(held(code.message), FrameKind::Repeat)
                         : PulseTrain{})
    {
    }
    const PulseTrain& of(const ProtocolCode& code, std::size_t frame) const
    {
        if (isHeldFrame(code, frame))
            return heldRepeat;
        return kindOf(code, frame) == FrameKind::Full ? full : repeat;
    }
};

// The gap in milliseconds after one of the code's frames.
std::uint32_t gapAfter(const ProtocolCode& code, std::size_t frame)
{
    std::uint32_t gap = kindOf(code, frame) == FrameKind::Full ? code.gapAfterFull : code.gapAfterRepeat;
    if (frame < kLongerGapBits && ((code.longerGaps >> frame) & 1u))
        ++gap;
    return gap;
}

// The code's pulses as the learned signal holds them: `startFrame(gapMs)` before each learned
// frame, `pulse(p)` for each mark and space. Where frames follow each other too closely for the
// receiver to break them apart (a gap of zero in a row with a frame pause), the next frame
// continues the learned frame after the joining space.
template <typename StartFrame, typename OnPulse>
void walkPulses(const ProtocolCode& code, StartFrame startFrame, OnPulse pulse)
{
    const Trains trains(code);
    const bool joins = code.protocol->joinedFrameSize() != 0;
    for (std::size_t f = 0; f < code.frameCount; ++f) {
        const std::uint32_t gap = f > 0 ? gapAfter(code, f - 1) : 0;
        if (f > 0 && joins && gap == 0)
            pulse(code.protocol->joiningSpace(trains.of(code, f - 1)));
        else
            startFrame(gap);
        const PulseTrain& train = trains.of(code, f);
        const bool cut = f + 1 == code.frameCount && code.cutAfter != 0;
        const std::size_t length = cut ? std::min<std::size_t>(code.cutAfter, train.size()) : train.size();
        for (std::size_t i = 0; i < length; ++i)
            pulse(train[i]);
    }
}

bool matchesRoughly(const Durations& frame, const PulseTrain& train)
{
    if (frame.size() != train.size())
        return false;
    for (std::size_t i = 0; i < frame.size(); ++i)
        if (!roughlyEqual(frame[i], train[i].nominalUs))
            return false;
    return true;
}

// Frame kinds in order: full frames, then repeat frames (all of them where the capture began while
// the key was held); nullopt for any other arrangement.
std::optional<std::size_t> firstRepeatFrame(const Protocol& protocol, const Message& message,
                                            const Signal& learned, bool startsHeld)
{
    const PulseTrain full = protocol.render(message, FrameKind::Full);
    const PulseTrain repeat = protocol.render(message, FrameKind::Repeat);
    std::size_t firstRepeat = startsHeld ? 0 : learned.frames.size();
    for (std::size_t f = startsHeld ? 0 : 1; f < learned.frames.size(); ++f) {
        const bool isFull = f < firstRepeat && matchesRoughly(learned.frames[f], full);
        if (isFull)
            continue;
        if (!protocol.hasRepeatFrame() || !matchesRoughly(learned.frames[f], repeat))
            return std::nullopt;
        firstRepeat = std::min(firstRepeat, f);
    }
    return firstRepeat;
}

// Sharp-style codes send every frame followed by its inverted twin. Gives the first repeat frame
// with the toggle set once the key is held, 1 where there is none; nullopt where frames do not
// alternate.
std::optional<std::size_t> framesAlternate(const Protocol& protocol, const Message& message,
                                           const Signal& learned)
{
    if (!protocol.alternates() || learned.frames.size() < 3)
        return std::nullopt;
    const PulseTrain full = protocol.render(message, FrameKind::Full);
    const PulseTrain repeat = protocol.render(message, FrameKind::Repeat);
    const PulseTrain heldRepeat = protocol.render(held(message), FrameKind::Repeat);
    std::size_t firstHeld = 1;
    for (std::size_t f = 1; f < learned.frames.size(); ++f) {
        if (f % 2 == 0) {
            if (!matchesRoughly(learned.frames[f], full))
                return std::nullopt;
        } else if (firstHeld == 1 && matchesRoughly(learned.frames[f], repeat)) {
            continue;
        } else if (heldRepeat != repeat && matchesRoughly(learned.frames[f], heldRepeat)) {
            firstHeld = firstHeld == 1 ? f : firstHeld;
        } else {
            return std::nullopt;
        }
    }
    return firstHeld;
}

// Each class's trim centred between its shortest and longest learned ratio to the standard length,
// which keeps the widest deviation from the standard lengths smallest; or, `relative`, at the
// ratios' harmonic mean, which keeps the widest deviation relative to the learned lengths smallest,
// as playing faithfully measures it.
std::optional<std::array<std::int8_t, kTimingClasses>> fitTrims(const ProtocolCode& code,
                                                                const Signal& learned, bool relative)
{
    std::array<double, kTimingClasses> low;
    std::array<double, kTimingClasses> high;
    low.fill(1e9);
    high.fill(0);
    std::size_t frames = 0; // learned frames begun
    std::size_t at = 0;
    bool fits = true;
    walkPulses(
        code,
        [&](std::uint32_t) {
            ++frames;
            at = 0;
        },
        [&](const Pulse& pulse) {
            if (frames > learned.frames.size() || at >= learned.frames[frames - 1].size()) {
                fits = false;
                return;
            }
            const double ratio = static_cast<double>(learned.frames[frames - 1][at++]) / pulse.nominalUs;
            low[pulse.timingClass] = std::min(low[pulse.timingClass], ratio);
            high[pulse.timingClass] = std::max(high[pulse.timingClass], ratio);
        });
    if (!fits)
        return std::nullopt;
    std::array<std::int8_t, kTimingClasses> trims{};
    for (std::size_t c = 0; c < kTimingClasses; ++c) {
        if (high[c] == 0)
            continue;
        const double centre = relative ? 2 * low[c] * high[c] / (low[c] + high[c]) : (low[c] + high[c]) / 2;
        const long trim = std::lround((centre - 1.0) * 256.0);
        if (trim < -128 || trim > 127)
            return std::nullopt;
        trims[c] = static_cast<std::int8_t>(trim);
    }
    return trims;
}

// The learned gaps inside a protocol frame are whole milliseconds, which the played frame must hit
// exactly: each class that holds such a space takes the trim nearest its centred one that makes
// every one of them the same millisecond (and still a gap). `frames` holds the gaps back in
// microseconds, each in the middle of its millisecond.
bool fitReceiverGapTrims(const ProtocolCode& code, const Signal& frames,
                         std::array<std::int8_t, kTimingClasses>& trims)
{
    struct Gap
    {
        std::uint32_t nominalUs;
        std::uint32_t ms;
    };
    std::array<std::vector<Gap>, kTimingClasses> gaps;
    const Trains trains(code);
    for (std::size_t f = 0; f < frames.frames.size(); ++f) {
        const PulseTrain& train = trains.of(code, f);
        for (std::size_t i = 0; i < train.size(); ++i)
            if (isReceiverGap(i, train[i].nominalUs))
                gaps[train[i].timingClass].push_back({train[i].nominalUs, frames.frames[f][i] / 1000});
    }
    for (std::size_t c = 0; c < kTimingClasses; ++c) {
        if (gaps[c].empty())
            continue;
        const auto hitsEvery = [&](int trim) {
            return std::all_of(gaps[c].begin(), gaps[c].end(), [trim](const Gap& gap) {
                const std::uint32_t played = trimmed(gap.nominalUs, static_cast<std::int8_t>(trim));
                return played >= kReceiverGapUs && played / 1000 == gap.ms;
            });
        };
        std::optional<int> best;
        for (int trim = -128; trim <= 127; ++trim)
            if (hitsEvery(trim) && (!best || std::abs(trim - trims[c]) < std::abs(*best - trims[c])))
                best = trim;
        if (!best)
            return false;
        trims[c] = static_cast<std::int8_t>(*best);
    }
    return true;
}

// The shortest gap after each kind of frame; the others may be one millisecond longer.
bool fitGaps(ProtocolCode& code, const Signal& learned)
{
    std::array<std::uint32_t, 2> base{0xFFFFFFFF, 0xFFFFFFFF};
    for (std::size_t g = 0; g < learned.gapsMs.size(); ++g) {
        auto& b = base[kindOf(code, g) == FrameKind::Full ? 0 : 1];
        b = std::min(b, learned.gapsMs[g]);
    }
    for (auto& b : base)
        if (b == 0xFFFFFFFF)
            b = 0;
    if (base[0] > 0xFF || base[1] > 0xFF)
        return false;
    code.gapAfterFull = static_cast<std::uint8_t>(base[0]);
    code.gapAfterRepeat = static_cast<std::uint8_t>(base[1]);
    code.longerGaps = 0;
    for (std::size_t g = 0; g < learned.gapsMs.size(); ++g) {
        const std::uint32_t b = base[kindOf(code, g) == FrameKind::Full ? 0 : 1];
        if (learned.gapsMs[g] == b)
            continue;
        if (learned.gapsMs[g] != b + 1 || g >= kLongerGapBits)
            return false;
        code.longerGaps |= static_cast<std::uint8_t>(1u << g);
    }
    return true;
}

int deviation(const ProtocolCode& code)
{
    int total = 0;
    for (std::int8_t t : code.trims)
        total += std::abs(t);
    return total;
}

// A two-part code's message is whole once a frame of its second part has been read.
std::optional<Message> wholeMessage(const Protocol& protocol, const Message& firstPart, const Signal& learned)
{
    if (!protocol.hasSecondPart())
        return firstPart;
    for (std::size_t f = 1; f < learned.frames.size(); ++f)
        if (const auto whole = protocol.decodeSecondPart(learned.frames[f], firstPart))
            return whole;
    return std::nullopt;
}

// The frames of a row that the receiver may have joined, apart: a learned frame of k frames holds
// them with the k - 1 joining spaces between; the gap between frames of one learned frame is zero.
bool framesApart(std::size_t frameSize, const Signal& learned, Signal& apart)
{
    apart.frames.clear();
    apart.gapsMs.clear();
    for (std::size_t f = 0; f < learned.frames.size(); ++f) {
        const Durations& frame = learned.frames[f];
        if ((frame.size() + 1) % (frameSize + 1) != 0)
            return false;
        if (f > 0)
            apart.gapsMs.push_back(learned.gapsMs[f - 1]);
        for (std::size_t at = 0; at < frame.size(); at += frameSize + 1) {
            if (at > 0)
                apart.gapsMs.push_back(0);
            const auto begin = frame.begin() + static_cast<std::ptrdiff_t>(at);
            apart.frames.emplace_back(begin, begin + static_cast<std::ptrdiff_t>(frameSize));
        }
    }
    return true;
}

// The gaps and trims of a code whose frame layout is set; true where it then plays faithfully.
bool fitTiming(ProtocolCode& code, const Signal& frames, const Signal& learned)
{
    if (!fitGaps(code, frames))
        return false;
    // Rows handed over in pieces are timed on their frames put back together, whose long spaces
    // then take the trims that play every learned gap in its millisecond.
    const bool inPieces = code.protocol->spansReceiverGaps();
    const Signal& timed = inPieces ? frames : learned;
    // Centring between the learned ratios fits most codes; where a class spans so wide a range that
    // its longest lengths then fall outside, the centre relative to the learned lengths may not.
    std::optional<std::array<std::int8_t, kTimingClasses>> tried;
    for (const bool relative : {false, true}) {
        auto trims = fitTrims(code, timed, relative);
        if (!trims || trims == tried)
            continue;
        tried = trims;
        if (inPieces && !fitReceiverGapTrims(code, frames, *trims))
            continue;
        code.trims = *trims;
        if (playsFaithfully(render(code), learned))
            return true;
    }
    return false;
}

// `frames` are the code's frames: the learned frames; for rows whose frames the receiver may join,
// the frames apart with gaps of zero where they were joined; for rows it hands over in pieces, the
// pieces put back together. `learned` is the signal as the receiver handed it over.
std::optional<ProtocolCode> fit(const Protocol& protocol, const Message& firstFrame, const Signal& frames,
                                const Signal& learned, bool startsHeld)
{
    if (frames.frames.size() > kMaxFrames || learned.frames.size() > kMaxFrames)
        return std::nullopt;
    const auto whole = wholeMessage(protocol, firstFrame, frames);
    if (!whole)
        return std::nullopt;
    const Message& message = *whole;
    ProtocolCode code;
    code.protocol = &protocol;
    code.message = message;
    code.frameCount = static_cast<std::uint8_t>(frames.frames.size());
    const auto firstHeld = framesAlternate(protocol, message, frames);
    code.alternating = firstHeld.has_value();
    if (code.alternating) {
        code.firstRepeat = static_cast<std::uint8_t>(*firstHeld);
    } else {
        const auto firstRepeat = firstRepeatFrame(protocol, message, frames, startsHeld);
        if (!firstRepeat)
            return std::nullopt;
        code.firstRepeat = static_cast<std::uint8_t>(*firstRepeat);
    }
    if (!fitTiming(code, frames, learned))
        return std::nullopt;
    return code;
}

// The code whose first frame is `frames`' first, read as a full frame or, for a capture begun while
// the key was held, as a repeat frame; fitted to all of them.
std::optional<ProtocolCode> readAndFit(const Protocol& protocol, const Signal& frames, const Signal& learned)
{
    bool startsHeld = false;
    auto message = protocol.decode(frames.frames.front());
    if (!message) {
        message = protocol.decodeRepeat(frames.frames.front());
        startsHeld = message.has_value();
    }
    if (!message)
        return std::nullopt;
    return fit(protocol, *message, frames, learned, startsHeld);
}

// A frame cut short follows at least one whole frame, which holds the message, and keeps less than
// the whole of itself.
bool cutFrameIsShort(const ProtocolCode& code)
{
    return code.frameCount >= 2 && Trains(code).of(code, code.frameCount - 1u).size() > code.cutAfter;
}

// A capture that ended inside a frame: the frames before it fitted as one code, then the last frame
// played as that code's next frame, cut where the capture ended. The next frame is of the kind that
// follows; after full frames alone, it may be a full frame again.
std::optional<ProtocolCode> fitCutShort(const Protocol& protocol, const Signal& learned)
{
    if (learned.frames.size() < 2 || !canCutShort(protocol) || protocol.joinedFrameSize() != 0 ||
        protocol.spansReceiverGaps())
        return std::nullopt;
    // Frames end on a mark, so the marks kept give the marks and spaces kept.
    const std::size_t cutAfter = learned.frames.back().size();
    if (cutAfter % 2 == 0 || cutAfter > 2 * kMaxCutMarks - 1 || learned.frames.size() > kMaxFrames)
        return std::nullopt;
    Signal whole = learned;
    whole.frames.pop_back();
    whole.gapsMs.pop_back();
    const auto code = readAndFit(protocol, whole, whole);
    if (!code)
        return std::nullopt;
    std::vector<std::uint8_t> firstRepeats{code->firstRepeat};
    if (!code->alternating && code->firstRepeat == code->frameCount)
        firstRepeats.push_back(static_cast<std::uint8_t>(code->frameCount + 1));
    for (const std::uint8_t firstRepeat : firstRepeats) {
        ProtocolCode cut = *code;
        cut.frameCount = static_cast<std::uint8_t>(code->frameCount + 1);
        cut.firstRepeat = firstRepeat;
        cut.cutAfter = static_cast<std::uint8_t>(cutAfter);
        if (cutFrameIsShort(cut) && fitTiming(cut, learned, learned))
            return cut;
    }
    return std::nullopt;
}

// Receiver frames from `first` on, joined into one protocol frame with the gaps between them back
// in microseconds.
Durations joined(const Signal& received, std::size_t first, std::size_t count)
{
    Durations frame;
    for (std::size_t f = first; f < first + count; ++f) {
        if (f > first)
            frame.push_back(gapMicroseconds(received.gapsMs[f - 1]));
        frame.insert(frame.end(), received.frames[f].begin(), received.frames[f].end());
    }
    return frame;
}

// Whether the received frames from `first` on are the pieces of a protocol frame of this kind.
bool arePieces(const Protocol& protocol, FrameKind kind, const Signal& received, std::size_t first)
{
    const std::vector<std::size_t>& sizes = protocol.receiverPieces(kind);
    if (first + sizes.size() > received.frames.size())
        return false;
    for (std::size_t k = 0; k < sizes.size(); ++k)
        if (received.frames[first + k].size() != sizes[k])
            return false;
    return true;
}

// The received pieces put back together into the protocol's frames, full or repeat; nullopt where
// they do not make whole frames.
std::optional<Signal> protocolFrames(const Protocol& protocol, const Signal& received)
{
    Signal frames;
    for (std::size_t f = 0; f < received.frames.size();) {
        FrameKind kind = FrameKind::Full;
        if (!arePieces(protocol, kind, received, f)) {
            kind = FrameKind::Repeat;
            if (!arePieces(protocol, kind, received, f))
                return std::nullopt;
        }
        const std::size_t pieces = protocol.receiverPieces(kind).size();
        if (f > 0)
            frames.gapsMs.push_back(received.gapsMs[f - 1]);
        frames.frames.push_back(joined(received, f, pieces));
        f += pieces;
    }
    return frames;
}

// A protocol whose frames the receiver hands over in pieces: the first frame is read from its
// pieces joined, and every frame then fitted whole.
std::optional<ProtocolCode> recogniseAcrossGaps(const Protocol& protocol, const Signal& received)
{
    const auto frames = protocolFrames(protocol, received);
    if (!frames)
        return std::nullopt;
    return readAndFit(protocol, *frames, received);
}

void putLe(Bytes& bytes, std::size_t at, std::uint32_t value, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t getLe(const Bytes& bytes, std::size_t at, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

} // namespace

Bytes packParameters(const ProtocolCode& code)
{
    Bytes bytes(kParameterBytes, 0);
    const std::uint32_t extension = static_cast<std::uint32_t>(code.protocol->extension()) << kExtensionShift;
    const std::uint32_t cutMarks = canCutShort(*code.protocol) ? (code.cutAfter + 1u) / 2 : 0;
    putLe(bytes, kAddressAt, code.message.address | extension | cutMarks << cutShift(*code.protocol),
          kCommandAt - kAddressAt);
    putLe(bytes, kCommandAt, code.message.command, kCommandBytes);
    bytes[kFramesAt] = static_cast<std::uint8_t>(code.frameCount | (code.message.toggle ? kToggleFlag : 0));
    bytes[kRepeatAt] =
        static_cast<std::uint8_t>((code.alternating ? kAlternatingFlag : 0) | code.firstRepeat);
    bytes[kGapsAt] = code.gapAfterFull;
    bytes[kGapsAt + 1] = code.gapAfterRepeat;
    bytes[kLongerGapsAt] = code.longerGaps;
    for (std::size_t c = 0; c < kTimingClasses; ++c)
        bytes[kTrimsAt + c] = static_cast<std::uint8_t>(code.trims[c]);
    return bytes;
}

std::optional<ProtocolCode> unpackParameters(const Protocol& protocol, const Bytes& parameters)
{
    if (parameters.size() != kParameterBytes)
        return std::nullopt;
    ProtocolCode code;
    code.protocol = &protocol;
    code.message.address = getLe(parameters, kAddressAt, kCommandAt - kAddressAt);
    if (protocol.extension())
        code.message.address &= (1u << kExtensionShift) - 1;
    if (canCutShort(protocol)) {
        const std::uint32_t cutMarks = code.message.address >> cutShift(protocol);
        code.message.address &= (1u << cutShift(protocol)) - 1;
        code.cutAfter = static_cast<std::uint8_t>(cutMarks ? 2 * cutMarks - 1 : 0);
    }
    code.message.command = getLe(parameters, kCommandAt, kCommandBytes);
    code.message.toggle = (parameters[kFramesAt] & kToggleFlag) != 0;
    code.frameCount = parameters[kFramesAt] & ~kToggleFlag;
    code.alternating = (parameters[kRepeatAt] & kAlternatingFlag) != 0;
    code.firstRepeat = parameters[kRepeatAt] & ~kAlternatingFlag;
    code.gapAfterFull = parameters[kGapsAt];
    code.gapAfterRepeat = parameters[kGapsAt + 1];
    code.longerGaps = parameters[kLongerGapsAt];
    for (std::size_t c = 0; c < kTimingClasses; ++c)
        code.trims[c] = static_cast<std::int8_t>(parameters[kTrimsAt + c]);
    if (code.message.toggle && !protocol.hasToggle())
        code.message.toggle = false;
    if (code.alternating && !protocol.alternates())
        return std::nullopt;
    // Only codes whose repeat frame carries the whole message may start with it.
    if (code.firstRepeat == 0 && (code.alternating || !protocol.repeatCarriesMessage()))
        return std::nullopt;
    if (code.frameCount == 0 || !protocol.accepts(code.message))
        return std::nullopt;
    if (code.cutAfter != 0 && !cutFrameIsShort(code))
        return std::nullopt;
    return code;
}

Signal render(const ProtocolCode& code)
{
    Signal signal;
    walkPulses(
        code,
        [&](std::uint32_t gap) {
            if (!signal.frames.empty())
                signal.gapsMs.push_back(gap);
            signal.frames.emplace_back();
        },
        [&](const Pulse& pulse) { signal.frames.back().push_back(trimmed(pulse, code.trims)); });
    if (!code.protocol->spansReceiverGaps())
        return signal;
    // Played as the receiver takes it: in pieces, with the long spaces as gaps.
    Signal pieces;
    for (std::size_t f = 0; f < signal.frames.size(); ++f) {
        if (f > 0)
            pieces.gapsMs.push_back(signal.gapsMs[f - 1]);
        pieces.frames.emplace_back();
        const Durations& frame = signal.frames[f];
        for (std::size_t i = 0; i < frame.size(); ++i) {
            if (isReceiverGap(i, frame[i])) {
                pieces.gapsMs.push_back(frame[i] / 1000);
                pieces.frames.emplace_back();
            } else {
                pieces.frames.back().push_back(frame[i]);
            }
        }
    }
    return pieces;
    return signal;
}

std::optional<ProtocolCode> recognise(const Signal& learned)
{
    std::optional<ProtocolCode> best;
    const auto keepCloser = [&best](const std::optional<ProtocolCode>& code) {
        if (code && (!best || deviation(*code) < deviation(*best)))
            best = code;
    };
    Signal apart;
    for (const Protocol& protocol : protocols()) {
        std::optional<ProtocolCode> code;
        if (protocol.spansReceiverGaps()) {
            code = recogniseAcrossGaps(protocol, learned);
        } else {
            const Signal* frames = &learned;
            if (protocol.joinedFrameSize()) {
                if (!framesApart(protocol.joinedFrameSize(), learned, apart))
                    continue;
                frames = &apart;
            }
            code = readAndFit(protocol, *frames, learned);
        }
        keepCloser(code);
    }
    if (best)
        return best;
    // Only where no code plays the capture whole, since a code cut short reads less of it.
    for (const Protocol& protocol : protocols())
        keepCloser(fitCutShort(protocol, learned));
    return best;
}

} // namespace qmv::codeform
