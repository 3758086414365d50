#pragma once

#include "ByteStream.h"
#include "ConverterLibrary.h"
#include "LinkLibrary.h"

#include <memory>
#include <optional>
#include <string>

namespace qmv::bridge {

class MessageReader;

// The bridge's side: loads the maker's libraries into this process when asked and answers each
// request by calling the library operation with exactly what a direct caller would pass: a
// zero-filled buffer of the requested size, zero-terminated texts, null where the caller gave null.
class BridgeServer
{
public:
    enum class Outcome { InputEnded, ProtocolBroken };

    // Serves requests until the input ends or a frame breaks the protocol.
    Outcome serve(ByteStream& stream);

private:
    // The reply, or nothing when the request is malformed.
    std::optional<std::string> answer(const std::string& request);
    std::optional<std::string> answerLoad(MessageReader& reader);
    std::optional<std::string> answerLinkOperation(MessageReader& reader);
    std::optional<std::string> answerConvert(MessageReader& reader);

    bool m_greeted = false;
    std::unique_ptr<LinkLibrary> m_link;
    std::unique_ptr<ConverterLibrary> m_converter;
};

} // namespace qmv::bridge
