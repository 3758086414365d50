#pragma once

#include "Signal.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qmv::codeform {

// One mark or space of a protocol frame: its standard length and the timing class whose learned
// trim applies to it (header mark, bit space, Manchester half-bit, ...).
struct Pulse
{
    std::uint8_t timingClass;
    std::uint32_t nominalUs;
};
using PulseTrain = std::vector<Pulse>;

inline constexpr std::size_t kTimingClasses = 5;

struct Message
{
    std::uint32_t address = 0;
    std::uint32_t command = 0;
    bool toggle = false;

    bool operator==(const Message&) const = default;
};

// Frames after the first are either the full frame again or the protocol's repeat frame (NEC's
// ditto, JVC's headerless frame, Sharp's inverted frame).
enum class FrameKind { Full, Repeat };

class Protocol
{
public:
    virtual ~Protocol() = default;

    virtual std::string_view name() const = 0;
    // The first byte of the identifier: below 22 hex.
    virtual std::uint8_t number() const = 0;
    virtual std::uint32_t carrierHz() const = 0;
    virtual bool hasToggle() const { return false; }
    // Whether the repeat frame differs from the full one.
    virtual bool hasRepeatFrame() const { return false; }

    virtual bool accepts(const Message& message) const = 0;
    // The message of a full frame, read with generous tolerance; the caller checks the fit.
    virtual std::optional<Message> decode(const Durations& frame) const = 0;
    virtual PulseTrain render(const Message& message, FrameKind kind) const = 0;
};

std::span<const std::unique_ptr<Protocol>> protocols();
const Protocol* protocolByNumber(std::uint8_t number);
const Protocol* protocolByName(std::string_view name);

// Loose match of a learned length to a standard one, for telling protocols apart.
bool roughlyEqual(std::uint32_t learned, std::uint32_t nominal);

} // namespace qmv::codeform
