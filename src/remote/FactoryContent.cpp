#include "CodeForm.h"
#include "FactoryImage.h"

namespace qmv::remote {

namespace {

FactoryKey programmedKey(int area, int row, std::uint32_t address, std::uint32_t command)
{
    const auto code = protocolCode("NEC", address, command);
    return {area, row, code->identifier, code->parameters};
}

} // namespace

FactoryContent defaultFactoryContent()
{
    FactoryContent content;
    content.knownIdentifiers = knownIdentifiers();
    // The TV's power and volume keys and the set-top box's power key come programmed.
    content.keys = {
        programmedKey(0, 4, 0x04, 0x08),
        programmedKey(0, 19, 0x04, 0x02),
        programmedKey(1, 4, 0x20, 0x0C),
    };
    return content;
}

} // namespace qmv::remote
