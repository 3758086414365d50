#pragma once

// A key's state in one device area, and the key-state list's entries that carry it.

#include <optional>
#include <string>
#include <string_view>

namespace qmv {

class KeyState
{
public:
    enum Value : char {
        NoCode = '0',  // no code stored for the key in the area
        Foreign = '1', // a code stored that was not learned with this tool: it cannot be deleted
        Learned = '2', // a code learned with this tool
    };

    constexpr KeyState(Value value)
        : m_value(value)
    {
    }
    // The state of its character; nothing for any other character.
    static std::optional<KeyState> fromChar(char c);

    constexpr char character() const { return m_value; }
    constexpr bool holdsCode() const { return m_value != NoCode; }
    constexpr bool learned() const { return m_value == Learned; }
    constexpr bool foreign() const { return m_value == Foreign; }

    constexpr bool operator==(const KeyState&) const = default;

private:
    Value m_value;
};

// One entry of the key-state list: the key code, "|" and the state ("26|2"); a key learned since
// start-up carries where its code went: "|0|" and the code identifier when the record holds it
// ("26|2|0|010000"), "|1|" and the slot number when a slot does, followed by "FFFF" when that learn
// took the slot ("26|2|1|00FFFF").
struct KeyStateEntry
{
    enum class Placement { Unknown, Direct, Slot };

    std::string keyCode;
    KeyState state = KeyState::NoCode;
    Placement placement = Placement::Unknown;
    std::string identifier; // Direct
    int slot = -1;          // Slot
    bool newSlot = false;   // Slot

    // An entry as the list holds it: a state that is missing or not one of the three is no code,
    // a placement that cannot be read is unknown.
    static KeyStateEntry parse(std::string_view text);
    static KeyStateEntry loaded(std::string keyCode, KeyState state);
    static KeyStateEntry direct(std::string keyCode, std::string identifier);
    static KeyStateEntry inSlot(std::string keyCode, int slot, bool newSlot);

    std::string text() const;
};

} // namespace qmv
