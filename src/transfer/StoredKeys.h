#pragma once

#include "CodeForm.h"
#include "ImageModel.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>

namespace qmv {
class RemoteLink;
}

namespace qmv::transfer {

// The stored codes of the remote's keys. The tables come from the loaded image; a code kept in a
// slot needs its data, which is read from the remote once per slot and kept.
class StoredKeys
{
public:
    StoredKeys(const RemoteLink& link, const ImageSnapshot& image);

    const ImageSnapshot& image() const { return m_image; }
    int recordIndex(int area, int row) const { return area * m_image.layout.keycount + row; }
    // The code the key holds in the area (learned here or elsewhere); nothing when it holds none
    // or its slot cannot be read.
    std::optional<StoredCode> code(int area, int row) const;
    // How many link calls reading slot data has cost so far.
    int reads() const { return m_reads; }

private:
    std::optional<std::string> slotData(int slot) const;

    const RemoteLink& m_link;
    ImageSnapshot m_image;
    mutable std::map<int, std::string> m_slotData;
    mutable int m_reads = 0;
};

enum class StoredFormKind { None, Protocol, Pulse, Raw, Other };

// What a key holds, in the words the window's hint, the signal view and `info` share.
struct KeyDescription
{
    std::string keyCode;
    std::string label;
    int area = 0;
    KeyState state = KeyState::NoCode;
    StoredFormKind form = StoredFormKind::None;
    std::optional<ProtocolInfo> protocol;
    std::uint32_t addressValue = 0;
    std::uint32_t commandValue = 0;
    std::size_t durations = 0; // marks and spaces the remote sends
    std::uint32_t totalUs = 0;
    std::uint32_t carrierHz = 0;
    int recordBytes = 0;
    int slotBytes = 0;
    std::optional<int> slot;
    int sharingKeys = 0; // other keys whose records name the same slot
};

KeyDescription describeKey(const StoredKeys& keys, int area, int row);
// "NEC 0x04 / 0x08, 22 + 0 字节" and so on, one line a fact.
std::string descriptionText(const KeyDescription& description);
nlohmann::json descriptionJson(const KeyDescription& description);

} // namespace qmv::transfer
