#include "FieldNotation.h"

#include <stdexcept>
#include <string>

namespace qmv::codeform {

namespace {

using Field = ProtocolField;
using Kind = Field::Kind;

bool isChecksum(const Field& f)
{
    return f.kind == Kind::Xor || f.kind == Kind::Sum || f.kind == Kind::NegatedSum;
}

unsigned readNumber(std::string_view text, std::string_view name)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex)
        text.remove_prefix(2);
    if (text.empty())
        badRow(name, text);
    unsigned value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            badRow(name, text);
        value = value * (hex ? 16 : 10) + digit;
    }
    return value;
}

// "^4(0..16)", "+8(20..40)", "-4(0..16)", "+4(4..12/2*7.5.3.1)"
Field readChecksum(std::string_view item, std::string_view name)
{
    const std::size_t open = item.find('(');
    if (open == std::string_view::npos || item.back() != ')')
        badRow(name, item);
    Field field;
    field.kind = item[0] == '^' ? Kind::Xor : item[0] == '+' ? Kind::Sum : Kind::NegatedSum;
    field.width = static_cast<std::uint8_t>(readNumber(item.substr(1, open - 1), name));
    std::string_view range = item.substr(open + 1, item.size() - open - 2);
    std::string_view weights;
    if (const std::size_t star = range.find('*'); star != std::string_view::npos) {
        weights = range.substr(star + 1);
        range = range.substr(0, star);
        if (field.kind == Kind::Xor || weights.empty())
            badRow(name, item);
    }
    unsigned group = field.kind == Kind::Xor ? field.width : 4;
    if (const std::size_t slash = range.find('/'); slash != std::string_view::npos) {
        group = readNumber(range.substr(slash + 1), name);
        range = range.substr(0, slash);
    }
    const std::size_t dots = range.find("..");
    if (dots == std::string_view::npos || group == 0 || group > 8)
        badRow(name, item);
    field.group = static_cast<std::uint8_t>(group);
    field.from = static_cast<std::uint16_t>(readNumber(range.substr(0, dots), name));
    field.to = static_cast<std::uint16_t>(readNumber(range.substr(dots + 2), name));
    if (field.width == 0 || field.width > 8 || field.to <= field.from ||
        (field.to - field.from) % field.group)
        badRow(name, item);
    while (!weights.empty()) {
        const std::size_t dot = weights.find('.');
        const unsigned weight = readNumber(weights.substr(0, dot), name);
        if (field.weightCount == Field::kMaxWeights || weight > 0xFF)
            badRow(name, item);
        field.weights[field.weightCount++] = static_cast<std::uint8_t>(weight);
        weights = dot == std::string_view::npos ? std::string_view() : weights.substr(dot + 1);
        if (dot != std::string_view::npos && weights.empty())
            badRow(name, item);
    }
    if (field.weightCount && field.weightCount != (field.to - field.from) / field.group)
        badRow(name, item);
    return field;
}

Field readField(std::string_view item, std::string_view name)
{
    if (item == "|")
        return Field{Kind::Separator};
    if (item.front() == '|') {
        Field field{Kind::Separator};
        field.constant = readNumber(item.substr(1), name);
        if (field.constant == 0)
            badRow(name, item);
        return field;
    }
    if (item.front() == '^' || item.front() == '+' || item.front() == '-')
        return readChecksum(item, name);
    Field field;
    if (item.front() == '~') {
        field.inverted = true;
        item.remove_prefix(1);
    }
    const std::size_t colon = item.find(':');
    if (colon == std::string_view::npos)
        badRow(name, item);
    const std::string_view head = item.substr(0, colon);
    std::string_view rest = item.substr(colon + 1);
    const std::size_t second = rest.find(':');
    field.width = static_cast<std::uint8_t>(readNumber(rest.substr(0, second), name));
    if (second != std::string_view::npos)
        field.shift = static_cast<std::uint8_t>(readNumber(rest.substr(second + 1), name));
    if (head == "A")
        field.kind = Kind::Address;
    else if (head == "C")
        field.kind = Kind::Command;
    else if (head == "T")
        field.kind = Kind::Toggle;
    else
        field.constant = readNumber(head, name);
    if (field.width == 0 || field.width + field.shift > 32)
        badRow(name, item);
    return field;
}

} // namespace

void badRow(std::string_view name, std::string_view item)
{
    throw std::logic_error("protocol " + std::string(name) + ": cannot read field " + std::string(item));
}

std::uint32_t widthMask(std::size_t width)
{
    return width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
}

void checkChecksums(const std::vector<Field>& fields, std::string_view name)
{
    std::size_t frameBits = 0;
    for (const Field& f : fields)
        frameBits += f.kind == Kind::Separator ? 0 : f.width;
    std::size_t position = 0;
    for (const Field& f : fields) {
        const bool before = f.to <= position;
        const bool holdsItself = f.from <= position && f.to >= position + f.width && f.to <= frameBits;
        if (isChecksum(f) && !before && !holdsItself)
            badRow(name, "checksum range");
        position += f.kind == Kind::Separator ? 0 : f.width;
    }
}

std::vector<Field> readFields(std::string_view text, std::string_view name)
{
    std::vector<Field> fields;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (item.empty())
            badRow(name, text);
        fields.push_back(readField(item, name));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return fields;
}

std::size_t bitCount(const std::vector<Field>& fields)
{
    std::size_t bits = 0;
    for (const Field& f : fields)
        bits += f.kind == Kind::Separator ? 0 : f.width;
    return bits;
}

} // namespace qmv::codeform
