#include "app/TerminationWatcher.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace tallyrix {
namespace {

int SignalPair[2] = {-1, -1};  // written by the handler, read by the notifier
constexpr int WatchedSignals[] = {SIGTERM, SIGHUP};

extern "C" void OnTerminationSignal(int)
{
    const char byte = 1;
    // Nothing more can be done inside a signal handler when this fails.
    [[maybe_unused]] const ssize_t written = ::write(SignalPair[0], &byte, 1);
}

}  // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPair) != 0) return;
    Notifier = new QSocketNotifier(SignalPair[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &TerminationWatcher::Receive);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : WatchedSignals)
        sigaction(number, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    for (const int number : WatchedSignals)
        std::signal(number, SIG_DFL);
    delete Notifier;
    for (int& end : SignalPair) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void TerminationWatcher::Receive()
{
    char byte = 0;
    if (::read(SignalPair[1], &byte, 1) == 1) emit Requested();
}

}  // namespace tallyrix
