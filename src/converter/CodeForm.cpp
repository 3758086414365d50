#include "CodeForm.h"

#include "HexBytes.h"
#include "ProtocolForm.h"
#include "SlotForms.h"
#include "TimingTable.h"

#include <cmath>
#include <cstdio>

namespace qmv {

using namespace codeform;

namespace {

constexpr std::size_t kMaxBodyChars = 1 << 16;
constexpr std::uint32_t kSlotCodeCarrierHz = 38000;
constexpr std::uint32_t kLeadOutUs = 20000;
// The two parts of a two-part code follow each other as a remote's repeated frames do.
constexpr std::uint8_t kPartGapMs = 40;

Bytes protocolIdentifier(const Protocol& protocol)
{
    return {protocol.number(), 0, 0};
}

StoredCode stored(const Bytes& identifier, const Bytes& parameters, const Bytes& data)
{
    return {toHex(identifier), toHex(parameters), toHex(data)};
}

// The protocol of a protocol-form code; rows of the extension number by the address's top byte.
const Protocol* directProtocol(const Bytes& identifier, const Bytes& parameters)
{
    if (identifier.size() != 3 || identifier[1] != 0 || identifier[2] != 0)
        return nullptr;
    if (identifier[0] != kExtensionNumber)
        return protocolByNumber(identifier[0]);
    return parameters.size() * 2 == kParameterChars ? protocolByNumber(identifier[0], parameters[3])
                                                    : nullptr;
}

std::string byteList(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF, value >> 24);
    return text;
}

std::optional<StoredCode> storedFromSignal(const Signal& learned)
{
    if (const auto code = recognise(learned))
        return stored(protocolIdentifier(*code->protocol), packParameters(*code), {});
    const auto lengths = TimingTable::distinctLengths(learned);
    if (const auto code = pulseCode(learned, lengths))
        return stored(code->identifier, code->parameters, code->data);
    if (const auto code = rawCode(learned, lengths))
        return stored(code->identifier, code->parameters, code->data);
    return std::nullopt;
}

} // namespace

std::string convert(std::string_view encodedBody)
{
    if (encodedBody.size() > kMaxBodyChars)
        return {};
    const auto learned = parseEncodedBody(encodedBody);
    if (!learned)
        return {};
    const auto code = storedFromSignal(*learned);
    return code ? converterOutput(*code) : std::string();
}

std::vector<std::string> knownIdentifiers()
{
    std::vector<std::string> identifiers;
    for (const Protocol& protocol : protocols())
        if (protocol.extension() <= 1) // one identifier for all extension rows
            identifiers.push_back(toHex(protocolIdentifier(protocol)));
    return identifiers;
}

std::optional<Playback> play(std::string_view identifier, std::string_view parameters,
                             std::string_view slotData)
{
    const auto id = fromHex(identifier);
    const auto params = fromHex(parameters);
    const auto data = fromHex(slotData);
    if (!id || id->size() != 3 || !params || params->size() * 2 != kParameterChars || !data)
        return std::nullopt;
    if (const Protocol* protocol = directProtocol(*id, *params)) {
        const auto code = unpackParameters(*protocol, *params);
        if (!code)
            return std::nullopt;
        return toPlayback(render(*code), protocol->carrierHz());
    }
    std::optional<Signal> signal;
    if ((*id)[0] >= kRawFirstByte)
        signal = playRaw(*params, *data);
    else if ((*id)[0] >= kPulseFirstByte)
        signal = playPulse(*params, *data);
    if (!signal)
        return std::nullopt;
    return toPlayback(*signal, kSlotCodeCarrierHz);
}

std::string toPronto(const Playback& playback)
{
    if (playback.carrierHz == 0 || playback.durations.empty())
        return {};
    std::vector<std::uint32_t> durations = playback.durations;
    if (durations.size() % 2 == 1)
        durations.push_back(kLeadOutUs);
    const double cycleUs = 1e6 / playback.carrierHz;
    const auto frequencyWord = static_cast<unsigned>(std::lround(1e6 / (playback.carrierHz * 0.241246)));
    std::string text;
    char word[8];
    auto add = [&](unsigned value) {
        std::snprintf(word, sizeof word, text.empty() ? "%04X" : " %04X", value & 0xFFFF);
        text += word;
    };
    add(0);
    add(frequencyWord);
    add(static_cast<unsigned>(durations.size() / 2));
    add(0);
    for (std::uint32_t d : durations)
        add(static_cast<unsigned>(std::max(1L, std::lround(d / cycleUs))));
    return text;
}

std::optional<ProtocolInfo> describe(std::string_view identifier, std::string_view parameters)
{
    const auto id = fromHex(identifier);
    const auto params = fromHex(parameters);
    if (!id || !params)
        return std::nullopt;
    const Protocol* protocol = directProtocol(*id, *params);
    if (!protocol) {
        // The pulse form is a generic pulse code: what its bits mean is not known.
        if (id->size() == 3 && (*id)[0] >= kPulseFirstByte && (*id)[0] < kRawFirstByte)
            return ProtocolInfo{std::string(kGenericProtocol), {}, {}};
        return std::nullopt;
    }
    const auto code = unpackParameters(*protocol, *params);
    if (!code)
        return std::nullopt;
    return ProtocolInfo{std::string(protocol->name()), byteList(code->message.address),
                        byteList(code->message.command)};
}

std::optional<StoredCode> protocolCode(std::string_view protocolName, std::uint32_t address,
                                       std::uint32_t command)
{
    const Protocol* protocol = protocolByName(protocolName);
    if (!protocol)
        return std::nullopt;
    ProtocolCode code;
    code.protocol = protocol;
    code.message = {address, command, false};
    if (!protocol->accepts(code.message))
        return std::nullopt;
    if (protocol->hasSecondPart()) {
        code.frameCount = 2;
        code.gapAfterFull = kPartGapMs;
    }
    return stored(protocolIdentifier(*protocol), packParameters(code), {});
}

std::vector<std::string> protocolNames()
{
    std::vector<std::string> names;
    for (const Protocol& protocol : protocols())
        names.emplace_back(protocol.name());
    return names;
}

} // namespace qmv
