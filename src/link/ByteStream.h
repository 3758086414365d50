#pragma once

#include <cstddef>

namespace qmv::bridge {

// One end of a byte pipe between the program and its link bridge.
class ByteStream
{
public:
    virtual ~ByteStream() = default;
    // False at the end of the stream or on an error; a short read is an error.
    virtual bool readExact(char* data, std::size_t size) = 0;
    virtual bool writeAll(const char* data, std::size_t size) = 0;
};

// A stream over the platform's pipe handles (file descriptors, or Windows handles carried in an
// integer wide enough for either). The stream closes what it owns.
class PipeStream : public ByteStream
{
public:
    using Handle = long long;
    PipeStream(Handle input, Handle output, bool owned);
    ~PipeStream() override;
    PipeStream(const PipeStream&) = delete;
    PipeStream& operator=(const PipeStream&) = delete;

    // The process's own standard input and output, made binary.
    static PipeStream standardStreams();

    bool readExact(char* data, std::size_t size) override;
    bool writeAll(const char* data, std::size_t size) override;
    // Ends the output, so the other side sees the end of its input.
    void closeOutput();

private:
    Handle m_input;
    Handle m_output;
    bool m_owned;
};

} // namespace qmv::bridge
