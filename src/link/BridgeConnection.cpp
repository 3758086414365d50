#include "BridgeConnection.h"

#include "SharedLibrary.h"
#include "Text.h"

namespace qmv::bridge {

BridgeConnection::BridgeConnection(std::unique_ptr<BridgeProcess> process)
    : m_process(std::move(process))
{
}

std::shared_ptr<BridgeConnection> BridgeConnection::open(const std::string& program, Library library,
                                                         const std::string& folder, std::string* error)
{
    return open(BridgeLaunch{{program}, {}, folder}, library, error);
}

std::shared_ptr<BridgeConnection> BridgeConnection::open(const BridgeLaunch& launch, Library library,
                                                         std::string* error)
{
    const std::string& program = launch.command.back();
    const std::string& folder = launch.folder;
    std::string reason;
    auto process = BridgeProcess::start(launch.command, launch.environment, &reason);
    if (!process) {
        *error = formatText(translate("qmv::LinkLibrary", "无法启动连接桥 %1：%2"), {program, reason});
        return nullptr;
    }
    std::shared_ptr<BridgeConnection> connection(new BridgeConnection(std::move(process)));

    const auto hello =
        connection->call(MessageWriter(Operation::Hello).u32(protocolMagic).u32(protocolVersion));
    const std::string helloText = hello.value_or(std::string());
    MessageReader helloReply(helloText);
    const std::uint32_t magic = helloReply.u32();
    const std::uint32_t version = helloReply.u32();
    if (!hello || !helloReply.complete() || magic != protocolMagic) {
        *error = formatText(translate("qmv::LinkLibrary", "连接桥 %1 没有应答。"), {program});
        return nullptr;
    }
    if (version != protocolVersion) {
        *error = formatText(translate("qmv::LinkLibrary", "连接桥 %1 的协议版本 %2 与本程序的版本 %3 不符。"),
                            {program, std::to_string(version), std::to_string(protocolVersion)});
        return nullptr;
    }

    const auto loaded = connection->call(
        MessageWriter(Operation::Load).u32(static_cast<std::uint32_t>(library)).text(folder.c_str()));
    const std::string loadText = loaded.value_or(std::string());
    MessageReader loadReply(loadText);
    const bool ok = loadReply.u32() != 0;
    std::string loadError = loadReply.bytes();
    if (!loaded || !loadReply.complete()) {
        *error = formatText(translate("qmv::LinkLibrary", "连接桥 %1 在加载库时中断。"), {program});
        return nullptr;
    }
    if (!ok) {
        *error = loadError;
        return nullptr;
    }
    return connection;
}

std::shared_ptr<BridgeConnection> BridgeConnection::openFor(Library library, const std::string& folder,
                                                            const std::string& fileName, std::string* error)
{
    std::string reason;
    std::shared_ptr<BridgeConnection> connection;
    if (const auto launch = bridgeLaunchFor(programFolder(), folder, fileName, &reason))
        connection = open(*launch, library, &reason);
    if (!connection && error)
        *error = reason;
    return connection;
}

std::optional<std::string> BridgeConnection::call(const MessageWriter& request)
{
    std::lock_guard guard(m_mutex);
    if (m_ended)
        return std::nullopt;
    auto reply = exchange(request);
    if (!reply)
        m_ended = true;
    return reply;
}

std::optional<std::string> BridgeConnection::exchange(const MessageWriter& request)
{
    if (!writeFrame(m_process->stream(), request.payload()))
        return std::nullopt;
    auto reply = readFrame(m_process->stream());
    // A reply always names the operation it answers; anything else means the two sides are lost.
    if (!reply || MessageReader(*reply).operation() != MessageReader(request.payload()).operation())
        return std::nullopt;
    return reply;
}

bool BridgeConnection::ended() const
{
    std::lock_guard guard(m_mutex);
    return m_ended;
}

} // namespace qmv::bridge
