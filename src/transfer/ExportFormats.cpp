#include "ExportFormats.h"

#include "KeyNames.h"
#include "Keypad.h"
#include "SignalFile.h"
#include "StoredKeys.h"

#include <nlohmann/json.hpp>

namespace qmv::transfer {

namespace {

std::string durationText(const std::vector<std::uint32_t>& durations)
{
    std::string text;
    for (std::uint32_t d : durations) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(d);
    }
    return text;
}

// Other readers of the file know a protocol key only by its protocol, address and command; a
// learned code with its own timing trims or repeats is written as its timing instead.
std::optional<ProtocolInfo> standardProtocol(const StoredCode& code, const Playback& played)
{
    auto info = describe(code.identifier, code.parameters);
    if (!info)
        return std::nullopt;
    const auto address = lowFirstBytes(info->address);
    const auto command = lowFirstBytes(info->command);
    const auto standard =
        address && command ? protocolCode(info->protocol, *address, *command) : std::nullopt;
    const auto again =
        standard ? play(standard->identifier, standard->parameters, standard->data) : std::nullopt;
    if (!again || again->durations != played.durations)
        return std::nullopt;
    return info;
}

void writeIrKey(std::string& out, const ExportedKey& key)
{
    out += "#\nname: " + key.name + "\n";
    const auto played = play(key.code.identifier, key.code.parameters, key.code.data);
    const auto protocol = played ? standardProtocol(key.code, *played) : std::nullopt;
    if (protocol) {
        out += "type: parsed\nprotocol: " + protocol->protocol + "\naddress: " + protocol->address +
               "\ncommand: " + protocol->command + "\n";
    } else if (played) {
        out += "type: raw\nfrequency: " + std::to_string(played->carrierHz) +
               "\nduty_cycle: 0.330000\ndata: " + durationText(played->durations) + "\n";
    }
    out += std::string(kStoredCodeField) + ": " + converterOutput(key.code) + "\n";
}

} // namespace

std::optional<ExportFormat> exportFormatFromName(std::string_view name)
{
    if (name == "ir")
        return ExportFormat::Ir;
    if (name == "pronto")
        return ExportFormat::Pronto;
    if (name == "json")
        return ExportFormat::Json;
    return std::nullopt;
}

std::vector<ExportedKey> learnedKeys(const StoredKeys& keys, int area, std::vector<std::string>* unreadable)
{
    std::vector<ExportedKey> result;
    const ImageSnapshot& image = keys.image();
    for (int row = 0; row < image.layout.keycount; ++row) {
        if (!image.records[static_cast<std::size_t>(keys.recordIndex(area, row))].stateOfKey().learned())
            continue;
        const std::string& keyCode = image.keyCodes[static_cast<std::size_t>(row)];
        if (const auto code = keys.code(area, row))
            result.push_back({keyCode, exportName(keyCode), *code});
        else if (unreadable)
            unreadable->push_back(keyCode);
    }
    return result;
}

std::string formatExport(const std::vector<ExportedKey>& keys, ExportFormat format, std::string_view areaName)
{
    std::string out;
    switch (format) {
    case ExportFormat::Ir:
        out = "Filetype: IR signals file\nVersion: 1\n# QMV-718 " + std::string(areaName) + "\n";
        for (const ExportedKey& key : keys)
            writeIrKey(out, key);
        break;
    case ExportFormat::Pronto:
        out = "# QMV-718 " + std::string(areaName) + "\n";
        for (const ExportedKey& key : keys)
            if (const auto played = play(key.code.identifier, key.code.parameters, key.code.data))
                out += key.name + ": " + toPronto(*played) + "\n";
        break;
    case ExportFormat::Json: {
        nlohmann::json list = nlohmann::json::array();
        for (const ExportedKey& key : keys) {
            nlohmann::json entry{{"key", key.keyCode},
                                 {"name", key.name},
                                 {"identifier", key.code.identifier},
                                 {"parameters", key.code.parameters},
                                 {"data", key.code.data}};
            if (const auto found = findKey(key.keyCode))
                entry["label"] = std::string(found->label);
            if (const auto info = describe(key.code.identifier, key.code.parameters)) {
                entry["protocol"] = info->protocol;
                entry["address"] = info->address;
                entry["command"] = info->command;
            }
            if (const auto played = play(key.code.identifier, key.code.parameters, key.code.data)) {
                entry["carrierhz"] = played->carrierHz;
                entry["durations"] = played->durations;
            }
            list.push_back(std::move(entry));
        }
        out =
            nlohmann::json{
                {"format", "qmv718-export"}, {"model", "QMV-718"}, {"area", areaName}, {"keys", list}}
                .dump(2) +
            "\n";
        break;
    }
    }
    return out;
}

} // namespace qmv::transfer
