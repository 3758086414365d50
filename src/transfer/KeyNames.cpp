#include "KeyNames.h"

#include "Keypad.h"

#include <algorithm>
#include <cctype>

namespace qmv::transfer {

namespace {

std::string normalised(std::string_view name)
{
    std::string result;
    for (char c : name)
        if (c != ' ' && c != '_' && c != '\t')
            result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

} // namespace

// Kept in keypad order. The centre key of the arrow cross (label "DVD/1") is the key that
// confirms, so OK, Enter and Select go there.
const std::vector<KeyNameRow>& keyNameTable()
{
    static const std::vector<KeyNameRow> table{
        {"10", {"POWER", "Power", "PWR", "On/Off", "Standby", "TV_POWER"}},
        {"12", {"1", "num1", "KEY_1"}},
        {"13", {"2", "num2", "KEY_2"}},
        {"14", {"3", "num3", "KEY_3"}},
        {"15", {"4", "num4", "KEY_4"}},
        {"16", {"5", "num5", "KEY_5"}},
        {"17", {"6", "num6", "KEY_6"}},
        {"20", {"7", "num7", "KEY_7"}},
        {"21", {"8", "num8", "KEY_8"}},
        {"22", {"9", "num9", "KEY_9"}},
        {"23", {"-/--", "--", "DIGITS", "+10"}},
        {"24", {"0", "num0", "KEY_0"}},
        {"25", {"TV/AV", "TV_VIDEO", "TV/VIDEO", "AV"}},
        {"26", {"CH+", "Ch_next", "CH_UP", "CHANNEL_UP", "CHANNELUP", "CHANNEL_+", "P+", "PR+", "PAGE+"}},
        {"27", {"RECALL", "LAST", "PRE-CH", "PRECH", "JUMP", "SWITCH"}},
        {"30", {"VOL+", "Vol_up", "VOLUME_UP", "VOLUME+", "VOL_UP", "TV_VOL+"}},
        {"31",
         {"CH-", "Ch_prev", "CH_DOWN", "CH_DN", "CHANNEL_DOWN", "CHANNELDOWN", "CHANNEL_-", "P-", "PR-",
          "PAGE-"}},
        {"32", {"MUTE", "Vol_mute", "MUTING"}},
        {"33", {"VOL-", "Vol_dn", "Vol_down", "VOLUME_DOWN", "VOLUME-", "VOL_DOWN", "TV_VOL-"}},
        {"34", {"GUIDE"}},
        {"36", {"MENU", "SETUP", "SETTINGS"}},
        {"37", {"EPG", "LIST", "CH_LIST", "PROGRAM"}},
        {"40", {"UP", "CURSOR_UP", "UP_ARROW", "ARROW_UP"}},
        {"41", {"REAR", "SURROUND"}},
        {"42", {"AUDIO", "SOUND", "MTS", "SAP", "LANGUAGE"}},
        {"43", {"LEFT", "CURSOR_LEFT", "LEFT_ARROW", "ARROW_LEFT"}},
        {"44", {"OK", "ENTER", "SELECT", "CURSOR_ENTER", "CENTER"}},
        {"45", {"RIGHT", "CURSOR_RIGHT", "RIGHT_ARROW", "ARROW_RIGHT"}},
        {"46", {"EXIT", "RETURN", "BACK"}},
        {"47", {"FAVORITE", "FAV", "FAVOURITE"}},
        {"50", {"DOWN", "CURSOR_DOWN", "DOWN_ARROW", "DN_ARROW", "ARROW_DOWN"}},
        {"51", {"INFO", "DISPLAY", "STATUS", "OSD"}},
        {"52", {"PREV", "PREVIOUS", "SKIP_BACK", "SKIP-", "|<<", "|<<_PREV", "CHAPTER-"}},
        {"53", {"PAUSE"}},
        {"54", {"PLAY", "Play_pause", "PLAY/PAUSE"}},
        {"55", {"NEXT", "SKIP_FWD", "SKIP+", ">>|", "CHAPTER+"}},
        {"56", {"REC", "RECORD"}},
        {"57", {"REW", "REWIND", "R_SRCH", "FAST_REWIND", "<<"}},
        {"60", {"FF", "FFWD", "FWD", "FAST_FORWARD", "FASTFORWARD", "FORWARD", "F_SRCH", ">>"}},
        {"61", {"STOP"}},
        {"62", {"PIP"}},
        {"63", {"SWAP"}},
        {"64", {"INPUT", "SOURCE"}},
        {"65", {"SLEEP"}},
        {"66", {"RED"}},
        {"67", {"GREEN"}},
        {"70", {"YELLOW", "YELLO"}},
        {"71", {"BLUE"}},
    };
    return table;
}

std::optional<std::string> keyForName(std::string_view signalName)
{
    const std::string wanted = normalised(signalName);
    if (wanted.empty())
        return std::nullopt;
    for (const KeyNameRow& row : keyNameTable())
        for (std::string_view name : row.names)
            if (normalised(name) == wanted)
                return std::string(row.keyCode);
    return std::nullopt;
}

std::string exportName(std::string_view keyCode)
{
    for (const KeyNameRow& row : keyNameTable())
        if (row.keyCode == keyCode)
            return std::string(row.names.front());
    return std::string(keyCode);
}

ImportMapping mapSignals(const std::vector<IrSignal>& entries)
{
    ImportMapping mapping;
    std::vector<KeyAssignment> taken;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto key = keyForName(entries[i].name);
        if (!key) {
            mapping.unmappedSignals.push_back(entries[i].name);
            continue;
        }
        const bool already = std::any_of(taken.begin(), taken.end(),
                                         [&](const KeyAssignment& a) { return a.keyCode == *key; });
        if (already)
            mapping.duplicateSignals.push_back(entries[i].name);
        else
            taken.push_back({*key, i});
    }
    for (const KeyDefinition& key : keypad) {
        if (key.selectsArea >= 0)
            continue;
        const auto it = std::find_if(taken.begin(), taken.end(),
                                     [&](const KeyAssignment& a) { return a.keyCode == key.code; });
        if (it != taken.end())
            mapping.assignments.push_back(*it);
        else
            mapping.emptyKeys.push_back(std::string(key.code));
    }
    return mapping;
}

} // namespace qmv::transfer
