#include "BridgedFunctions.h"

#include <cstring>
#include <mutex>

namespace qmv::bridge {

namespace {

class BridgeSlot
{
public:
    void install(std::shared_ptr<BridgeConnection> connection)
    {
        std::lock_guard guard(m_mutex);
        m_connection = std::move(connection);
    }
    void release(const BridgeConnection* connection)
    {
        std::lock_guard guard(m_mutex);
        if (m_connection.get() == connection)
            m_connection.reset();
    }
    // The reply of the installed bridge, or nothing.
    std::optional<std::string> call(const MessageWriter& request)
    {
        std::shared_ptr<BridgeConnection> connection;
        {
            std::lock_guard guard(m_mutex);
            connection = m_connection;
        }
        return connection ? connection->call(request) : std::nullopt;
    }

private:
    std::mutex m_mutex;
    std::shared_ptr<BridgeConnection> m_connection;
};

BridgeSlot& linkSlot()
{
    static BridgeSlot slot;
    return slot;
}

BridgeSlot& converterSlot()
{
    static BridgeSlot slot;
    return slot;
}

tavrio_bool resultOnly(const MessageWriter& request)
{
    const auto reply = linkSlot().call(request);
    if (!reply)
        return 0;
    MessageReader reader(*reply);
    const std::uint32_t result = reader.u32();
    return reader.complete() && result != 0 ? 1 : 0;
}

// Asks for an operation that fills a buffer of `size` bytes and copies the bridge's buffer into
// the caller's, all of it, as the library itself would have filled it.
tavrio_bool intoBuffer(MessageWriter request, char* buffer, std::uint32_t size)
{
    if (!buffer || size == 0 || size > maxBufferBytes)
        return 0;
    const auto reply = linkSlot().call(request);
    if (!reply)
        return 0;
    MessageReader reader(*reply);
    const std::uint32_t result = reader.u32();
    const std::string filled = reader.bytes();
    if (!reader.complete() || filled.size() != size)
        return 0;
    std::memcpy(buffer, filled.data(), size);
    return result != 0 ? 1 : 0;
}

tavrio_bool TAVRIO_CALL linkState()
{
    return resultOnly(MessageWriter(Operation::LinkState));
}

tavrio_bool TAVRIO_CALL readVersion(char* buffer)
{
    return intoBuffer(MessageWriter(Operation::ReadVersion).u32(TAVRIO_VERSION_BUFFER), buffer,
                      TAVRIO_VERSION_BUFFER);
}

tavrio_bool TAVRIO_CALL basicInfo(char* buffer)
{
    return intoBuffer(MessageWriter(Operation::BasicInfo).u32(TAVRIO_BASICINFO_BUFFER), buffer,
                      TAVRIO_BASICINFO_BUFFER);
}

tavrio_bool TAVRIO_CALL readData(char* buffer, int count, const char* high, const char* low,
                                 const char* selector)
{
    // The library writes 16 characters per unit and nothing more: the smallest buffer any caller
    // hands it for `count` units.
    if (count <= 0 || static_cast<std::uint32_t>(count) > maxBufferBytes / TAVRIO_CHARS_PER_UNIT)
        return 0;
    const auto size = static_cast<std::uint32_t>(count) * TAVRIO_CHARS_PER_UNIT;
    MessageWriter request(Operation::ReadData);
    request.u32(size).u32(static_cast<std::uint32_t>(count)).text(high).text(low).text(selector);
    return intoBuffer(std::move(request), buffer, size);
}

tavrio_bool TAVRIO_CALL writeData(const char* tag, const char* high, const char* low, const char* data)
{
    if (data && std::strlen(data) > maxBufferBytes)
        return 0;
    return resultOnly(MessageWriter(Operation::WriteData).text(tag).text(high).text(low).text(data));
}

tavrio_bool TAVRIO_CALL setCodeCarrierWave()
{
    return resultOnly(MessageWriter(Operation::SetCarrierWave));
}

tavrio_bool TAVRIO_CALL collectCodeInfo(char* buffer)
{
    return intoBuffer(MessageWriter(Operation::CollectCode).u32(TAVRIO_CAPTURE_BUFFER), buffer,
                      TAVRIO_CAPTURE_BUFFER);
}

const char* TAVRIO_CALL convertCode(const char* text, int mode)
{
    // Like the library's own result: the calling thread's buffer, valid until its next call.
    // A failed call gives the empty text, as a failed conversion does.
    static constexpr const char* nothing = "";
    if (text && std::strlen(text) > maxBufferBytes)
        return nothing;
    const auto reply = converterSlot().call(
        MessageWriter(Operation::ConvertCode).text(text).u32(static_cast<std::uint32_t>(mode)));
    if (!reply)
        return nothing;
    MessageReader reader(*reply);
    const auto converted = reader.text();
    if (!reader.complete())
        return nothing;
    if (!converted)
        return nullptr;
    thread_local std::string result;
    result = *converted;
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.InnerPointer): thread_local, lives on after return
    return result.c_str();
}

} // namespace

LinkFunctions bridgedLinkFunctions()
{
    LinkFunctions f;
    f.linkState = linkState;
    f.readVersion = readVersion;
    f.basicInfo = basicInfo;
    f.readData = readData;
    f.writeData = writeData;
    f.setCodeCarrierWave = setCodeCarrierWave;
    f.collectCodeInfo = collectCodeInfo;
    return f;
}

ConvertCodeFunction bridgedConvertCode()
{
    return convertCode;
}

void installLinkBridge(std::shared_ptr<BridgeConnection> connection)
{
    linkSlot().install(std::move(connection));
}

void installConverterBridge(std::shared_ptr<BridgeConnection> connection)
{
    converterSlot().install(std::move(connection));
}

void releaseBridge(const BridgeConnection* connection)
{
    linkSlot().release(connection);
    converterSlot().release(connection);
}

} // namespace qmv::bridge
