#include "ByteStream.h"

#include <cstdint>
#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace qmv::bridge {

PipeStream::PipeStream(Handle input, Handle output, bool owned)
    : m_input(input)
    , m_output(output)
    , m_owned(owned)
{
}

#if defined(_WIN32)

namespace {
HANDLE toHandle(PipeStream::Handle handle)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle));
}
constexpr PipeStream::Handle noHandle = -1;
} // namespace

PipeStream PipeStream::standardStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    return PipeStream(reinterpret_cast<std::intptr_t>(GetStdHandle(STD_INPUT_HANDLE)),
                      reinterpret_cast<std::intptr_t>(GetStdHandle(STD_OUTPUT_HANDLE)), false);
}

PipeStream::~PipeStream()
{
    if (!m_owned)
        return;
    if (m_input != noHandle)
        CloseHandle(toHandle(m_input));
    closeOutput();
}

void PipeStream::closeOutput()
{
    if (m_owned && m_output != noHandle) {
        CloseHandle(toHandle(m_output));
        m_output = noHandle;
    }
}

bool PipeStream::readExact(char* data, std::size_t size)
{
    while (size > 0) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(size);
        if (!ReadFile(toHandle(m_input), data, want, &got, nullptr) || got == 0)
            return false;
        data += got;
        size -= got;
    }
    return true;
}

bool PipeStream::writeAll(const char* data, std::size_t size)
{
    if (m_output == noHandle)
        return false;
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(toHandle(m_output), data, static_cast<DWORD>(size), &put, nullptr) || put == 0)
            return false;
        data += put;
        size -= put;
    }
    return true;
}

#else

namespace {
constexpr PipeStream::Handle noHandle = -1;
}

PipeStream PipeStream::standardStreams()
{
    return PipeStream(STDIN_FILENO, STDOUT_FILENO, false);
}

PipeStream::~PipeStream()
{
    if (!m_owned)
        return;
    closeOutput();
    if (m_input != noHandle)
        ::close(static_cast<int>(m_input));
}

void PipeStream::closeOutput()
{
    if (!m_owned || m_output == noHandle)
        return;
    // The two directions may share one socket: shut down writing only, the reply may still come.
    if (m_output == m_input)
        ::shutdown(static_cast<int>(m_output), SHUT_WR);
    else
        ::close(static_cast<int>(m_output));
    m_output = noHandle;
}

bool PipeStream::readExact(char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::read(static_cast<int>(m_input), data, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool PipeStream::writeAll(const char* data, std::size_t size)
{
    if (m_output == noHandle)
        return false;
    while (size > 0) {
        // send() on a socket reports a vanished reader as an error instead of a SIGPIPE; the
        // bridge's own standard output is a plain descriptor, written with write().
        ssize_t put = ::send(static_cast<int>(m_output), data, size, MSG_NOSIGNAL);
        if (put < 0 && errno == ENOTSOCK)
            put = ::write(static_cast<int>(m_output), data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

#endif

} // namespace qmv::bridge
