#include "SignalRender.h"

#include "EncodedBody.h"
#include "Text.h"

#include <cstdio>

namespace qmv::transfer {

namespace {

constexpr Texts shown{"qmv::transfer"};

std::variant<StoredCode, std::string> renderProtocol(const ProtocolSignal& signal)
{
    if (const auto code = protocolCode(signal.protocol, signal.address, signal.command))
        return *code;
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

std::string encodedBody(std::vector<std::uint32_t> durations)
{
    if (durations.size() % 2 == 0 && !durations.empty())
        durations.pop_back(); // the pause after the signal, whatever its length
    std::string encoded;
    long frames = 1;
    for (std::size_t i = 0; i < durations.size(); ++i) {
        const bool space = i % 2 == 1;
        if (space && durations[i] >= kFrameGapUs) {
            body::appendFrameGap(encoded, durations[i] / 1000);
            ++frames;
        } else {
            body::appendValue(encoded, durations[i] & 0xFFFF);
        }
    }
    body::appendEnd(encoded, frames);
    return encoded;
}

std::variant<StoredCode, std::string> renderSignal(const IrSignal& signal)
{
    if (signal.stored)
        return *signal.stored;
    if (signal.protocol)
        return renderProtocol(*signal.protocol);
    const auto code = parseConverterOutput(convert(encodedBody(signal.durations)));
    if (!code)
        return shown(QT_TRANSLATE_NOOP("qmv::transfer", "遥控器无法保存这个信号（时长太多或无法转换）"));
    return *code;
}

std::vector<std::uint32_t> playedDurations(const StoredCode& code)
{
    const auto playback = play(code.identifier, code.parameters, code.data);
    return playback ? playback->durations : std::vector<std::uint32_t>{};
}

} // namespace qmv::transfer
