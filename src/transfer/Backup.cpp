#include "Backup.h"

#include "ExportFormats.h"
#include "JsonText.h"
#include "Keypad.h"
#include "StoredKeys.h"
#include "Text.h"

#include <nlohmann/json.hpp>
#include <zlib.h>

#include <cstdio>

namespace qmv::transfer {

namespace {

constexpr std::string_view kBackupFormat = "qmv718-backup";
constexpr int kBackupVersion = 1;

std::string checksum(const nlohmann::json& content)
{
    const std::string text = content.dump();
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.data()),
                            static_cast<uInt>(text.size()));
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08lX", crc & 0xFFFFFFFFul);
    return hex;
}

} // namespace

Backup collectBackup(const StoredKeys& keys, std::string model, std::string firmware, std::string remoteid,
                     std::vector<std::string>* unreadable)
{
    Backup backup{std::move(model), std::move(firmware), std::move(remoteid), {}};
    for (int area = 0; area < keys.image().layout.areacount && area < areaCount; ++area)
        for (ExportedKey& key : learnedKeys(keys, area, unreadable))
            backup.keys.push_back({area, key.keyCode, std::move(key.code), key.name});
    return backup;
}

std::string writeBackup(const Backup& backup)
{
    nlohmann::json keys = nlohmann::json::array();
    for (const StoreItem& key : backup.keys)
        keys.push_back({{"area", std::string(areaNames.at(static_cast<std::size_t>(key.area)))},
                        {"key", key.keyCode},
                        {"identifier", key.code.identifier},
                        {"parameters", key.code.parameters},
                        {"data", key.code.data}});
    nlohmann::json content{{"format", kBackupFormat},     {"version", kBackupVersion},
                           {"model", backup.model},       {"firmware", backup.firmware},
                           {"remoteid", backup.remoteid}, {"keys", keys}};
    content["checksum"] = checksum(content);
    return content.dump(2) + "\n";
}

constexpr Texts shown{"qmv::transfer"};

std::variant<Backup, std::string> readBackup(std::string_view text, std::string_view attachedModel)
{
    if (auto tooDeep = jsonDepthProblem(text))
        return std::move(*tooDeep);
    nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_object() || jsonText(document, "format") != kBackupFormat)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "不是本工具的备份文件"));
    const std::string stored = jsonText(document, "checksum");
    document.erase("checksum");
    if (stored.empty() || stored != checksum(document))
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "备份文件已损坏（校验和不符）"));
    if (!document["version"].is_number_integer() || document["version"].get<int>() != kBackupVersion)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "不支持这个版本的备份文件"));
    if (!document.contains("keys") || !document["keys"].is_array())
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "备份文件里没有按键列表"));
    Backup backup{
        jsonText(document, "model"), jsonText(document, "firmware"), jsonText(document, "remoteid"), {}};
    if (backup.model != attachedModel)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "备份来自另一种型号的遥控器（%1）"), {backup.model});
    for (const auto& key : document["keys"]) {
        const auto area = areaFromName(jsonText(key, "area"));
        const std::string keyCode = jsonText(key, "key");
        const auto definition = findKey(keyCode);
        const auto code = parseConverterOutput(converterOutput(
            StoredCode{jsonText(key, "identifier"), jsonText(key, "parameters"), jsonText(key, "data")}));
        if (!area || !definition || definition->code != keyCode || definition->selectsArea >= 0 || !code)
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "备份里的按键“%1 %2”无效"),
                         {jsonText(key, "area"), keyCode});
        backup.keys.push_back({*area, keyCode, *code, std::string(definition->label)});
    }
    return backup;
}

} // namespace qmv::transfer
