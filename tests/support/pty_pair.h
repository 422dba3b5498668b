#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace vantorix::test {

// A serial line without hardware: two pseudo-terminals joined by socat, so
// that bytes written to one end come out of the other. The ends are links in
// a fresh temporary directory, nearEnd() for the code under test and farEnd()
// for the test's side of the line (see PtyEndpoint).
//
// Needs a QCoreApplication. Check isReady() after construction.
class PtyPair {
  public:
    static bool socatInstalled();

    // Starts socat and waits (up to 5 s) until both ends exist.
    PtyPair();
    // Unplugs and removes the directory.
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isReady() const { return ready_; }
    // Why the pair is not ready, with socat's log; empty when it is.
    const std::string& problem() const { return problem_; }

    std::string nearEnd() const;
    std::string farEnd() const;

    // Ends socat, like a cable pulled out: both ends go away, and whoever has
    // one open sees the line fail.
    void unplug();
    // A new pair of pseudo-terminals under the same two names, like the cable
    // plugged in again; waits as the constructor does. Whether both ends exist.
    bool plugIn();

  private:
    std::string path(const char* name) const;

    QTemporaryDir dir_;
    QProcess socat_;
    bool ready_ = false;
    std::string problem_;
};

// One end of the line opened with a plain file descriptor, in raw mode as
// socat set it up. While waiting it runs the Qt event loop, so a Qt object on
// the other end keeps sending and receiving meanwhile.
class PtyEndpoint {
  public:
    explicit PtyEndpoint(const std::string& path);
    ~PtyEndpoint();
    PtyEndpoint(const PtyEndpoint&) = delete;
    PtyEndpoint& operator=(const PtyEndpoint&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Writes every byte; false if the line would not take them in time.
    bool write(std::string_view bytes, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Reads until `count` bytes have arrived or the timeout has passed, and
    // returns what arrived.
    std::string read(std::size_t count,
                     std::chrono::milliseconds timeout = std::chrono::seconds(5));

  private:
    int fd_ = -1;
};

// A test with a serial line of its own, `line`; skipped where socat is missing.
template <typename Base = ::testing::Test>
class TestOnALine : public Base {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) {
            GTEST_SKIP() << "socat is not installed";
        }
        ASSERT_TRUE(line.isReady()) << line.problem();
    }
    PtyPair line;
};

}  // namespace vantorix::test
