#include "EncodedBody.h"

#include "HexText.h"

namespace qmv::body {

// Formatted by hand: a capture holds thousands of groups and this runs once per group.
void appendHex(std::string& out, long value, int digits)
{
    constexpr const char* hexDigits = hex::upperDigits;
    const auto bits = static_cast<std::uint32_t>(value);
    if (digits == 4 && value >= 0 && value <= 0xFFFF) {
        const char group[4] = {hexDigits[bits >> 12], hexDigits[(bits >> 8) & 0xF],
                               hexDigits[(bits >> 4) & 0xF], hexDigits[bits & 0xF]};
        out.append(group, 4);
        return;
    }
    int count = value < 0 ? 8 : digits;
    while (count < 8 && (bits >> (4 * count)) != 0)
        ++count;
    for (int i = count - 1; i >= 0; --i)
        out += hexDigits[(bits >> (4 * i)) & 0xF];
}

void appendValue(std::string& body, long value)
{
    appendHex(body, value, kValueChars);
}

void appendFrameGap(std::string& body, long ms)
{
    body += kGapStart;
    appendValue(body, ms);
    body += kGapEnd;
}

void appendEnd(std::string& body, long frames)
{
    // A one-frame code closes with a frame gap of its own.
    constexpr long kOneFrameEndMs = 0x14;
    if (frames == 1) {
        body += kGapStart;
        appendValue(body, kOneFrameEndMs);
    }
    body += kGapEnd;
}

} // namespace qmv::body
