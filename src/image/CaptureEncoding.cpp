#include "CaptureEncoding.h"

#include "CaptureFormat.h"
#include "EncodedBody.h"
#include "HexText.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace qmv {

namespace {

constexpr std::string_view kLongGroup = "7FFF";
constexpr std::size_t kGroupChars = capture::groupChars;
constexpr std::size_t kEndMarkerGroups = capture::endMarkerGroups;
constexpr std::size_t kCarrierChars = capture::carrierGroups * kGroupChars;
constexpr std::size_t kShortCaptureLimit = 3000;
constexpr long kLongValue = capture::runValue;
constexpr long kReceiverOffset = capture::receiverSkewMicros;

bool isHexDigit(char c)
{
    return hex::digit(c).has_value();
}

// Callers have checked that every character is a hexadecimal digit.
long hexValue(std::string_view text)
{
    return static_cast<long>(hex::value(text).value_or(0));
}

bool isMark(std::string_view group)
{
    return !group.empty() && hexValue(group) >= 0x8000;
}

std::string hexText(long value, int width)
{
    std::string text;
    body::appendHex(text, value, width);
    return text;
}

std::string endMarker()
{
    std::string marker;
    for (std::size_t i = 0; i < kEndMarkerGroups; ++i)
        marker += kLongGroup;
    return marker;
}

// The carrier figure from the two groups that follow the end marker: bytes a and b of the first,
// c of the second, (a + b + c) / 9 being the carrier period in microseconds.
std::optional<std::string> carrierFigure(std::string_view first, std::string_view second)
{
    if (first.size() < 4 || second.size() < 2)
        return std::nullopt;
    const long a = hexValue(first.substr(0, 2));
    const long b = hexValue(first.substr(2, 2));
    const long c = hexValue(second.substr(0, 2));
    if (a == 0 && b == 0 && c == 0)
        return std::string("0000");
    const double period = static_cast<double>(a + b + c) / 9.0;
    const long figure = static_cast<long>(1000.0 / period);
    return hexText(figure, 2) + "12";
}

// One pass over the trimmed groups, turning receiver values into the converter's body.
class CaptureEncoder
{
public:
    explicit CaptureEncoder(std::string_view text)
        : m_text(text)
    {
        m_body.reserve(text.size() + 16); // about one output group per input group
    }

    std::string run()
    {
        while (m_pos < m_text.size()) {
            if (!m_tail && m_text.size() < m_pos + kGroupChars + 1)
                return {};
            std::string_view group;
            if (m_tail && m_text.size() < m_pos + kGroupChars + 1) {
                group = m_text.substr(m_pos);
            } else {
                group = m_text.substr(m_pos, kGroupChars);
                ++m_groupCount;
            }
            const bool isLong = group == kLongGroup;
            if (isLong && m_groupCount % 2 == 1 && hasNextGroup()) {
                if (isMark(nextGroup())) {
                    --m_groupCount;
                    m_merge = true;
                    m_pos += kGroupChars;
                    continue;
                }
                if (!m_tail) {
                    body::appendValue(m_body, kLongValue / 3 - kReceiverOffset);
                    m_pos += kGroupChars;
                    continue;
                }
            }
            if (isLong || m_tail)
                m_run.push_back(group);
            if (isLong && hasNextGroup()) {
                if (nextGroup() == kLongGroup)
                    --m_groupCount;
                m_previous = kLongGroup;
                m_pos += kGroupChars;
                continue;
            }
            if (m_tail && m_run.size() == 2) {
                const auto carrier = carrierFigure(m_run[0], m_run[1]);
                if (!carrier)
                    return {};
                return std::to_string(m_frames == 0 ? 1 : m_frames) + *carrier + m_body;
            }
            const bool afterLong = m_previous == kLongGroup && !isLong;
            if (afterLong && m_run.size() >= kEndMarkerGroups) {
                m_run.assign(1, group);
                ++m_frames;
                body::appendEnd(m_body, m_frames);
                m_tail = true;
            } else if (afterLong && !m_run.empty() && !m_tail && !isMark(group)) {
                appendFrameGap(group);
                continue;
            }
            if (!m_tail)
                appendDuration(group);
            m_previous = group;
            m_pos += kGroupChars;
            m_merge = false;
        }
        return {};
    }

private:
    bool hasNextGroup() const { return m_pos + kGroupChars < m_text.size(); }
    std::string_view nextGroup() const { return m_text.substr(m_pos + kGroupChars, kGroupChars); }

    void appendFrameGap(std::string_view group)
    {
        long gap = static_cast<long>(m_run.size()) * kLongValue + hexValue(group);
        gap = (gap / 3 + kReceiverOffset) / 1000;
        body::appendFrameGap(m_body, gap);
        ++m_frames;
        m_run.clear();
        m_previous = group;
        m_pos += kGroupChars;
        --m_groupCount;
    }

    // The receiver lengthens marks and shortens spaces by the same amount.
    void appendDuration(std::string_view group)
    {
        const long value = hexValue(group);
        if (value >= 0x8000) {
            const long length = (value & 0x7FFF) + (m_merge ? kLongValue : 0);
            body::appendValue(m_body, length / 3 - kReceiverOffset);
        } else {
            body::appendValue(m_body, value / 3 + kReceiverOffset);
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    long m_groupCount = 0;
    long m_frames = 0;
    std::string m_body;
    std::string_view m_previous;
    std::vector<std::string_view> m_run;
    bool m_tail = false;
    bool m_merge = false;
};

} // namespace

std::string TrimCapture(std::string_view capture)
{
    static const std::string marker = endMarker();
    const std::size_t markerAt = capture.find(marker);
    if (markerAt == std::string_view::npos)
        return "0000";
    const std::string_view tail = capture.substr(markerAt, marker.size() + kCarrierChars);
    std::size_t headLength = markerAt;
    // A long head is cut to whole groups. It used to be cut to an odd number of them, to end on a
    // mark; but a long space or mark takes more than one group, so in a code with such a duration
    // (a repeat gap, say) the count says nothing of where the marks are, and that cut lost the
    // code's last mark and space. Whether the head ends on a space is read from the group itself.
    if (markerAt + 1 > kShortCaptureLimit)
        headLength = markerAt / kGroupChars * kGroupChars;
    // A head ending in a space loses that space: the silence before the end marker is no part of the code.
    if (headLength >= kGroupChars) {
        const char lastGroupFirst = capture[headLength - kGroupChars];
        if (hex::digit(lastGroupFirst).value_or(8) < 8)
            headLength -= kGroupChars;
    }
    std::string result(capture.substr(0, headLength));
    result += tail;
    return result;
}

std::string EncodeCapture(std::string_view trimmed)
{
    if (!std::all_of(trimmed.begin(), trimmed.end(), isHexDigit))
        return {};
    return CaptureEncoder(trimmed).run();
}

std::string_view converterBody(std::string_view encoded)
{
    constexpr std::size_t kPrefixChars = 5; // frame count and carrier figure
    return encoded.size() > kPrefixChars ? encoded.substr(kPrefixChars) : std::string_view();
}

} // namespace qmv
