#pragma once

#include <chrono>

namespace qmv {

// How long a transfer may take, and how far it may be sent elsewhere.
struct TransferLimits
{
    // Until the request has gone out on a connection.
    std::chrono::milliseconds connect{15000};
    // Between two signs of life once the request is out: the headers, a piece of the body.
    std::chrono::milliseconds stall{15000};
    // The whole transfer, however steadily it trickles.
    std::chrono::milliseconds total{600000};
    int maxRedirects = 3;
};

} // namespace qmv
