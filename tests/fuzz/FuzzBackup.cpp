// Arbitrary files through the backup reader, as they are and sealed with a right checksum (so the
// checks behind the checksum are reached too). A backup it accepts is written again and must read
// back as the same keys; nothing may crash on the way, however the file nests.

#include "Backup.h"
#include "JsonText.h"

#include <nlohmann/json.hpp>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

namespace {

constexpr std::string_view model = "QMV-718";

bool sameKeys(const qmv::transfer::Backup& a, const qmv::transfer::Backup& b)
{
    if (a.keys.size() != b.keys.size())
        return false;
    for (std::size_t i = 0; i < a.keys.size(); ++i)
        if (a.keys[i].area != b.keys[i].area || a.keys[i].keyCode != b.keys[i].keyCode ||
            a.keys[i].code.identifier != b.keys[i].code.identifier ||
            a.keys[i].code.parameters != b.keys[i].code.parameters ||
            a.keys[i].code.data != b.keys[i].code.data)
            return false;
    return true;
}

void check(std::string_view text)
{
    const auto read = qmv::transfer::readBackup(text, model);
    if (const auto* backup = std::get_if<qmv::transfer::Backup>(&read)) {
        const auto again = qmv::transfer::readBackup(qmv::transfer::writeBackup(*backup), model);
        const auto* copy = std::get_if<qmv::transfer::Backup>(&again);
        if (!copy || copy->remoteid != backup->remoteid || !sameKeys(*backup, *copy))
            std::abort();
    } else if (std::get<std::string>(read).empty()) {
        std::abort(); // every refusal says why
    }
}

// The document with the checksum a backup carries (CRC-32 of the rest, dumped compactly), or
// nothing when the text is no JSON object the reader would parse.
std::string sealed(std::string_view text)
{
    if (qmv::transfer::jsonDepthProblem(text))
        return {};
    nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (!document.is_object())
        return {};
    document.erase("checksum");
    const std::string content = document.dump();
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(content.data()),
                            static_cast<uInt>(content.size()));
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08lX", crc & 0xFFFFFFFFul);
    document["checksum"] = hex;
    return document.dump();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(text);
    if (const std::string withChecksum = sealed(text); !withChecksum.empty())
        check(withChecksum);
    return 0;
}
