#include "SampleFile.h"

#include <fstream>
#include <sstream>

namespace qmv::bench {

std::string canonicalProtocol(const std::string& protocol, std::uint32_t& address, std::uint32_t& command)
{
    auto complemented = [](std::uint32_t v) {
        return v < 0x10000 && ((v >> 8) ^ (v & 0xFF)) == 0xFF;
    };
    if (protocol == "NECext" && complemented(address) && complemented(command)) {
        address &= 0xFF;
        command &= 0xFF;
        return "NEC";
    }
    // Kaseikyo address: id << 24 | vendor << 8 | genre1 << 4 | genre2; command 10 bits.
    constexpr std::uint32_t kDenonVendor = 0x3254;
    if (protocol == "Kaseikyo" && ((address >> 8) & 0xFFFF) == kDenonVendor && command < 0x400) {
        const std::uint32_t id = address >> 24;
        command |= id << 10;
        address = ((address >> 4) & 0xF) | (address & 0xF) << 4;
        return "Denon-K";
    }
    return protocol;
}

std::optional<std::uint32_t> lowFirstBytes(const std::string& text)
{
    std::istringstream words(text);
    std::string word;
    std::uint32_t value = 0;
    int shift = 0;
    while (words >> word) {
        if (shift > 24 || word.size() != 2)
            return std::nullopt;
        value |= static_cast<std::uint32_t>(std::stoul(word, nullptr, 16)) << shift;
        shift += 8;
    }
    return value;
}

namespace {

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

SampleLine parseLine(const std::vector<std::string>& f)
{
    SampleLine line;
    line.file = f[0];
    line.name = f[1];
    line.raw = f[2] == "raw";
    try {
        if (line.raw) {
            line.carrierHz = static_cast<std::uint32_t>(std::stoul(f[3]));
            std::istringstream numbers(f[5]);
            unsigned long long d = 0;
            while (numbers >> d)
                line.durations.push_back(d > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(d));
        } else {
            line.protocol = f[3];
            const auto address = lowFirstBytes(f[4]);
            const auto command = lowFirstBytes(f[5]);
            line.valid = address && command;
            line.address = address.value_or(0);
            line.command = command.value_or(0);
        }
    } catch (const std::exception&) {
        line.valid = false;
    }
    return line;
}

} // namespace

std::optional<std::vector<SampleLine>> readSample(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    std::vector<SampleLine> lines;
    std::string text;
    while (std::getline(in, text)) {
        const auto fields = splitTabs(text);
        if (fields.size() >= 6 && (fields[2] == "raw" || fields[2] == "parsed"))
            lines.push_back(parseLine(fields));
    }
    return lines;
}

} // namespace qmv::bench
