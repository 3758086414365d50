#include "SignalRender.h"

#include "CaptureEncoding.h"
#include "CaptureFormat.h"
#include "EncodedBody.h"
#include "Text.h"

#include <cstdio>
#include <optional>

namespace qmv::transfer {

namespace {

constexpr Texts shown{"qmv::transfer"};

std::string cannotStore()
{
    return shown(QT_TRANSLATE_NOOP("qmv::transfer", "遥控器无法保存这个信号（时长太多或无法转换）"));
}

// Why the receiver could not have captured the durations (empty and zero durations in the words
// the reader refuses them with).
std::string unfitReason(const capture::Unfitting& unfit, const std::vector<std::uint32_t>& durations)
{
    const std::string value = unfit.index < durations.size() ? std::to_string(durations[unfit.index]) : "";
    switch (unfit.fault) {
    case capture::Unfit::NoDurations:
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "没有时长"));
    case capture::Unfit::ZeroDuration:
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "时长不能为 0"));
    case capture::Unfit::MarkTooLong:
        return shown(
            QT_TRANSLATE_NOOP("qmv::transfer", "载波时长 %1 µs 超出了接收器能记录的范围（最长 %2 µs）"),
            {value, std::to_string(capture::longestMarkMicros)});
    case capture::Unfit::SpaceTooLong:
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "间隔 %1 µs 超出了接收器能记录的范围（最长 %2 µs）"),
                     {value, std::to_string(capture::longestSpaceMicros)});
    case capture::Unfit::BufferFull:
        break;
    }
    return shown(QT_TRANSLATE_NOOP("qmv::transfer", "信号太长，接收器的记录在第 %1 个时长处已满"),
                 {std::to_string(unfit.index + 1)});
}

// A space the receiver shortens to nothing would be stored longer than it is; the pause after
// the signal is never recorded.
std::optional<std::string> unseenSpace(const std::vector<std::uint32_t>& durations)
{
    for (std::size_t i = 1; i + 1 < durations.size(); i += 2)
        if (durations[i] < capture::shortestSpaceMicros)
            return shown(QT_TRANSLATE_NOOP("qmv::transfer", "间隔 %1 µs 短于接收器能分辨的最短间隔（%2 µs）"),
                         {std::to_string(durations[i]), std::to_string(capture::shortestSpaceMicros)});
    return std::nullopt;
}

std::variant<StoredCode, std::string> renderDurations(const std::vector<std::uint32_t>& durations,
                                                      std::uint32_t carrierHz,
                                                      const CaptureConversion& convert)
{
    if (auto reason = unseenSpace(durations))
        return std::move(*reason);
    capture::Unfitting unfit;
    const auto capture = capture::captureText(durations, carrierHz, &unfit);
    if (!capture)
        return unfitReason(unfit, durations);
    const auto code = parseConverterOutput(convert(*capture));
    if (!code)
        return cannotStore();
    return *code;
}

std::variant<StoredCode, std::string> renderProtocol(const ProtocolSignal& signal,
                                                     const CaptureConversion& convert)
{
    if (const auto code = protocolCode(signal.protocol, signal.address, signal.command)) {
        const auto played = play(code->identifier, code->parameters, code->data);
        if (!played)
            return cannotStore();
        return renderDurations(played->durations, played->carrierHz, convert);
    }
    // Every protocol of the table takes address 0 and command 0; so a name refused even then is
    // not in the table, and otherwise the values are what the protocol cannot carry.
    if (!protocolCode(signal.protocol, 0, 0))
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "未知的协议“%1”"), {signal.protocol});
    char address[16];
    char command[16];
    std::snprintf(address, sizeof address, "0x%X", signal.address);
    std::snprintf(command, sizeof command, "0x%X", signal.command);
    return shown(QT_TRANSLATE_NOOP("qmv::transfer", "地址 %1 / 命令 %2 超出了 %3 协议的范围"),
                 {address, command, signal.protocol});
}

} // namespace

std::string encodedBody(const std::vector<std::uint32_t>& durations)
{
    const auto capture = capture::captureText(durations, 0);
    return capture ? std::string(converterBody(EncodeCapture(TrimCapture(*capture)))) : std::string();
}

std::variant<StoredCode, std::string> renderSignal(const IrSignal& signal, const CaptureConversion& convert)
{
    if (signal.stored)
        return *signal.stored;
    if (signal.protocol)
        return renderProtocol(*signal.protocol, convert);
    return renderDurations(signal.durations, signal.carrierHz, convert);
}

std::vector<std::uint32_t> playedDurations(const StoredCode& code)
{
    const auto playback = play(code.identifier, code.parameters, code.data);
    return playback ? playback->durations : std::vector<std::uint32_t>{};
}

} // namespace qmv::transfer
