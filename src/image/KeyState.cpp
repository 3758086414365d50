#include "KeyState.h"

#include "HexText.h"

namespace qmv {

namespace {

constexpr char kSeparator = '|';
constexpr std::size_t kKeyCodeChars = 2;
constexpr char kDirectKind = '0';
constexpr char kSlotKind = '1';
constexpr std::string_view kNewSlotMark = "FFFF";

} // namespace

std::optional<KeyState> KeyState::fromChar(char c)
{
    for (const Value value : {NoCode, Foreign, Learned})
        if (c == value)
            return KeyState(value);
    return std::nullopt;
}

KeyStateEntry KeyStateEntry::parse(std::string_view text)
{
    // key code, "|", state, then "|", kind, "|", reference
    constexpr std::size_t stateAt = kKeyCodeChars + 1;
    constexpr std::size_t kindAt = stateAt + 2;
    constexpr std::size_t referenceAt = kindAt + 2;
    KeyStateEntry entry;
    entry.keyCode = std::string(text.substr(0, kKeyCodeChars));
    if (text.size() > stateAt)
        entry.state = KeyState::fromChar(text[stateAt]).value_or(KeyState::NoCode);
    if (text.size() <= referenceAt || text[kindAt - 1] != kSeparator || text[referenceAt - 1] != kSeparator)
        return entry;
    const std::string_view reference = text.substr(referenceAt);
    if (text[kindAt] == kDirectKind) {
        entry.placement = Placement::Direct;
        entry.identifier = std::string(reference);
    } else if (const auto slot = hex::byteAt(reference, 0); text[kindAt] == kSlotKind && slot) {
        entry.placement = Placement::Slot;
        entry.slot = *slot;
        entry.newSlot = reference.substr(2) == kNewSlotMark;
    }
    return entry;
}

KeyStateEntry KeyStateEntry::loaded(std::string keyCode, KeyState state)
{
    return {std::move(keyCode), state};
}

KeyStateEntry KeyStateEntry::direct(std::string keyCode, std::string identifier)
{
    return {std::move(keyCode), KeyState::Learned, Placement::Direct, std::move(identifier)};
}

KeyStateEntry KeyStateEntry::inSlot(std::string keyCode, int slot, bool newSlot)
{
    return {std::move(keyCode), KeyState::Learned, Placement::Slot, {}, slot, newSlot};
}

std::string KeyStateEntry::text() const
{
    std::string text = keyCode + kSeparator + state.character();
    if (placement == Placement::Direct)
        text += std::string{kSeparator, kDirectKind, kSeparator} + identifier;
    else if (placement == Placement::Slot)
        text += std::string{kSeparator, kSlotKind, kSeparator} + hex::byte(slot) +
                std::string(newSlot ? kNewSlotMark : "");
    return text;
}

} // namespace qmv
