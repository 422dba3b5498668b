// Runs the receive handler on a fake port and a manual timer: batches arrive,
// time passes, the port closes and opens again, other port events come, data
// arrives while keys are being typed, the program asks to finish typing or
// drops what is untyped. The settings (end-of-line mode, switches, texts,
// indicator), the slice length and the lock states are drawn from the input.
//
// After every receive event no complete input string is left gathered: each
// one the batch completed is queued within the event.
//
// A keyboard that reads every key string it gets checks that nothing is typed
// inside a receive event and that every key string reads soundly. When the
// key strings can be predicted (no replacement at work, the pre-amble and the
// post-amble, if on, are the keys {HOME} and {END}, which received text cannot
// produce), what was typed must be what was received, cut into input strings
// by the end-of-line mode.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/receive_handler.h"
#include "core/special_characters.h"
#include "fuzz_check.h"
#include "fuzz_settings.h"
#include "support/fake_serial_port.h"
#include "support/manual_timer.h"
#include "typed_keys.h"
#include "typing/key_string_reader.h"
#include "typing/keyboard.h"

namespace vantorix::fuzz {
namespace {

// The character that ends an input string in an end-of-line mode; none in
// the delay mode and without a mode.
std::optional<char> lineEndOf(std::string_view mode) {
    if (mode == kEolCr) {
        return '\r';
    }
    if (mode == kEolLf) {
        return '\n';
    }
    if (mode == kEolTab) {
        return '\t';
    }
    if (mode == kEolComma) {
        return ',';
    }
    return std::nullopt;
}

constexpr std::string_view kPreambleKey = "{HOME}";
constexpr std::string_view kPostambleKey = "{END}";

struct LockStates {
    bool num = false;
    bool caps = false;
    bool scroll = false;

    bool operator==(const LockStates&) const = default;
};

class CheckingKeyboard final : public Keyboard {
  public:
    LockStates locks;
    LockStates flippedWhileTyping;  // what the typed keys do to the locks
    bool printableOnly = true;
    bool insideReceiveEvent = false;
    std::vector<KeyAction> typed;  // as it reaches the window, Caps Lock undone
    std::size_t keyStrings = 0;
    std::function<void()> beforeTyping;
    std::function<void()> whileTyping;

    bool IsNumLockOn() override { return locks.num; }
    bool IsScrollLockOn() override { return locks.scroll; }
    bool IsCapsLockToggled() override { return locks.caps; }
    void ToggleNumLock() override { locks.num = !locks.num; }
    void ToggleCapsLock() override { locks.caps = !locks.caps; }
    void ToggleScrollLock() override { locks.scroll = !locks.scroll; }

    void SendKeys(const std::string& keys, bool wait) override {
        require(!insideReceiveEvent, "nothing is typed inside the receive event");
        require(wait, "the flush waits for the keys to be processed");
        require(!printableOnly || isPrintableAscii(keys), "key strings are printable ASCII");
        ++keyStrings;
        if (beforeTyping) {
            beforeTyping();
        }
        const std::size_t first = typed.size();
        readSoundly(keys, typed);
        if (locks.caps) {
            // With Caps Lock on, the window gets the other case of each letter.
            for (std::size_t i = first; i < typed.size(); ++i) {
                char32_t& c = typed[i].character;
                if (typed[i].kind == KeyAction::Kind::Character &&
                    ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
                    c ^= 0x20;
                }
            }
        }
        locks.num = locks.num != flippedWhileTyping.num;
        locks.caps = locks.caps != flippedWhileTyping.caps;
        locks.scroll = locks.scroll != flippedWhileTyping.scroll;
        if (whileTyping) {
            whileTyping();
        }
    }
};

enum class Step : std::uint8_t {
    Receive,
    Advance,
    ClosePort,
    OpenPort,
    OtherEvent,
    FinishTyping,
    DropUntyped,
    kMaxValue = DropUntyped
};

class Run {
  public:
    explicit Run(FuzzedDataProvider& input) : input_(input) {
        drawSettings();
        handler_.setSliceLength(input_.ConsumeIntegralInRange<std::size_t>(1, 64));
        keyboard_.locks = {input_.ConsumeBool(), input_.ConsumeBool(), input_.ConsumeBool()};
        keyboard_.flippedWhileTyping = {input_.ConsumeBool(), input_.ConsumeBool(),
                                        input_.ConsumeBool()};
        initialLocks_ = keyboard_.locks;
        keyboard_.beforeTyping = [this] {
            // Only the first slice of a flush waits for the quiet line; the
            // rest follows it promptly. The slice being typed is already
            // taken from what is left.
            if (!continuingFlush_ && !finishing_ && indicator_.enabled &&
                settings_.Combo_EOL == kEolDelay) {
                require(now_ - lastRead_ >= FlushTimer::kIntervalMs,
                        "the delay mode types only once the line has been quiet for a period");
            }
            continuingFlush_ = !handler_.keysBeingTyped().empty();
        };
        keyboard_.whileTyping = [this] {
            if (input_.ConsumeBool()) {
                receive(input_.ConsumeRandomLengthString(16));
            }
        };
        port_.OnComm = [this] {
            keyboard_.insideReceiveEvent = true;
            handler_.MSComm1_OnComm();
            keyboard_.insideReceiveEvent = false;
        };
        timer_.onTick = [this] { handler_.Timer1_Timer(); };
        port_.setPortOpen(true);
    }

    void play() {
        while (input_.remaining_bytes() > 0) {
            step(input_.ConsumeEnum<Step>());
            require(keyboard_.locks == initialLocks_, "the lock keys are put back after typing");
        }
        // Whatever still waits in the port arrives, and the line goes quiet.
        port_.setPortOpen(true);
        receive("");
        advance(2 * FlushTimer::kIntervalMs);
        require(handler_.queuedKeys().empty() && handler_.keysBeingTyped().empty(),
                "a quiet line leaves nothing queued");
        if (modelled_) {
            checkTypedKeys();
        }
    }

  private:
    void drawSettings() {
        indicator_.show(input_.ConsumeBool());
        settings_.Combo_EOL = endOfLineMode(input_);
        settings_.Check_ENTER_KEY = checkValue(input_);
        settings_.Check_LF_KEY = checkValue(input_);
        settings_.Check_preamble = checkValue(input_);
        settings_.Check_postamble = checkValue(input_);
        settings_.Check_replacestring = checkValue(input_);
        settings_.Text_searchfor = input_.ConsumeRandomLengthString(8);
        settings_.Text_replacewith = input_.ConsumeRandomLengthString(8);
        if (input_.ConsumeBool()) {
            settings_.Text_preamble = kPreambleKey;
            settings_.Text_postamble = kPostambleKey;
        } else {
            settings_.Text_preamble = input_.ConsumeRandomLengthString(8);
            settings_.Text_postamble = input_.ConsumeRandomLengthString(8);
        }

        const bool advanced = indicator_.enabled;
        const bool markers =
            settings_.Text_preamble == kPreambleKey && settings_.Text_postamble == kPostambleKey;
        const bool framed = isOn(settings_.Check_preamble) || isOn(settings_.Check_postamble);
        keyboard_.printableOnly = !advanced || !framed || markers;
        std::string search = settings_.Text_searchfor;
        process_special_characters(search);
        const bool replaces = isOn(settings_.Check_replacestring) && !search.empty();
        modelled_ = !advanced || ((!framed || markers) && !replaces);
    }

    void step(Step step) {
        switch (step) {
            case Step::Receive:
                receive(input_.ConsumeRandomLengthString(64));
                break;
            case Step::Advance: {
                const int ms = input_.ConsumeIntegralInRange(0, 3 * FlushTimer::kIntervalMs);
                const std::size_t readsBefore = batches_.size();
                advance(ms);
                // Text that arrived while keys were typed has a period of its own.
                if (ms >= FlushTimer::kIntervalMs && batches_.size() == readsBefore) {
                    require(handler_.queuedKeys().empty() && handler_.keysBeingTyped().empty(),
                            "queued keys are typed within one timer period");
                }
                break;
            }
            case Step::FinishTyping: {
                bool done = false;
                finishing_ = true;
                handler_.finishTyping([&done] { done = true; });
                timer_.advance(0);  // what is due now: no time passes
                finishing_ = false;
                require(done, "finishing ends once the queue is typed, without waiting");
                require(handler_.queuedKeys().empty() && handler_.keysBeingTyped().empty(),
                        "finishing types everything queued");
                break;
            }
            case Step::DropUntyped:
                handler_.dropUntypedText();
                require(handler_.queuedKeys().empty() && handler_.keysBeingTyped().empty() &&
                            handler_.receivedText().empty(),
                        "dropping leaves nothing to type");
                // What was dropped is never typed: the typed keys no longer
                // follow from what was received.
                modelled_ = false;
                continuingFlush_ = false;
                break;
            case Step::ClosePort:
                port_.setPortOpen(false);
                break;
            case Step::OpenPort:
                port_.setPortOpen(true);
                break;
            case Step::OtherEvent: {
                port_.waiting += input_.ConsumeRandomLengthString(16);
                const std::string gathered = handler_.receivedText();
                const std::string queued = handler_.queuedKeys();
                const std::size_t typedBefore = keyboard_.keyStrings;
                port_.event = SerialPortControl::comEvReceive + 1;
                port_.OnComm();
                require(handler_.receivedText() == gathered && handler_.queuedKeys() == queued &&
                            keyboard_.keyStrings == typedBefore,
                        "port events other than receive are ignored");
                break;
            }
        }
    }

    // Millisecond by millisecond, so that the time of every tick is known.
    void advance(int ms) {
        for (int i = 0; i < ms; ++i) {
            ++now_;
            timer_.advance(1);
        }
    }

    // Data arrives at the port; the handler reads it all only while the port is open.
    void receive(const std::string& data) {
        const std::string pending = port_.waiting + data;
        const bool open = port_.PortOpen();
        if (open && !pending.empty()) {
            batches_.push_back(pending);
            stream_ += pending;
            lastRead_ = now_;
        }
        port_.receive(data);
        require(port_.waiting == (open ? "" : pending),
                "the receive event reads everything waiting, and only while the port is open");
        if (indicator_.enabled) {
            const std::optional<char> lineEnd = lineEndOf(settings_.Combo_EOL);
            require(!lineEnd || handler_.receivedText().find(*lineEnd) == std::string::npos,
                    "every input string a batch completes is queued within its event");
        }
    }

    void checkTypedKeys() const {
        const bool advanced = indicator_.enabled;
        if (!advanced) {
            require(handler_.receivedText().empty(), "the simple path keeps nothing gathered");
            require(keyboard_.typed == keysForReceivedText(stream_, settings_),
                    "the simple path types what was received");
            return;
        }
        const std::string& mode = settings_.Combo_EOL;
        if (mode == kEolDelay) {
            require(handler_.receivedText().empty(), "the delay flush types everything gathered");
            require(withoutFrames() == keysForReceivedText(stream_, settings_),
                    "the delay mode types what was received");
            return;
        }
        std::vector<KeyAction> expected;
        for (const std::string& piece : inputStrings()) {
            appendFramed(expected, piece);
        }
        require(keyboard_.typed == expected, "each input string is typed in its frame");
    }

    // The input strings of the received text as the end-of-line mode cuts it;
    // what the handler still gathers is no input string yet.
    std::vector<std::string> inputStrings() const {
        const std::string& mode = settings_.Combo_EOL;
        if (!lineEndOf(mode)) {
            require(handler_.receivedText().empty(), "without an end of line nothing is held");
            return batches_;
        }
        const std::string& held = handler_.receivedText();
        require(stream_.ends_with(held), "what is held is the end of what was received");
        const std::string_view cut =
            std::string_view(stream_).substr(0, stream_.size() - held.size());
        const char lineEnd = *lineEndOf(mode);
        require(cut.empty() || cut.back() == lineEnd, "input strings end at the end of line");
        std::vector<std::string> pieces;
        std::size_t start = 0;
        for (std::size_t end = cut.find(lineEnd); end != std::string_view::npos;
             end = cut.find(lineEnd, start)) {
            // A comma ends an input string without belonging to it.
            const std::size_t length = end - start + (lineEnd == ',' ? 0 : 1);
            pieces.emplace_back(cut.substr(start, length));
            start = end + 1;
        }
        return pieces;
    }

    void appendFramed(std::vector<KeyAction>& keys, std::string_view piece) const {
        if (isOn(settings_.Check_preamble)) {
            keys.push_back(namedKey(NamedKey::Home));
        }
        const std::vector<KeyAction> received = keysForReceivedText(piece, settings_);
        keys.insert(keys.end(), received.begin(), received.end());
        if (isOn(settings_.Check_postamble)) {
            keys.push_back(namedKey(NamedKey::End));
        }
    }

    // The typed keys without the pre-amble and post-amble keys, which must
    // frame every key string.
    std::vector<KeyAction> withoutFrames() const {
        const KeyAction home = namedKey(NamedKey::Home);
        const KeyAction end = namedKey(NamedKey::End);
        std::vector<KeyAction> keys;
        bool framed = false;
        for (const KeyAction& key : keyboard_.typed) {
            if (key == home) {
                require(!framed || !isOn(settings_.Check_postamble), "frames do not nest");
                framed = true;
            } else if (key == end) {
                require(framed || !isOn(settings_.Check_preamble), "a frame ends after it began");
                framed = false;
            } else {
                keys.push_back(key);
            }
        }
        return keys;
    }

    FuzzedDataProvider& input_;
    RedirectSettings settings_;
    AdvancedOptionsIndicator indicator_;
    test::FakeSerialPort port_;
    test::ManualTimer timer_;
    CheckingKeyboard keyboard_;
    ReceiveHandler handler_{port_, timer_, keyboard_, settings_, indicator_};
    LockStates initialLocks_;
    long now_ = 0;
    long lastRead_ = 0;
    bool modelled_ = false;
    bool continuingFlush_ = false;
    bool finishing_ = false;
    std::string stream_;                // every byte the handler has read
    std::vector<std::string> batches_;  // the same, as the reads returned it
};

}  // namespace
}  // namespace vantorix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    vantorix::fuzz::Run(input).play();
    return 0;
}
