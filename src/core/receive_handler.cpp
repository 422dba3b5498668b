#include "core/receive_handler.h"

#include <optional>
#include <string_view>
#include <utility>

#include "core/advanced_transform.h"
#include "core/key_translation.h"
#include "core/keystroke_emitter.h"

namespace vantorix {
namespace {

// How an input string is cut from the gathered text in each end-of-line mode.
struct LineEnd {
    char character;
    bool typed;  // whether the end-of-line character belongs to the input string
};

std::optional<LineEnd> lineEndOf(std::string_view mode) {
    if (mode == kEolCr) {
        return LineEnd{'\r', true};
    }
    if (mode == kEolLf) {
        return LineEnd{'\n', true};
    }
    if (mode == kEolTab) {
        return LineEnd{'\t', true};
    }
    if (mode == kEolComma) {
        return LineEnd{',', false};
    }
    return std::nullopt;
}

}  // namespace

ReceiveHandler::ReceiveHandler(SerialPortControl& MSComm1, FlushTimer& Timer1, Keyboard& keyboard,
                               const RedirectSettings& settings,
                               const AdvancedOptionsIndicator& indicator)
    : MSComm1_(MSComm1),
      Timer1_(Timer1),
      keyboard_(keyboard),
      settings_(settings),
      indicator_(indicator) {}

void ReceiveHandler::MSComm1_OnComm() {
    if (MSComm1_.CommEvent() != SerialPortControl::comEvReceive || !MSComm1_.PortOpen()) {
        return;
    }
    std::string batch = MSComm1_.Input();
    if (batch.empty()) {
        return;
    }
    Timer1_.enable();
    if (!advancedActive()) {
        translateReceivedText(batch, settings_);
        send_String += batch;
        return;
    }
    gatherAdvanced(batch);
}

void ReceiveHandler::gatherAdvanced(const std::string& batch) {
    rx_received += batch;
    const std::string& mode = settings_.Combo_EOL;
    if (mode == kEolDelay) {
        // Every batch starts a fresh period, so the text is typed only after a pause.
        Timer1_.disable();
        Timer1_.enable();
        send_String = rx_received;
        return;
    }
    if (const auto lineEnd = lineEndOf(mode)) {
        cutInputStrings(lineEnd->character, lineEnd->typed);
        return;
    }
    // No end-of-line mode chosen: every batch is an input string of its own.
    std::string input = std::exchange(rx_received, {});
    searchedUpTo_ = 0;
    process_advanced_options_string(input, settings_, advancedActive());
    send_String += input;
}

// Each search starts where the last one stopped, and the text that remains is
// moved once per batch, so a batch of many records costs time in proportion
// to its length.
void ReceiveHandler::cutInputStrings(char lineEnd, bool lineEndTyped) {
    if (searchedFor_ != lineEnd) {
        searchedFor_ = lineEnd;
        searchedUpTo_ = 0;  // text gathered under another mode is searched anew
    }
    std::size_t start = 0;
    for (std::size_t p = rx_received.find(lineEnd, searchedUpTo_); p != std::string::npos;
         p = rx_received.find(lineEnd, start)) {
        std::string input = rx_received.substr(start, (lineEndTyped ? p + 1 : p) - start);
        process_advanced_options_string(input, settings_, advancedActive());
        send_String += input;
        start = p + 1;
    }
    if (start > 0) {
        rx_received.erase(0, start);
    }
    searchedUpTo_ = rx_received.size();
}

void ReceiveHandler::clearReceived() {
    rx_received.clear();
    searchedUpTo_ = 0;
}

void ReceiveHandler::Timer1_Timer() {
    if (typingNow_) {
        // A tick from inside the keyboard's own event handling: the slice
        // being typed comes first.
        Timer1_.tickSoon();
        return;
    }
    if (typing_.empty() && !takeQueueForTyping()) {
        finishIfNothingLeft();
        return;
    }
    typeNextSlice();
    if (!typing_.empty() || (whenFinished_ && !send_String.empty())) {
        Timer1_.tickSoon();
    } else {
        finishIfNothingLeft();
    }
}

// The queue is taken and the timer stopped before typing: should a receive
// event run while the keyboard is still busy, its text lands in a fresh queue
// with the timer running again.
bool ReceiveHandler::takeQueueForTyping() {
    if (send_String.empty()) {
        return false;
    }
    typing_ = std::exchange(send_String, {});
    typingFrom_ = 0;
    Timer1_.disable();
    if (settings_.Combo_EOL == kEolDelay && advancedActive()) {
        // The queue holds the raw text gathered since the last flush.
        clearReceived();
        process_advanced_options_string(typing_, settings_, advancedActive());
    }
    return !typing_.empty();
}

void ReceiveHandler::typeNextSlice() {
    const std::size_t end = keyStringSliceEnd(typing_, typingFrom_, sliceLength_);
    const std::string slice = typing_.substr(typingFrom_, end - typingFrom_);
    typingFrom_ = end;
    if (typingFrom_ >= typing_.size()) {
        typing_.clear();
        typingFrom_ = 0;
    }
    typingNow_ = true;
    mySendKeys(keyboard_, slice, true);
    typingNow_ = false;
}

void ReceiveHandler::finishTyping(std::function<void()> done) {
    whenFinished_ = std::move(done);
    if (typing_.empty() && send_String.empty()) {
        finishIfNothingLeft();
    } else {
        Timer1_.tickSoon();
    }
}

void ReceiveHandler::dropUntypedText() {
    typing_.clear();
    typingFrom_ = 0;
    send_String.clear();
    clearReceived();
    finishIfNothingLeft();
}

void ReceiveHandler::finishIfNothingLeft() {
    if (whenFinished_ && typing_.empty() && send_String.empty()) {
        std::exchange(whenFinished_, {})();
    }
}

}  // namespace vantorix
