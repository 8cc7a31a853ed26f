// SIGTERM, the polite request to end that a session or service manager sends, as an ordinary event.
#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace zorvane {

// Blocks SIGTERM and reads it from a descriptor instead, so that the program can answer it the
// way it answers a closed window and end with exit code 0. Build it before the QApplication: the
// threads that Qt starts inherit the blocked signal, so that none of them is killed by it. It
// stays blocked for good: a request that comes while the program is ending changes nothing.
class TerminationRequest {
public:
    TerminationRequest();
    ~TerminationRequest();
    TerminationRequest(const TerminationRequest&) = delete;
    TerminationRequest& operator=(const TerminationRequest&) = delete;

    // `answer` runs in the event loop once SIGTERM has come, even if it came before this call.
    void onRequest(std::function<void()> answer);

private:
    int m_descriptor = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace zorvane
