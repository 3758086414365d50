#pragma once

#include <array>
#include <optional>
#include <string_view>

// Where each key of the remote sits on the keypad panel. The picture generator draws the remote's
// body and every key picture from these rectangles and the main window places the key buttons by
// them, so a key's picture always fits its button and lines up with the body drawn beneath it.
namespace qmv {

// A rectangle in pixels, relative to the top-left corner of the keypad panel.
struct KeyRect
{
    int x;
    int y;
    int width;
    int height;
};

struct KeyPlacement
{
    std::string_view code;
    KeyRect rect;
};

// The keypad panel and the remote's body picture, which fills the panel.
inline constexpr int keypadPanelWidth = 228;
inline constexpr int keypadPanelHeight = 745;
inline constexpr int keypadBodyWidth = 228;
inline constexpr int keypadBodyHeight = 745;

// The remote's case inside the body picture (the rest of the picture is window background).
inline constexpr KeyRect remoteCase{12, 6, 204, 733};

// The round recess of the navigation cross, drawn on the body around UP, LEFT, RIGHT and DOWN.
inline constexpr int navigationCentreX = 114;
inline constexpr int navigationCentreY = 470;
inline constexpr int navigationRadius = 54;

// In key-code order, like the keypad table. Grouped top to bottom: area power keys, general keys,
// number pad, input keys, volume and channel, navigation, colour keys, transport, picture keys.
inline constexpr std::array<KeyPlacement, 52> keypadLayout{{
    {"00", {26, 68, 38, 26}},   // POWER/TV, selects TV
    {"03", {118, 68, 38, 26}},  // POWER/AMP, selects DVD
    {"04", {164, 68, 38, 26}},  // selects AMP
    {"07", {72, 68, 38, 26}},   // selects CBL
    {"10", {26, 106, 38, 22}},  // POWER
    {"12", {26, 142, 50, 28}},  // 1
    {"13", {89, 142, 50, 28}},  // 2
    {"14", {152, 142, 50, 28}}, // 3
    {"15", {26, 178, 50, 28}},  // 4
    {"16", {89, 178, 50, 28}},  // 5
    {"17", {152, 178, 50, 28}}, // 6
    {"20", {26, 214, 50, 28}},  // 7
    {"21", {89, 214, 50, 28}},  // 8
    {"22", {152, 214, 50, 28}}, // 9
    {"23", {26, 250, 50, 28}},  // 数位
    {"24", {89, 250, 50, 28}},  // 0
    {"25", {26, 292, 38, 22}},  // TV/AV
    {"26", {158, 328, 44, 34}}, // CH+
    {"27", {152, 250, 50, 28}}, // 切换
    {"30", {26, 328, 44, 34}},  // VOL+
    {"31", {158, 368, 44, 34}}, // CH-
    {"32", {72, 106, 38, 22}},  // 静音
    {"33", {26, 368, 44, 34}},  // VOL-
    {"34", {26, 414, 38, 22}},  // 指南
    {"36", {80, 330, 68, 30}},  // 菜单
    {"37", {80, 370, 68, 30}},  // 节目表
    {"40", {92, 422, 44, 24}},  // UP
    {"41", {164, 292, 38, 22}}, // 后道
    {"42", {118, 292, 38, 22}}, // 声道
    {"43", {66, 449, 28, 42}},  // LEFT
    {"44", {72, 292, 38, 22}},  // DVD/1
    {"45", {134, 449, 28, 42}}, // RIGHT
    {"46", {26, 504, 38, 22}},  // 退出
    {"47", {164, 504, 38, 22}}, // 收藏
    {"50", {92, 494, 44, 24}},  // DOWN
    {"51", {164, 414, 38, 22}}, // 信息
    {"52", {26, 608, 38, 28}},  // 上一段
    {"53", {118, 572, 38, 28}}, // pause
    {"54", {72, 572, 38, 28}},  // play
    {"55", {164, 608, 38, 28}}, // 下一段
    {"56", {118, 608, 38, 28}}, // 录象
    {"57", {26, 572, 38, 28}},  // 快退
    {"60", {164, 572, 38, 28}}, // 快进
    {"61", {72, 608, 38, 28}},  // stop
    {"62", {26, 650, 56, 22}},  // PIP
    {"63", {146, 650, 56, 22}}, // SWAP
    {"64", {164, 106, 38, 22}}, // INPUT
    {"65", {118, 106, 38, 22}}, // SLEEP
    {"66", {26, 540, 38, 18}},  // RED
    {"67", {72, 540, 38, 18}},  // GREEN
    {"70", {118, 540, 38, 18}}, // YELLO
    {"71", {164, 540, 38, 18}}, // BLUE
}};

// The size of the key pictures for codes that are not on the keypad.
inline constexpr int spareKeyWidth = 32;
inline constexpr int spareKeyHeight = 20;

// The rectangle of the key with this code (exact comparison); nothing when the keypad has no such key.
inline constexpr std::optional<KeyRect> keyRect(std::string_view code)
{
    for (const KeyPlacement& placement : keypadLayout)
        if (placement.code == code)
            return placement.rect;
    return std::nullopt;
}

} // namespace qmv
