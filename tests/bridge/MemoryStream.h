#pragma once

#include "BridgeProtocol.h"
#include "ByteStream.h"

#include <cstring>
#include <string>
#include <vector>

namespace qmv::test {

// A stream whose input is prepared in advance and whose output is kept, to drive the bridge's
// server and read its replies without a second process.
class MemoryStream : public bridge::ByteStream
{
public:
    void queue(const bridge::MessageWriter& request)
    {
        const std::string& payload = request.payload();
        queueRaw(lengthPrefix(static_cast<std::uint32_t>(payload.size())) + payload);
    }
    void queueRaw(const std::string& bytes) { m_input += bytes; }

    static std::string lengthPrefix(std::uint32_t length)
    {
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((length >> shift) & 0xFF));
        return bytes;
    }

    bool readExact(char* data, std::size_t size) override
    {
        if (m_input.size() - m_read < size)
            return false;
        std::memcpy(data, m_input.data() + m_read, size);
        m_read += size;
        return true;
    }
    bool writeAll(const char* data, std::size_t size) override
    {
        m_output.append(data, size);
        return true;
    }

    // The reply frames written so far, each as its payload.
    std::vector<std::string> replies() const
    {
        MemoryStream copy;
        copy.queueRaw(m_output);
        std::vector<std::string> payloads;
        while (auto payload = bridge::readFrame(copy))
            payloads.push_back(*payload);
        return payloads;
    }

private:
    std::string m_input;
    std::size_t m_read = 0;
    std::string m_output;
};

} // namespace qmv::test
