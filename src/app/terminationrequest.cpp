// SIGTERM, the polite request to end that a session or service manager sends, as an ordinary event.
#include "terminationrequest.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <utility>

namespace zorvane {

TerminationRequest::TerminationRequest()
{
    sigset_t terminate;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &terminate, &m_previousMask);
    m_descriptor = signalfd(-1, &terminate, SFD_NONBLOCK | SFD_CLOEXEC);
}

TerminationRequest::~TerminationRequest()
{
    m_notifier.reset();
    if (m_descriptor >= 0) {
        close(m_descriptor);
    }
    pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
}

void TerminationRequest::onRequest(std::function<void()> answer)
{
    if (m_descriptor < 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_descriptor, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [descriptor = m_descriptor, answer = std::move(answer)] {
                         signalfd_siginfo info;
                         while (read(descriptor, &info, sizeof info) == sizeof info) {
                         }
                         answer();
                     });
}

}  // namespace zorvane
