#include "RemoteLink.h"

#include <cstdio>
#include <vector>

namespace qmv {

AddressPair splitAddress(std::uint16_t address)
{
    char text[5];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(address));
    return {std::string(text, 2), std::string(text + 2, 2)};
}

RemoteLink::RemoteLink(const LinkFunctions& functions)
    : m_functions(functions)
{
}

std::string RemoteLink::bufferCall(tavrio_bool(TAVRIO_CALL* operation)(char*), std::size_t bufferSize) const
{
    count();
    std::vector<char> buffer(bufferSize, '\0');
    if (!operation(buffer.data()))
        return {};
    return std::string(buffer.data(), buffer.size());
}

bool RemoteLink::linkState() const
{
    count();
    return m_functions.linkState() != 0;
}

std::string RemoteLink::readVersion() const
{
    return bufferCall(m_functions.readVersion, TAVRIO_VERSION_BUFFER);
}

std::string RemoteLink::basicInfo() const
{
    return bufferCall(m_functions.basicInfo, TAVRIO_BASICINFO_BUFFER);
}

std::string RemoteLink::readData(std::uint16_t address, int units, std::size_t bufferSize) const
{
    count();
    // The library fills 16 characters per unit; never hand it a buffer too small for that.
    if (units <= 0 || static_cast<std::size_t>(units) * TAVRIO_CHARS_PER_UNIT > bufferSize)
        return {};
    std::vector<char> buffer(bufferSize, '\0');
    const AddressPair pair = splitAddress(address);
    if (!m_functions.readData(buffer.data(), units, pair.high.c_str(), pair.low.c_str(), readSelector))
        return {};
    return std::string(buffer.data(), buffer.size());
}

bool RemoteLink::writeData(const std::string& deviceTag, std::uint16_t address,
                           const std::string& hexData) const
{
    count();
    const AddressPair pair = splitAddress(address);
    return m_functions.writeData(deviceTag.c_str(), pair.high.c_str(), pair.low.c_str(), hexData.c_str()) !=
           0;
}

bool RemoteLink::setCodeCarrierWave() const
{
    count();
    return m_functions.setCodeCarrierWave() != 0;
}

std::string RemoteLink::collectCodeInfo() const
{
    return bufferCall(m_functions.collectCodeInfo, TAVRIO_CAPTURE_BUFFER);
}

} // namespace qmv
