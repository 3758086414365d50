#include "TCollectCode.h"

#include <exception>

namespace qmv {

TCollectCode::TCollectCode(Body body, Finished finished)
    : m_body(std::move(body))
    , m_finished(std::move(finished))
    , m_thread([this] { Execute(); })
{
}

TCollectCode::~TCollectCode()
{
    requestStop();
    waitUntilEnded();
}

void TCollectCode::waitUntilEnded()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void TCollectCode::Execute()
{
    CaptureResult collected;
    // A capture never raises errors to the user: whatever goes wrong ends it without a code.
    try {
        collected = m_body(m_stopRequested);
    } catch (const std::exception&) {
        collected = CaptureResult({}, CaptureEnd::Failed);
    }
    m_finished(std::move(collected));
}

} // namespace qmv
