#include "program/headless_session.h"

#include <string>
#include <utility>

#include "serial/redirection_start.h"

namespace vantorix {

HeadlessSession::HeadlessSession(SerialPortControl& MSComm1, FlushTimer& Timer1,
                                 PortWatcher& portWatcher, Keyboard& keyboard,
                                 std::ostream& messages, ExitRequest requestExit)
    : MSComm1_(MSComm1),
      Timer1_(Timer1),
      messages_(messages),
      requestExit_(std::move(requestExit)),
      receiveHandler_(MSComm1, Timer1, keyboard, settings_, indicator_),
      portReturn_(MSComm1, portWatcher) {}

HeadlessSession::~HeadlessSession() {
    portReturn_.cancel();
    MSComm1_.OnComm = nullptr;
    MSComm1_.OnPortLost = nullptr;
}

void HeadlessSession::start(SettingsFile& file, const std::optional<std::string>& port) {
    if (const SettingsFileResult loaded = file.load(settings_); !loaded) {
        messages_ << loaded.problem << std::endl;
    }
    if (port) {
        settings_.Combo_portselect = *port;
    }
    indicator_.update(settings_);
    Timer1_.enable();

    const PortOpening opening = openPortForRedirection(MSComm1_, settings_);
    if (!opening) {
        messages_ << kPortMessageTitle << ": " << portUnavailableMessage(settings_.Combo_portselect)
                  << '\n';
        if (!opening.failureReason.empty()) {
            messages_ << opening.failureReason << '\n';
        }
        messages_ << std::flush;
        finish(kExitPortUnavailable);
        return;
    }
    portReturn_.opened(opening);
    receiveHandler_.clearReceived();
    MSComm1_.OnComm = [this] { receiveHandler_.MSComm1_OnComm(); };
    MSComm1_.OnPortLost = [this](const std::string& reason) { portLost(reason); };
    if (const std::string refused = refusedSettingsMessage(opening, settings_); !refused.empty()) {
        messages_ << kPortMessageTitle << ": " << refused << '\n';
    }
    // Said in one piece, so that whoever reads standard error never sees half of it.
    std::string redirecting = "Redirecting " + settings_.Combo_portselect;
    if (!opening.lineSettingsInForce.empty()) {
        redirecting += " at " + opening.lineSettingsInForce;
    }
    redirecting += indicator_.enabled ? " with advanced options" : "";
    redirecting += "; stop with Ctrl+C.\n";
    messages_ << redirecting << std::flush;
}

// A second request while the queue is still being typed ends the typing: the
// user asked twice, and must not wait for a long queue.
void HeadlessSession::terminate() {
    if (terminationAsked_) {
        receiveHandler_.dropUntypedText();
        return;
    }
    terminationAsked_ = true;
    portReturn_.cancel();
    finishAfterTyping(kExitTerminated);
}

// Nothing received can reach the user any more: the run ends at once.
void HeadlessSession::keysCannotBeWritten() {
    if (finished_) {
        return;
    }
    messages_ << kKeysOutputFailedMessage << std::endl;
    finish(kExitKeysOutputFailed);
    receiveHandler_.dropUntypedText();
}

// What arrived before the loss is typed at the next ticks as usual; a record
// still waiting for its end of line is dropped, since its end went with the
// port. Each line is written whole, for whoever reads a journal of them.
void HeadlessSession::portLost(const std::string& reason) {
    if (ending_ || finished_) {
        return;
    }
    receiveHandler_.clearReceived();
    const std::string sentence = reason.ends_with('.') ? reason : reason + ".";
    messages_ << (sentence + " " + portWaitingMessage(settings_.Combo_portselect) + "\n")
              << std::flush;
    portReturn_.wait(settings_, [this](const PortOpening& opening) { portBack(opening); });
}

void HeadlessSession::portBack(const PortOpening& opening) {
    std::string back = portBackMessage(settings_.Combo_portselect) + "\n";
    if (const std::string refused = refusedSettingsMessage(opening, settings_); !refused.empty()) {
        back += std::string(kPortMessageTitle) + ": " + refused + "\n";
    }
    messages_ << back << std::flush;
}

// The first reason to end counts; a later one neither changes the status nor
// restarts the typing.
void HeadlessSession::finishAfterTyping(int status) {
    if (finished_ || ending_) {
        return;
    }
    ending_ = true;
    receiveHandler_.finishTyping([this, status] { finish(status); });
}

void HeadlessSession::finish(int status) {
    if (finished_) {
        return;
    }
    finished_ = true;
    requestExit_(status);
}

}  // namespace vantorix
