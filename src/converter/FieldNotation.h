#pragma once

// The field notation of protocol rows ("A:8,~A:8,C:8,~C:8", described with ProtocolRow): each item
// read into a field once, when the converter builds its protocols.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qmv::codeform {

// One item of a row's field list.
struct ProtocolField
{
    enum class Kind : std::uint8_t { Address, Command, Toggle, Constant, Xor, Sum, NegatedSum, Separator };
    Kind kind = Kind::Constant;
    bool inverted = false;
    std::uint8_t width = 0;     // bits sent
    std::uint8_t shift = 0;     // first address or command bit
    std::uint32_t constant = 0; // separators: the bit periods of their mark and space; 0 for a lead space
    std::uint8_t group = 0;     // checksums: bits per summed group
    std::uint16_t from = 0;     // checksums: the frame's bits they cover
    std::uint16_t to = 0;
    // Weighted sums: one weight a group, in the order sent; none where every group counts once.
    static constexpr std::size_t kMaxWeights = 16;
    std::uint8_t weightCount = 0;
    std::array<std::uint8_t, kMaxWeights> weights{};

    std::uint32_t weight(std::size_t index) const { return weightCount ? weights[index] : 1; }

    bool takesValue() const { return kind == Kind::Address || kind == Kind::Command || kind == Kind::Toggle; }
};

// The fields of a row's notation; a row it cannot read is a fault of the table (std::logic_error).
std::vector<ProtocolField> readFields(std::string_view text, std::string_view name);
// A checksum covers bits sent before it, or a range of the frame that holds its own bits.
void checkChecksums(const std::vector<ProtocolField>& fields, std::string_view name);
// The bits the fields send; separators send none.
std::size_t bitCount(const std::vector<ProtocolField>& fields);
std::uint32_t widthMask(std::size_t width);
// Throws the fault of a row whose `item` cannot be read.
[[noreturn]] void badRow(std::string_view name, std::string_view item);

} // namespace qmv::codeform
