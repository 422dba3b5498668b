#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace vantorix::test {

// A serial line without hardware for the Windows tests under Wine: socat joins
// two pseudo-terminals, and the Wine prefix of the tests maps COM5 and COM6 to
// fixed links (in the folder named by VANTORIX_WINE_PORTS) that each line
// points at its own pair. Bytes written to one port come out of the other.
// Only one line at a time.
class SerialLine {
  public:
    static constexpr int kNearPort = 5;  // for the code under test
    static constexpr int kFarPort = 6;   // for the test's side of the line

    // Starts socat and waits (up to 10 s) until both ends exist.
    SerialLine();
    // Unplugs.
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    bool isReady() const { return ready_; }
    // Why the line is not ready; empty when it is.
    const std::string& problem() const { return problem_; }

    // Ends socat, like a cable pulled out: whoever has an end open sees the line fail.
    void unplug();
    // A new socat behind the same two ports, like the cable plugged in again;
    // waits as the constructor does. Whether both ends exist.
    bool plugIn();

  private:
    std::string folder_;
    bool ready_ = false;
    std::string problem_;
};

// The far end of a line opened as a Windows port. While waiting it runs this
// thread's message loop, so a port control under test on this thread keeps
// receiving meanwhile.
class FarEnd {
  public:
    FarEnd();
    ~FarEnd();
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    bool isOpen() const { return port_ != INVALID_HANDLE_VALUE; }
    bool write(std::string_view bytes);
    // Reads until `count` bytes have arrived or the timeout has passed.
    std::string read(std::size_t count,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10));

  private:
    HANDLE port_;
};

// The line settings that port `number` reports now, read through a second
// handle (Wine lets a port be opened twice; both handles share the device).
DCB reportedState(int number);

}  // namespace vantorix::test
