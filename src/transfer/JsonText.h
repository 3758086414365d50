#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace qmv::transfer {

// A text field of a JSON object read from a file, empty when absent or not a text: files are
// outside input and their shape is never taken on trust.
inline std::string jsonText(const nlohmann::json& object, const char* field)
{
    return object.is_object() && object.contains(field) && object[field].is_string()
               ? object[field].get<std::string>()
               : std::string();
}

} // namespace qmv::transfer
