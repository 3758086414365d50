#pragma once

#include "Signal.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qmv::codeform {

// Learned lengths grouped so that one stored timing code stands for each group, every member
// close enough to the code's value.
class TimingTable
{
public:
    // Coarse tables use every other timing code, so two captures of one remote more often agree.
    static TimingTable build(const std::vector<std::uint32_t>& lengths, bool coarse);
    // Every length of the signal once, ascending: what build() takes.
    static std::vector<std::uint32_t> distinctLengths(const Signal& signal);

    std::size_t size() const { return m_codes.size(); }
    const std::vector<std::uint8_t>& codes() const { return m_codes; }
    std::uint8_t indexOf(std::uint32_t microseconds) const;

private:
    std::vector<std::uint8_t> m_codes;
    std::vector<std::uint32_t> m_upperBounds; // largest member of each group, ascending
};

} // namespace qmv::codeform
