#pragma once

#include "ProtocolRow.h"
#include "Signal.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qmv::codeform {

struct ProtocolField;

// The one engine that reads a table row both ways.
class Protocol
{
public:
    using Field = ProtocolField;

    explicit Protocol(const ProtocolRow& row);
    ~Protocol();
    Protocol(Protocol&&) noexcept;
    Protocol& operator=(Protocol&&) noexcept;

    const ProtocolRow& row() const { return *m_row; }
    std::string_view name() const { return m_row->name; }
    std::uint8_t number() const { return m_row->number; }
    std::uint8_t extension() const { return m_row->extension; }
    std::uint32_t carrierHz() const { return m_row->carrierHz; }
    bool hasToggle() const { return m_hasToggle; }
    bool hasRepeatFrame() const { return m_row->repeat != RepeatFrame::Full || m_row->timing.repeatLeadMark; }
    // Its repeat frame carries the whole message, so a capture may start with it.
    bool repeatCarriesMessage() const
    {
        return m_row->repeat == RepeatFrame::NoHeader ||
               (m_row->repeat == RepeatFrame::Full && m_row->timing.repeatLeadMark);
    }
    bool alternates() const { return m_row->alternates; }
    bool hasSecondPart() const { return m_twoPart; }
    std::uint32_t addressMask() const { return m_addressMask; }
    // Rows whose frames the receiver hears joined: the durations of one frame; 0 for the others.
    std::size_t joinedFrameSize() const;
    // The space that joins a frame to the next: its last bit's space and the pause.
    Pulse joiningSpace(const PulseTrain& frame) const;
    std::uint32_t commandMask() const { return m_commandMask; }
    // The durations of each piece the receiver makes of a frame of this kind, whatever its message:
    // it takes every space of at least kReceiverGapUs for a gap between frames (B&O's start and stop
    // spaces). One piece in most rows.
    const std::vector<std::size_t>& receiverPieces(FrameKind kind) const
    {
        return m_pieces[kind == FrameKind::Full ? 0 : 1];
    }
    bool spansReceiverGaps() const { return m_pieces[0].size() > 1 || m_pieces[1].size() > 1; }

    bool accepts(const Message& message) const;
    // The message of a full frame, read with generous tolerance; the caller checks the fit.
    std::optional<Message> decode(const Durations& frame) const;
    // The whole message of a two-part code, from its first part and a frame of its second.
    std::optional<Message> decodeSecondPart(const Durations& frame, const Message& firstPart) const;
    // The message of a repeat frame that carries the whole message (JVC's frame without its lead,
    // DirecTV's with a shorter lead), for captures taken while the key was already held.
    std::optional<Message> decodeRepeat(const Durations& frame) const;
    PulseTrain render(const Message& message, FrameKind kind) const;

private:
    // A frame's bits in the order sent; no frame of the table has more.
    class Bits
    {
    public:
        static constexpr std::size_t kCapacity = 256;
        void push_back(bool bit)
        {
            if (bit)
                m_words[m_size / 64] |= std::uint64_t{1} << (m_size % 64);
            ++m_size;
        }
        bool operator[](std::size_t i) const { return ((m_words[i / 64] >> (i % 64)) & 1u) != 0; }
        void set(std::size_t i, bool bit)
        {
            const std::uint64_t mask = std::uint64_t{1} << (i % 64);
            m_words[i / 64] = bit ? m_words[i / 64] | mask : m_words[i / 64] & ~mask;
        }
        std::size_t size() const { return m_size; }
        bool operator==(const Bits&) const = default;

    private:
        std::array<std::uint64_t, kCapacity / 64> m_words{};
        std::size_t m_size = 0;
    };
    Bits encode(const Message& message, const std::vector<Field>& fields) const;
    // The lead mark of a frame of this kind; 0 where it has none.
    std::uint32_t leadMarkOf(FrameKind kind) const;
    std::optional<Bits> readBits(const Durations& frame, const std::vector<Field>& fields,
                                 std::uint32_t leadMark) const;
    std::optional<Message> read(const Durations& frame, const std::vector<Field>& fields, Message message,
                                FrameKind kind = FrameKind::Full) const;
    std::optional<Message> interpret(const Bits& bits, const std::vector<Field>& fields,
                                     Message message) const;
    std::optional<Bits> readSymbolSpaces(const Durations& frame, std::size_t at,
                                         const std::vector<Field>& fields) const;
    std::optional<Bits> readBiphase(const Durations& frame, std::size_t from) const;
    std::optional<Bits> readMarkSpace(const Durations& frame, std::size_t at,
                                      const std::vector<Field>& fields) const;
    std::optional<Bits> readPulsePeriods(const Durations& frame, std::size_t bitCount) const;
    void appendBits(PulseTrain& train, const Bits& bits, const std::vector<Field>& fields) const;

    const ProtocolRow* m_row;
    std::vector<Field> m_fields;
    std::vector<Field> m_repeatFields;
    std::size_t m_bitCount = 0;
    std::uint32_t m_addressMask = 0;
    std::uint32_t m_commandMask = 0;
    bool m_hasToggle = false;
    bool m_twoPart = false;
    std::uint32_t m_longestRun = 2; // Manchester codes: half-bits in one mark or space
    std::array<std::vector<std::size_t>, 2> m_pieces;
    const Protocol* m_defersTo = nullptr;

    friend std::vector<Protocol> buildProtocols();
};

std::span<const Protocol> protocols();
const Protocol* protocolByNumber(std::uint8_t number, std::uint8_t extension = 0);
// By its name or an alias.
const Protocol* protocolByName(std::string_view name);

// Loose match of a learned length to a standard one, for telling protocols apart.
inline bool roughlyEqual(std::uint32_t learned, std::uint32_t nominal)
{
    const std::uint32_t difference = learned > nominal ? learned - nominal : nominal - learned;
    return difference <= 0.35 * nominal + 60.0;
}

} // namespace qmv::codeform
