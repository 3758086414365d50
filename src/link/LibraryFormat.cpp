#include "LibraryFormat.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace qmv {

namespace {

constexpr std::uint16_t peMachineI386 = 0x014C;
constexpr std::uint16_t peMachineAmd64 = 0x8664;
constexpr std::uint16_t peMachineArm64 = 0xAA64;
// The offset of the PE header lies within the first kilobytes of any real library.
constexpr std::uint32_t maxPeHeaderOffset = 64 * 1024;

std::uint32_t littleEndian(const unsigned char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

int peWordBits(std::ifstream& file)
{
    std::array<unsigned char, 4> offsetBytes{};
    file.seekg(0x3C);
    if (!file.read(reinterpret_cast<char*>(offsetBytes.data()), offsetBytes.size()))
        return 0;
    const std::uint32_t offset = littleEndian(offsetBytes.data(), 4);
    if (offset > maxPeHeaderOffset)
        return 0;
    std::array<unsigned char, 6> header{};
    file.seekg(offset);
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size()))
        return 0;
    if (header[0] != 'P' || header[1] != 'E' || header[2] != 0 || header[3] != 0)
        return 0;
    switch (littleEndian(header.data() + 4, 2)) {
    case peMachineI386:
        return 32;
    case peMachineAmd64:
    case peMachineArm64:
        return 64;
    default:
        return 0;
    }
}

} // namespace

LibraryFormat libraryFormat(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 5> start{};
    if (!file.read(reinterpret_cast<char*>(start.data()), start.size()))
        return {};
    if (start[0] == 'M' && start[1] == 'Z') {
        const int bits = peWordBits(file);
        return {bits != 0, bits};
    }
    if (start[0] == 0x7F && start[1] == 'E' && start[2] == 'L' && start[3] == 'F') {
        constexpr unsigned char elfClass32 = 1;
        constexpr unsigned char elfClass64 = 2;
        return {false, start[4] == elfClass32 ? 32 : start[4] == elfClass64 ? 64 : 0};
    }
    return {};
}

} // namespace qmv
