// SIGTERM, the polite request to end that a session or service manager sends, as an ordinary event.
#include "terminationrequest.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <utility>

namespace zorvane {

TerminationRequest::TerminationRequest()
{
    sigset_t terminate;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &terminate, nullptr);
    m_descriptor = signalfd(-1, &terminate, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_descriptor < 0) {
        // Unread, the request would be lost: let SIGTERM end the program as it would by default.
        pthread_sigmask(SIG_UNBLOCK, &terminate, nullptr);
    }
}

TerminationRequest::~TerminationRequest()
{
    m_notifier.reset();
    if (m_descriptor >= 0) {
        close(m_descriptor);
    }
}

void TerminationRequest::onRequest(std::function<void()> answer)
{
    if (m_descriptor < 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_descriptor, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [descriptor = m_descriptor, answer = std::move(answer)] {
                         // Requests that came together are answered once.
                         signalfd_siginfo info;
                         constexpr auto infoSize = static_cast<ssize_t>(sizeof info);
                         while (read(descriptor, &info, sizeof info) == infoSize) {
                         }
                         answer();
                     });
}

}  // namespace zorvane
