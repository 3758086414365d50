// Arbitrary files through the backup reader. A backup it accepts is written again and must read
// back as the same keys; nothing may crash on the way, however the file nests.

#include "Backup.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = qmv::transfer::readBackup(text, model);
    if (const auto* backup = std::get_if<qmv::transfer::Backup>(&read)) {
        const auto again = qmv::transfer::readBackup(qmv::transfer::writeBackup(*backup), model);
        const auto* copy = std::get_if<qmv::transfer::Backup>(&again);
        if (!copy || copy->remoteid != backup->remoteid || !sameKeys(*backup, *copy))
            std::abort();
    } else if (std::get<std::string>(read).empty()) {
        std::abort(); // every refusal says why
    }
    return 0;
}
