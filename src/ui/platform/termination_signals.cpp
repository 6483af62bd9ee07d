#include "ui/platform/termination_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};

void On_Signal(int signal)
{
    // Only what is safe in a handler: one write, errno kept.
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

void Watch_Termination_Signals(QObject *context, std::function<void(int)> ending)
{
    if (pipeEnds[0] >= 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [ending = std::move(ending)] {
        unsigned char byte = 0;
        int last = 0;
        while (::read(pipeEnds[0], &byte, 1) == 1)
            last = byte;
        if (last)
            ending(last);
    });
    struct sigaction action {};
    action.sa_handler = On_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
