#include "ImageReport.h"

#include "CodeForm.h"
#include "HexText.h"
#include "Keypad.h"
#include "StoredKeys.h"

#include <algorithm>
#include <iomanip>

namespace qmv::cli {

namespace {

nlohmann::json keyReport(const transfer::StoredKeys& keys, int area, int row)
{
    const ImageSnapshot& image = keys.image();
    const std::string& code = image.keyCodes[static_cast<std::size_t>(row)];
    const KeyRecord& record =
        image.records[static_cast<std::size_t>(area) * static_cast<std::size_t>(image.layout.keycount) +
                      static_cast<std::size_t>(row)];
    const auto key = findKey(code);
    nlohmann::json json{{"area", std::string(areaNames[static_cast<std::size_t>(area)])},
                        {"code", code},
                        {"label", key ? std::string(key->label) : std::string()},
                        {"state", std::string(1, record.keyState())}};
    if (record.holdsCode()) {
        if (record.placement == 0x80) {
            json["placement"] = "slot";
            json["slot"] = record.reference.substr(0, 2);
            if (const auto slot = record.slot(); slot && *slot < static_cast<int>(image.slotTable.size()))
                json["identifier"] = image.slotTable[static_cast<std::size_t>(*slot)].identifier;
        } else {
            json["placement"] = "direct";
            json["identifier"] = record.reference;
        }
        json["parameters"] = record.parameters;
        if (json.contains("identifier"))
            if (const auto protocol = describe(json["identifier"].get<std::string>(), record.parameters)) {
                json["protocol"] = protocol->protocol;
                json["address"] = protocol->address;
                json["command"] = protocol->command;
            }
        const transfer::KeyDescription description = transfer::describeKey(keys, area, row);
        json["contents"] = transfer::descriptionJson(description);
        json["description"] = transfer::descriptionText(description);
    }
    return json;
}

} // namespace

nlohmann::json imageReport(const LoadedRemote& remote, const RemoteLink& link)
{
    const transfer::StoredKeys stored(link, remote.snapshot);
    const ImageSnapshot& image = remote.snapshot;
    const ImageLayout& layout = image.layout;
    const std::string map = bitmapToMap(image.bitmap);
    const auto used =
        std::count(map.begin(), map.begin() + std::min<std::size_t>(map.size(), layout.bitmapbits), '1');
    const auto slotsInUse = std::count_if(image.slotTable.begin(), image.slotTable.end(),
                                          [](const Slot& s) { return s.inUse(); });

    nlohmann::json keys = nlohmann::json::array();
    for (int area = 0; area < layout.areacount && area < areaCount; ++area)
        for (int row = 0; row < layout.keycount; ++row)
            keys.push_back(keyReport(stored, area, row));

    return {{"model", remote.lab_ykqtype},
            {"firmware", remote.lab_gjbb},
            {"remoteid", remote.remoteid},
            {"bankcode", layout.bankcode},
            {"headeraddr", hex::byte(layout.headeraddr >> 8) + hex::byte(layout.headeraddr & 0xFF)},
            {"recordcount", layout.recordcount},
            {"indexcount", layout.indexcount},
            {"bitmapbits", layout.bitmapbits},
            {"areacount", layout.areacount},
            {"keycount", layout.keycount},
            {"freeunits", layout.bitmapbits - used},
            {"slotsinuse", slotsInUse},
            {"knowncodes", image.knownCodes},
            {"keys", keys}};
}

void printImageReport(const nlohmann::json& report, std::ostream& out)
{
    out << "model:       " << report["model"].get<std::string>() << '\n'
        << "firmware:   " << report["firmware"].get<std::string>() << '\n'
        << "remote id:   " << report["remoteid"].get<std::string>() << '\n'
        << "keys:        " << report["keycount"] << " in each of " << report["areacount"] << " areas ("
        << report["recordcount"] << " records)\n"
        << "code data:   " << report["freeunits"] << " of " << report["bitmapbits"] << " units free\n"
        << "slots:       " << report["slotsinuse"] << " of " << report["indexcount"] << " in use\n";
    std::string area;
    for (const auto& key : report["keys"]) {
        if (key["area"] != area) {
            area = key["area"].get<std::string>();
            out << '\n' << area << ":\n";
        }
        out << "  " << key["code"].get<std::string>() << "  " << std::left << std::setw(12)
            << key["label"].get<std::string>() << " state " << key["state"].get<std::string>();
        if (key.contains("identifier"))
            out << "  " << key["placement"].get<std::string>() << ' ' << key["identifier"].get<std::string>();
        if (key.contains("protocol"))
            out << "  " << key["protocol"].get<std::string>() << " address "
                << key["address"].get<std::string>() << " command " << key["command"].get<std::string>();
        out << '\n';
        if (key.contains("description")) {
            // The first line names the key, already printed above.
            std::string facts = key["description"].get<std::string>();
            facts.erase(0, facts.find('\n') + 1);
            for (std::size_t start = 0; start < facts.size();) {
                const std::size_t end = facts.find('\n', start);
                out << "        " << facts.substr(start, end - start) << '\n';
                start = end == std::string::npos ? facts.size() : end + 1;
            }
        }
    }
}

} // namespace qmv::cli
