#pragma once

// Builds receiver capture texts group by group, so each test states its signal in the receiver's
// own values.

#include <string>
#include <string_view>

namespace qmv::test {

inline std::string repeatGroup(std::string_view group, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += group;
    return text;
}

inline std::string endMarker()
{
    return repeatGroup("7FFF", 20);
}

// Code groups, end marker and carrier groups, padded with "0" as the receiver's buffer is.
inline std::string captureBuffer(std::string_view groups, std::string_view carrier = "4F4F4F00",
                                 std::size_t size = 10240)
{
    std::string text(groups);
    text += endMarker();
    text += carrier;
    if (text.size() < size)
        text.append(size - text.size(), '0');
    return text;
}

} // namespace qmv::test
