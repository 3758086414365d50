#include "StoredCode.h"

#include "HexText.h"

#include <algorithm>

namespace qmv {

std::optional<StoredCode> wellFormed(StoredCode code)
{
    if (code.identifier.size() != kIdentifierChars || code.parameters.size() != kParameterChars ||
        code.data.size() % 2 != 0 || !hex::isHex(code.identifier) || !hex::isHex(code.parameters) ||
        !hex::isHex(code.data))
        return std::nullopt;
    return StoredCode{hex::upper(std::move(code.identifier)), hex::upper(std::move(code.parameters)),
                      hex::upper(std::move(code.data))};
}

std::string converterOutput(const StoredCode& code)
{
    return code.identifier + "::" + code.parameters.substr(0, kParameterFieldChars) + ":" +
           code.parameters.substr(std::min(code.parameters.size(), kParameterFieldChars)) + ":::" + code.data;
}

std::optional<StoredCode> readConverterOutput(std::string_view text)
{
    const std::size_t idEnd = text.find("::");
    if (idEnd == std::string_view::npos)
        return std::nullopt;
    const std::string_view identifier = text.substr(0, idEnd);
    const std::string_view rest = text.substr(idEnd + 2);
    const std::size_t p1End = rest.find(':');
    if (p1End == std::string_view::npos)
        return std::nullopt;
    const std::string_view p1 = rest.substr(0, p1End);
    const std::string_view afterP1 = rest.substr(p1End + 1);
    const std::size_t p2End = afterP1.find(":::");
    if (p2End == std::string_view::npos)
        return std::nullopt;
    const std::string_view p2 = afterP1.substr(0, p2End);
    const std::string_view data = afterP1.substr(p2End + 3);
    if (p1.size() != kParameterFieldChars)
        return std::nullopt;
    return wellFormed({std::string(identifier), std::string(p1) + std::string(p2), std::string(data)});
}

std::optional<StoredCode> parseConverterOutput(std::string_view text)
{
    auto code = readConverterOutput(text);
    if (!code || !code->fitsSlot())
        return std::nullopt;
    return code;
}

} // namespace qmv
