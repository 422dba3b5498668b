#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/flush_timer.h"
#include "serial/serial_port_control.h"
#include "settings/redirect_settings.h"
#include "typing/keyboard.h"

namespace vantorix {

// Gathers what the serial port receives, turns it into key strings and, at
// the next tick of the flush timer, types them. Nothing is typed from inside
// the receive event.
//
// Simple path (advanced options inactive): every batch is translated at once
// and queued. Advanced path: received text is gathered in `rx_received` until
// the chosen end of line arrives; every input string a batch completes is
// transformed and queued in the same event, in order. In the "DELAY 250mS"
// mode the text is typed whole once the line has been quiet for one timer
// period.
//
// A flush types a long queue in slices of about kSliceLength bytes, one slice
// per tick, and asks the timer for a prompt tick while keys remain: between
// slices the program handles signals, clicks and received data.
//
// Settings and the indicator are read at the moment of use.
class ReceiveHandler {
  public:
    static constexpr std::size_t kSliceLength = 1024;

    ReceiveHandler(SerialPortControl& MSComm1, FlushTimer& Timer1, Keyboard& keyboard,
                   const RedirectSettings& settings, const AdvancedOptionsIndicator& indicator);

    // The port's receive event.
    void MSComm1_OnComm();
    // The flush timer's tick: types the next slice of the queue.
    void Timer1_Timer();

    // Drops gathered text that has not become a key string yet (at start and
    // when redirection starts, so stale characters are never typed).
    void clearReceived();

    // For a program asked to end: types what is queued as soon as the event
    // loop allows, slice by slice, and then calls `done` (at once when nothing
    // is queued). Text still waiting for its end of line is not typed.
    void finishTyping(std::function<void()> done);
    // For a program that must end now, or a STOP: drops everything received
    // that is not typed yet (the rest of the flush being typed, the queue and
    // the gathered text). A pending finishTyping() is done then.
    void dropUntypedText();

    const std::string& receivedText() const { return rx_received; }
    // The queue that the next flush takes.
    const std::string& queuedKeys() const { return send_String; }
    // What the flush in progress has still to type.
    std::string_view keysBeingTyped() const {
        return std::string_view(typing_).substr(typingFrom_);
    }

    // Fewer bytes per slice let tests and fuzzing reach slice ends with
    // little data.
    void setSliceLength(std::size_t length) { sliceLength_ = length; }

  private:
    void gatherAdvanced(const std::string& batch);
    void cutInputStrings(char lineEnd, bool lineEndTyped);
    bool takeQueueForTyping();
    void typeNextSlice();
    void finishIfNothingLeft();
    bool advancedActive() const { return indicator_.enabled; }

    SerialPortControl& MSComm1_;
    FlushTimer& Timer1_;
    Keyboard& keyboard_;
    const RedirectSettings& settings_;
    const AdvancedOptionsIndicator& indicator_;

    std::string rx_received;
    std::string send_String;
    // How much of `rx_received` is known to hold no `searchedFor_`, so that a
    // long unfinished line is not searched again with every batch.
    char searchedFor_ = '\0';
    std::size_t searchedUpTo_ = 0;

    std::string typing_;  // the flush in progress, typed from `typingFrom_` on
    std::size_t typingFrom_ = 0;
    bool typingNow_ = false;
    std::size_t sliceLength_ = kSliceLength;
    std::function<void()> whenFinished_;
};

}  // namespace vantorix
