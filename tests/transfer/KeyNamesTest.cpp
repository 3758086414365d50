// The table from signal names to keys: the names people's files use, and the mapping of a file.
#include "KeyNames.h"
#include "Keypad.h"

#include <gtest/gtest.h>

#include <map>

using namespace qmv::transfer;

TEST(KeyNames, MapsTheCommonNamesWithoutRegardToCaseBlanksOrUnderscores)
{
    const std::map<std::string, std::string> expected{
        {"Power", "10"},        {"POWER", "10"},  {"Vol_up", "30"},  {"VOL+", "30"},  {"vol up", "30"},
        {"Vol_dn", "33"},       {"VOL-", "33"},   {"Ch_next", "26"}, {"CH+", "26"},   {"Ch_prev", "31"},
        {"Mute", "32"},         {"0", "24"},      {"9", "22"},       {"menu", "36"},  {"ok", "44"},
        {"Enter", "44"},        {"UP", "40"},     {"Down", "50"},    {"left", "43"},  {"RIGHT", "45"},
        {"Fast_Forward", "60"}, {"REWIND", "57"}, {"Yellow", "70"},  {"Source", "64"}};
    for (const auto& [name, key] : expected)
        EXPECT_EQ(keyForName(name).value_or("none"), key) << name;
    for (const char* name : {"", "Netflix", "3d", "POWER/TV", "TV_POWER2"})
        EXPECT_FALSE(keyForName(name)) << name;
}

TEST(KeyNames, EveryPlainKeyIsExportedUnderANameThatMapsBackToIt)
{
    for (const qmv::KeyDefinition& key : qmv::keypad) {
        const std::string code(key.code);
        if (key.selectsArea >= 0)
            continue;
        EXPECT_EQ(keyForName(exportName(code)).value_or("none"), code) << code;
    }
}

TEST(KeyNames, NoNameStandsForTwoKeysAndNoPowerKeyIsMapped)
{
    std::map<std::string, std::string> owner;
    for (const KeyNameRow& row : keyNameTable()) {
        const auto key = qmv::findKey(row.keyCode);
        ASSERT_TRUE(key) << row.keyCode;
        EXPECT_LT(key->selectsArea, 0) << row.keyCode;
        for (std::string_view name : row.names) {
            const auto mapped = keyForName(name);
            EXPECT_EQ(mapped.value_or("none"), row.keyCode) << name << " is taken by an earlier row";
        }
    }
}

TEST(KeyNames, MappingAFileReportsUnmappedSignalsDuplicatesAndEmptyKeys)
{
    // "Vol_up" names VOL+'s key again: the first signal keeps it.
    std::vector<IrSignal> signals;
    for (const char* name : {"Power", "Netflix", "VOL+", "Vol_up", "1"})
        signals.push_back(IrSignal{name});
    const ImportMapping mapping = mapSignals(signals);
    ASSERT_EQ(mapping.assignments.size(), 3u);
    EXPECT_EQ(mapping.assignments[0].keyCode, "10"); // keypad order
    EXPECT_EQ(mapping.assignments[1].keyCode, "12");
    EXPECT_EQ(mapping.assignments[2].keyCode, "30");
    EXPECT_EQ(mapping.assignments[2].signal, 2u);
    EXPECT_EQ(mapping.unmappedSignals, std::vector<std::string>{"Netflix"});
    EXPECT_EQ(mapping.duplicateSignals, std::vector<std::string>{"Vol_up"});
    EXPECT_EQ(mapping.emptyKeys.size(), 48u - 3u);
}
