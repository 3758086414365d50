#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace qmv::transfer {

// How deep the JSON files this tool reads ever nest: a document, its list of keys and a key,
// with room to spare. The library walks a document recursively (to dump it for the checksum, to
// compare it), so a deeper file is refused before it is parsed.
inline constexpr int kMaxJsonDepth = 8;

// Why the text cannot be parsed safely: its arrays and objects nest deeper than kMaxJsonDepth.
// One pass that minds strings and recurses into nothing.
std::optional<std::string> jsonDepthProblem(std::string_view text);

// A text field of a JSON object read from a file, empty when absent or not a text: files are
// outside input and their shape is never taken on trust.
inline std::string jsonText(const nlohmann::json& object, const char* field)
{
    return object.is_object() && object.contains(field) && object[field].is_string()
               ? object[field].get<std::string>()
               : std::string();
}

} // namespace qmv::transfer
