#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

struct _XDisplay;

namespace vantorix::test {

class XvfbServer;

// A key as a window received it: the keysym the client's keyboard lookup
// made of it (levels and Caps Lock applied) and the modifiers it came with.
struct RecordedKey {
    unsigned long keysym = 0;
    unsigned int modifiers = 0;

    bool operator==(const RecordedKey&) const = default;
};

inline void PrintTo(const RecordedKey& key, std::ostream* out) {
    *out << "{keysym 0x" << std::hex << key.keysym << ", modifiers 0x" << key.modifiers << std::dec
         << "}";
}

// A plain X window of the test's own that takes the keyboard focus and
// records every key pressed in it except the modifier and lock keys, for tests that check keys
// rather than text (function keys, prefixes). Like any application it reads its events as they
// come, on a thread of its own, so keys bound only for a moment are looked up while they are bound.
// Like windows that tell auto-repeat from the server times, it drops a press of the key released
// just before at the same server time.
class X11KeyRecorder {
  public:
    explicit X11KeyRecorder(const XvfbServer& server);
    ~X11KeyRecorder();
    X11KeyRecorder(const X11KeyRecorder&) = delete;
    X11KeyRecorder& operator=(const X11KeyRecorder&) = delete;

    bool isReady() const { return ready_; }
    std::string problem() const { return problem_; }

    // Waits until `count` key presses have arrived since the last call, or
    // the timeout has passed, and returns all that arrived.
    std::vector<RecordedKey> waitForKeys(
        std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5));

  private:
    void readEvents();

    struct KeyTime {
        unsigned int keycode = 0;
        unsigned long time = 0;
        bool operator==(const KeyTime&) const = default;
    };

    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
    bool ready_ = false;
    std::string problem_;

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<RecordedKey> keys_;
    std::optional<KeyTime> lastRelease_;  // read by the reader thread only
    std::atomic<bool> stopping_ = false;
    std::thread reader_;
};

}  // namespace vantorix::test
