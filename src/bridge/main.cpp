// qmv718-linkbridge: loads the maker's link library and code converter into a process of their
// own word size and serves their operations to the learning tool over standard input and output.
// The tool starts it when it cannot load the libraries itself; it ends when the tool lets go.
#include "BridgeServer.h"

#include <cstdio>

int main()
{
    auto stream = qmv::bridge::PipeStream::standardStreams();
    qmv::bridge::BridgeServer server;
    if (server.serve(stream) == qmv::bridge::BridgeServer::Outcome::ProtocolBroken) {
        std::fputs("qmv718-linkbridge: a request broke the protocol; stopping\n", stderr);
        return 2;
    }
    return 0;
}
