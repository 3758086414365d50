#include "TimingTable.h"

#include <algorithm>

namespace qmv::codeform {

namespace {

std::uint8_t codeFor(std::uint32_t low, std::uint32_t high, bool coarse)
{
    std::uint8_t code = timingCode(low + (high - low) / 2);
    if (coarse && code % 2 == 1 && code < 255)
        ++code;
    return code;
}

bool covers(std::uint8_t code, std::uint32_t low, std::uint32_t high)
{
    return closeEnough(timingValue(code), low) && closeEnough(timingValue(code), high);
}

} // namespace

std::vector<std::uint32_t> TimingTable::distinctLengths(const Signal& signal)
{
    std::vector<std::uint32_t> values;
    for (const Durations& frame : signal.frames)
        values.insert(values.end(), frame.begin(), frame.end());
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

TimingTable TimingTable::build(const std::vector<std::uint32_t>& values, bool coarse)
{
    TimingTable table;
    std::size_t start = 0;
    while (start < values.size()) {
        std::size_t end = start + 1;
        while (end < values.size() &&
               covers(codeFor(values[start], values[end], coarse), values[start], values[end]))
            ++end;
        table.m_codes.push_back(codeFor(values[start], values[end - 1], coarse));
        table.m_upperBounds.push_back(values[end - 1]);
        start = end;
    }
    return table;
}

std::uint8_t TimingTable::indexOf(std::uint32_t microseconds) const
{
    const auto it = std::lower_bound(m_upperBounds.begin(), m_upperBounds.end(), microseconds);
    const auto index = static_cast<std::size_t>(
        std::min(it - m_upperBounds.begin(), static_cast<std::ptrdiff_t>(m_codes.size()) - 1));
    return static_cast<std::uint8_t>(index);
}

} // namespace qmv::codeform
