#include "BridgeServer.h"

#include "BridgeProtocol.h"

#include <vector>

namespace qmv::bridge {

namespace {

std::uint32_t truth(tavrio_bool value)
{
    return value != 0 ? 1 : 0;
}

const char* orNull(const std::optional<std::string>& text)
{
    return text ? text->c_str() : nullptr;
}

// Calls a buffer-filling operation with a fresh zero-filled buffer of the requested size and
// replies with the result and the whole buffer.
template <typename Call>
std::optional<std::string> withBuffer(Operation operation, std::uint32_t size, Call call)
{
    if (size == 0 || size > maxBufferBytes)
        return std::nullopt;
    std::vector<char> buffer(size, '\0');
    const std::uint32_t result = truth(call(buffer.data()));
    return MessageWriter(operation)
        .u32(result)
        .bytes(std::string_view(buffer.data(), buffer.size()))
        .payload();
}

} // namespace

BridgeServer::Outcome BridgeServer::serve(ByteStream& stream)
{
    for (;;) {
        auto request = readFrame(stream);
        if (!request)
            return Outcome::InputEnded;
        const auto reply = answer(*request);
        if (!reply)
            return Outcome::ProtocolBroken;
        if (!writeFrame(stream, *reply))
            return Outcome::InputEnded;
    }
}

std::optional<std::string> BridgeServer::answer(const std::string& request)
{
    MessageReader reader(request);
    if (reader.operation() == Operation::Hello) {
        const std::uint32_t magic = reader.u32();
        reader.u32(); // the client's version: it compares, and gives up on a mismatch
        if (!reader.complete() || magic != protocolMagic)
            return std::nullopt;
        m_greeted = true;
        return MessageWriter(Operation::Hello).u32(protocolMagic).u32(protocolVersion).payload();
    }
    if (!m_greeted)
        return std::nullopt;
    switch (reader.operation()) {
    case Operation::Load:
        return answerLoad(reader);
    case Operation::ConvertCode:
        return answerConvert(reader);
    default:
        return answerLinkOperation(reader);
    }
}

std::optional<std::string> BridgeServer::answerLoad(MessageReader& reader)
{
    const auto library = static_cast<Library>(reader.u32());
    const auto folder = reader.text();
    if (!reader.complete() || !folder)
        return std::nullopt;
    std::string error;
    bool loaded = false;
    if (library == Library::Link) {
        m_link = LinkLibrary::loadDirect(*folder, &error);
        loaded = m_link != nullptr;
    } else if (library == Library::Converter) {
        m_converter = ConverterLibrary::loadDirect(*folder, &error);
        loaded = m_converter != nullptr;
    } else {
        return std::nullopt;
    }
    return MessageWriter(Operation::Load).u32(loaded ? 1 : 0).bytes(error).payload();
}

std::optional<std::string> BridgeServer::answerLinkOperation(MessageReader& reader)
{
    if (!m_link)
        return std::nullopt;
    const LinkFunctions& f = m_link->functions();
    const Operation operation = reader.operation();
    switch (operation) {
    case Operation::LinkState:
        if (!reader.complete())
            return std::nullopt;
        return MessageWriter(operation).u32(truth(f.linkState())).payload();
    case Operation::ReadVersion:
    case Operation::BasicInfo:
    case Operation::CollectCode: {
        const std::uint32_t size = reader.u32();
        if (!reader.complete())
            return std::nullopt;
        const auto fill = operation == Operation::ReadVersion ? f.readVersion
                          : operation == Operation::BasicInfo ? f.basicInfo
                                                              : f.collectCodeInfo;
        return withBuffer(operation, size, fill);
    }
    case Operation::ReadData: {
        const std::uint32_t size = reader.u32();
        const auto count = static_cast<int>(reader.u32());
        const auto high = reader.text();
        const auto low = reader.text();
        const auto selector = reader.text();
        if (!reader.complete())
            return std::nullopt;
        return withBuffer(operation, size, [&](char* buffer) {
            return f.readData(buffer, count, orNull(high), orNull(low), orNull(selector));
        });
    }
    case Operation::WriteData: {
        const auto tag = reader.text();
        const auto high = reader.text();
        const auto low = reader.text();
        const auto data = reader.text();
        if (!reader.complete())
            return std::nullopt;
        return MessageWriter(operation)
            .u32(truth(f.writeData(orNull(tag), orNull(high), orNull(low), orNull(data))))
            .payload();
    }
    case Operation::SetCarrierWave:
        if (!reader.complete())
            return std::nullopt;
        return MessageWriter(operation).u32(truth(f.setCodeCarrierWave())).payload();
    default:
        return std::nullopt;
    }
}

std::optional<std::string> BridgeServer::answerConvert(MessageReader& reader)
{
    const auto text = reader.text();
    const auto mode = static_cast<int>(reader.u32());
    if (!reader.complete() || !m_converter)
        return std::nullopt;
    const char* result = m_converter->convertCode()(orNull(text), mode);
    MessageWriter reply(Operation::ConvertCode);
    reply.text(result);
    // A converted text longer than any message would break the frame: it is refused instead.
    if (reply.payload().size() > maxMessageBytes)
        return MessageWriter(Operation::ConvertCode).text("").payload();
    return reply.payload();
}

} // namespace qmv::bridge
