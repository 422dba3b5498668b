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

    std::string input;
    std::string remainder;
    if (const auto lineEnd = lineEndOf(mode)) {
        const std::size_t p = rx_received.find(lineEnd->character);
        if (p == std::string::npos) {
            return;  // wait for the rest of the line
        }
        input = rx_received.substr(0, lineEnd->typed ? p + 1 : p);
        remainder = rx_received.substr(p + 1);
    } else {
        // No end-of-line mode chosen: every batch is an input string of its own.
        input = std::move(rx_received);
    }
    process_advanced_options_string(input, settings_, advancedActive());
    send_String += input;
    rx_received = std::move(remainder);
}

void ReceiveHandler::Timer1_Timer() {
    if (settings_.Combo_EOL == kEolDelay && advancedActive()) {
        flushAfterDelay();
    } else {
        flushQueue();
    }
}

// The queue is taken and the timer stopped before typing: should a receive
// event run while the keyboard is still busy, its text lands in a fresh queue
// with the timer running again, instead of being emptied unsent afterwards.
void ReceiveHandler::flushQueue() {
    if (send_String.empty()) {
        return;
    }
    const std::string keys = std::exchange(send_String, {});
    Timer1_.disable();
    mySendKeys(keyboard_, keys, true);
}

void ReceiveHandler::flushAfterDelay() {
    if (send_String.empty()) {
        return;
    }
    std::string keys = std::exchange(send_String, {});
    rx_received.clear();
    Timer1_.disable();
    process_advanced_options_string(keys, settings_, advancedActive());
    mySendKeys(keyboard_, keys, true);
}

}  // namespace vantorix
