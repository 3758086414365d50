#include "FactoryImage.h"

namespace qmv::remote {

FactoryContent defaultFactoryContent()
{
    FactoryContent content;
    content.knownIdentifiers = {"010000", "020000", "030000"};
    // Power and volume of the TV area and the power key of the set-top box come programmed.
    content.keys = {
        {0, 4, "010000", "04000000000000000800000000000000"},
        {0, 19, "010000", "04000000000000000200000000000000"},
        {1, 4, "010000", "20000000000000000C00000000000000"},
    };
    return content;
}

} // namespace qmv::remote
