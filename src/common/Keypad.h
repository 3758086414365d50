#pragma once

#include "HexText.h"
#include "Text.h"

#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

namespace qmv {

// One key of the remote's keypad: its two-digit key code (octal digits), the label shown in
// messages, the component name of its button, and for the four power keys the device area it
// selects.
struct KeyDefinition
{
    std::string_view code;
    std::string_view label;
    std::string_view component;
    int selectsArea; // 0 TV, 1 CBL, 2 DVD, 3 AMP; -1 for a plain key
};

inline constexpr int keypadKeyCount = 52;
inline constexpr int areaCount = 4;

// The keypad in key-code order, which is also the order of the remote's key-code table.
inline constexpr std::array<KeyDefinition, keypadKeyCount> keypad{{
    {"00", "POWER/TV", "IBtn1", 0},
    {"03", "POWER/AMP", "IBtn4", 2},
    {"04", "", "IBtn30", 3},
    {"07", "", "IBtn32", 1},
    {"10", "POWER", "IBtn31", -1},
    {"12", "1", "IBtn5", -1},
    {"13", "2", "IBtn6", -1},
    {"14", "3", "IBtn7", -1},
    {"15", "4", "IBtn10", -1},
    {"16", "5", "IBtn11", -1},
    {"17", "6", "IBtn12", -1},
    {"20", "7", "IBtn14", -1},
    {"21", "8", "IBtn15", -1},
    {"22", "9", "IBtn16", -1},
    {"23", QT_TRANSLATE_NOOP("qmv::Keypad", "数位"), "IBtn18", -1},
    {"24", "0", "IBtn19", -1},
    {"25", "TV/AV", "IBtn20", -1},
    {"26", "CH+", "IBtn22", -1},
    {"27", QT_TRANSLATE_NOOP("qmv::Keypad", "切换"), "IBtn23", -1},
    {"30", "VOL+", "IBtn24", -1},
    {"31", "CH-", "IBtn26", -1},
    {"32", QT_TRANSLATE_NOOP("qmv::Keypad", "静音"), "IBtn27", -1},
    {"33", "VOL-", "IBtn28", -1},
    {"34", QT_TRANSLATE_NOOP("qmv::Keypad", "指南"), "IBtn52", -1},
    {"36", QT_TRANSLATE_NOOP("qmv::Keypad", "菜单"), "IBtn36", -1},
    {"37", QT_TRANSLATE_NOOP("qmv::Keypad", "节目表"), "IBtn39", -1},
    {"40", "UP", "IBtn35", -1},
    {"41", QT_TRANSLATE_NOOP("qmv::Keypad", "后道"), "IBtn41", -1},
    {"42", QT_TRANSLATE_NOOP("qmv::Keypad", "声道"), "IBtn40", -1},
    {"43", "LEFT", "IBtn56", -1},
    {"44", "DVD/1", "IBtn25", -1},
    {"45", "RIGHT", "IBtn33", -1},
    {"46", QT_TRANSLATE_NOOP("qmv::Keypad", "退出"), "IBtn42", -1},
    {"47", QT_TRANSLATE_NOOP("qmv::Keypad", "收藏"), "IBtn49", -1},
    {"50", "DOWN", "IBtn50", -1},
    {"51", QT_TRANSLATE_NOOP("qmv::Keypad", "信息"), "IBtn34", -1},
    {"52", QT_TRANSLATE_NOOP("qmv::Keypad", "上一段"), "IBtn54", -1},
    {"53", "pause", "IBtn51", -1},
    {"54", "play", "IBtn55", -1},
    {"55", QT_TRANSLATE_NOOP("qmv::Keypad", "下一段"), "IBtn43", -1},
    {"56", QT_TRANSLATE_NOOP("qmv::Keypad", "录象"), "IBtn2", -1},
    {"57", QT_TRANSLATE_NOOP("qmv::Keypad", "快退"), "IBtn53", -1},
    {"60", QT_TRANSLATE_NOOP("qmv::Keypad", "快进"), "IBtn60", -1},
    {"61", "stop", "IBtn44", -1},
    {"62", "PIP", "IBtn65", -1},
    {"63", "SWAP", "IBtn62", -1},
    {"64", "INPUT", "IBtn29", -1},
    {"65", "SLEEP", "IBtn45", -1},
    {"66", "RED", "IBtn17", -1},
    {"67", "GREEN", "IBtn21", -1},
    {"70", "YELLO", "IBtn13", -1},
    {"71", "BLUE", "IBtn9", -1},
}};

inline constexpr std::array<std::string_view, areaCount> areaNames{"TV", "CBL", "DVD", "AMP"};

// The key's label in the user's language.
inline std::string keyLabel(const KeyDefinition& key)
{
    return translate("qmv::Keypad", std::string(key.label).c_str());
}

// The key with this code (exact) or, failing that, this label, as written or in the user's
// language; nothing when neither matches.
inline std::optional<KeyDefinition> findKey(std::string_view codeOrLabel)
{
    for (const KeyDefinition& key : keypad)
        if (key.code == codeOrLabel)
            return key;
    for (const KeyDefinition& key : keypad)
        if (!key.label.empty() && (key.label == codeOrLabel || keyLabel(key) == codeOrLabel))
            return key;
    return std::nullopt;
}

// The device area a user names: "TV", "CBL", "DVD", "AMP" in any letter case, or its number 0-3.
inline std::optional<int> areaFromName(std::string_view name)
{
    std::string upper(name);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int area = 0; area < areaCount; ++area)
        if (upper == areaNames[static_cast<std::size_t>(area)] ||
            upper == std::string(1, static_cast<char>('0' + area)))
            return area;
    return std::nullopt;
}

// The index of a key picture: the key code read as a hexadecimal number.
inline int pictureIndex(std::string_view code)
{
    const auto value = hex::value(code);
    return value ? static_cast<int>(*value) : -1;
}

} // namespace qmv
