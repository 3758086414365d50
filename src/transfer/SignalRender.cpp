#include "SignalRender.h"

#include <cstdio>

namespace qmv::transfer {

namespace {

void appendWord(std::string& body, std::uint32_t value)
{
    char word[8];
    std::snprintf(word, sizeof word, "%04X", static_cast<unsigned>(value & 0xFFFF));
    body += word;
}

std::variant<StoredCode, std::string> renderProtocol(const ProtocolSignal& signal)
{
    if (const auto code = protocolCode(signal.protocol, signal.address, signal.command))
        return *code;
    // Every protocol of the table takes address 0 and command 0; so a name refused even then is
    // not in the table, and otherwise the values are what the protocol cannot carry.
    if (!protocolCode(signal.protocol, 0, 0))
        return "未知的协议“" + signal.protocol + "”";
    char values[80];
    std::snprintf(values, sizeof values, "地址 0x%X / 命令 0x%X 超出了 %s 协议的范围", signal.address,
                  signal.command, signal.protocol.c_str());
    return std::string(values);
}

} // namespace

std::string encodedBody(std::vector<std::uint32_t> durations)
{
    if (durations.size() % 2 == 0 && !durations.empty())
        durations.pop_back(); // the pause after the signal, whatever its length
    std::string body;
    int frames = 1;
    for (std::size_t i = 0; i < durations.size(); ++i) {
        const bool space = i % 2 == 1;
        if (space && durations[i] >= kFrameGapUs) {
            body += "FEFE";
            appendWord(body, durations[i] / 1000);
            body += "EDED";
            ++frames;
        } else {
            appendWord(body, durations[i]);
        }
    }
    body += frames == 1 ? "FEFE0014EDED" : "EDED";
    return body;
}

std::variant<StoredCode, std::string> renderSignal(const IrSignal& signal)
{
    if (signal.stored)
        return *signal.stored;
    if (signal.protocol)
        return renderProtocol(*signal.protocol);
    const auto code = parseConverterOutput(convert(encodedBody(signal.durations)));
    if (!code)
        return std::string("遥控器无法保存这个信号（时长太多或无法转换）");
    return *code;
}

std::vector<std::uint32_t> playedDurations(const StoredCode& code)
{
    const auto playback = play(code.identifier, code.parameters, code.data);
    return playback ? playback->durations : std::vector<std::uint32_t>{};
}

} // namespace qmv::transfer
