#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <csignal>

#include <QSocketNotifier>

#include "frontend/qt/termination_signals.h"

namespace vantorix {
namespace {

// The handler may only do async-signal-safe work: it writes the signal number
// into a socket that the event loop watches.
int signalWriteEnd = -1;

void forwardSignal(int signal) {
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto written = ::write(signalWriteEnd, &byte, 1);
}

constexpr std::array kHandledSignals = {SIGINT, SIGTERM, SIGHUP};

}  // namespace

struct TerminationSignals::Impl {
    std::array<int, 2> sockets{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal)
    : impl_(std::make_unique<Impl>()) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, impl_->sockets.data()) != 0) {
        return;
    }
    signalWriteEnd = impl_->sockets[0];
    const int readEnd = impl_->sockets[1];
    impl_->notifier = std::make_unique<QSocketNotifier>(readEnd, QSocketNotifier::Read);
    QObject::connect(impl_->notifier.get(), &QSocketNotifier::activated,
                     [readEnd, onSignal = std::move(onSignal)] {
                         unsigned char byte = 0;
                         if (::read(readEnd, &byte, 1) == 1) {
                             onSignal(byte);
                         }
                     });
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kHandledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : kHandledSignals) {
        std::signal(signal, SIG_DFL);
    }
    impl_->notifier.reset();
    signalWriteEnd = -1;
    for (const int socket : impl_->sockets) {
        if (socket >= 0) {
            ::close(socket);
        }
    }
}

}  // namespace vantorix
