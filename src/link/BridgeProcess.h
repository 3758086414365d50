#pragma once

#include "ByteStream.h"

#include <memory>
#include <string>
#include <vector>

namespace qmv::bridge {

// The link bridge program running as a child of this one, its standard input and output joined
// to a stream of ours. Going away closes the stream, which ends the bridge, and reaps it.
class BridgeProcess
{
public:
    // The program's file name in the program folder.
#if defined(_WIN32)
    static constexpr const char* programName = "qmv718-linkbridge.exe";
#else
    static constexpr const char* programName = "qmv718-linkbridge";
#endif

    // Runs `command` (the program first, then its arguments), with the "NAME=value" entries of
    // `environment` added where those variables are unset.
    static std::unique_ptr<BridgeProcess> start(const std::vector<std::string>& command,
                                                const std::vector<std::string>& environment,
                                                std::string* error);
    ~BridgeProcess();
    BridgeProcess(const BridgeProcess&) = delete;
    BridgeProcess& operator=(const BridgeProcess&) = delete;

    ByteStream& stream()
    {
        return *m_stream;
    }

private:
    BridgeProcess(std::unique_ptr<PipeStream> stream, long long process);
    std::unique_ptr<PipeStream> m_stream;
    long long m_process; // pid, or the process handle on Windows
};

} // namespace qmv::bridge
