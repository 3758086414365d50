#include "KeyState.h"

#include <gtest/gtest.h>

using namespace qmv;

namespace {

using Placement = KeyStateEntry::Placement;

struct EntryCase
{
    const char* text;
    char state;
    Placement placement;
    const char* identifier;
    int slot;
    bool newSlot;
    bool roundTrips; // writing the entry back gives the text again
};

// Entries as start-up loads them and as learning writes them, and what the list may hold by
// mistake: a short or unknown state counts as no code, an unreadable placement as unknown.
const EntryCase kEntries[] = {
    {"26|0", '0', Placement::Unknown, "", -1, false, true},
    {"26|1", '1', Placement::Unknown, "", -1, false, true},
    {"26|2|0|010000", '2', Placement::Direct, "010000", -1, false, true},
    {"26|2|1|00FFFF", '2', Placement::Slot, "", 0, true, true},
    {"26|2|1|1A", '2', Placement::Slot, "", 26, false, true},
    {"26|2|1|1AFFF", '2', Placement::Slot, "", 26, false, false},
    {"26", '0', Placement::Unknown, "", -1, false, false},
    {"26|7", '0', Placement::Unknown, "", -1, false, false},
    {"26|2|1|Z1FFFF", '2', Placement::Unknown, "", -1, false, false},
    {"26|2|5|05", '2', Placement::Unknown, "", -1, false, false},
    {"26|2|1", '2', Placement::Unknown, "", -1, false, false},
};

TEST(KeyStateEntry, ReadsStateAndPlacementAndWritesThemBack)
{
    for (const EntryCase& c : kEntries) {
        const KeyStateEntry entry = KeyStateEntry::parse(c.text);
        EXPECT_EQ(entry.keyCode, "26") << c.text;
        EXPECT_EQ(entry.state.character(), c.state) << c.text;
        EXPECT_EQ(entry.placement, c.placement) << c.text;
        EXPECT_EQ(entry.identifier, c.identifier) << c.text;
        EXPECT_EQ(entry.slot, c.slot) << c.text;
        EXPECT_EQ(entry.newSlot, c.newSlot) << c.text;
        EXPECT_EQ(entry.text() == c.text, c.roundTrips) << c.text << " -> " << entry.text();
    }
}

TEST(KeyStateEntry, LearnedEntriesNameTheirPlacement)
{
    EXPECT_EQ(KeyStateEntry::direct("12", "210000").text(), "12|2|0|210000");
    EXPECT_EQ(KeyStateEntry::inSlot("12", 5, false).text(), "12|2|1|05");
    EXPECT_EQ(KeyStateEntry::inSlot("12", 0xAB, true).text(), "12|2|1|ABFFFF");
    EXPECT_EQ(KeyStateEntry::loaded("12", KeyState::NoCode).text(), "12|0");
}

TEST(KeyState, AnswersFromItsCharacterOnly)
{
    struct
    {
        char c;
        bool holdsCode, learned, foreign;
    } const cases[] = {{'0', false, false, false}, {'1', true, false, true}, {'2', true, true, false}};
    for (const auto& c : cases) {
        const auto state = KeyState::fromChar(c.c);
        ASSERT_TRUE(state) << c.c;
        EXPECT_EQ(state->character(), c.c);
        EXPECT_EQ(state->holdsCode(), c.holdsCode) << c.c;
        EXPECT_EQ(state->learned(), c.learned) << c.c;
        EXPECT_EQ(state->foreign(), c.foreign) << c.c;
    }
    for (const char c : {'3', ' ', '\0', 'a'})
        EXPECT_FALSE(KeyState::fromChar(c)) << static_cast<int>(c);
}

} // namespace
