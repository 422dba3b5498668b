#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "frontend/qt/x11/test_display.h"

extern char** environ;

namespace {

// Xvfb on a display number of its own choosing (-displayfd), started before
// any Qt object exists: the xcb platform connects when QApplication is made.
class OwnXvfb {
  public:
    OwnXvfb() {
        int fds[2];
        if (::pipe(fds) != 0) {
            return;
        }
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",  "0",
                              "1280x1024x24", "-nolisten",  "tcp",      "-noreset", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        // Not the test's own output: a server outliving a crashed test would
        // otherwise keep the test runner waiting for that output to end.
        for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
            posix_spawn_file_actions_addopen(&actions, stream, "/dev/null", O_RDWR, 0);
        }
        const int failed = ::posix_spawnp(&pid_, "Xvfb", &actions, nullptr,
                                          const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (failed != 0) {
            pid_ = -1;
            ::close(fds[0]);
            return;
        }
        std::string number;
        pollfd waiting{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&waiting, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        ::close(fds[0]);
        if (!number.empty()) {
            name_ = ":" + number;
        }
    }
    ~OwnXvfb() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    OwnXvfb(const OwnXvfb&) = delete;
    OwnXvfb& operator=(const OwnXvfb&) = delete;

    const std::string& name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

bool listingOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

namespace vantorix::test {

std::string& testDisplayName() {
    static std::string name;
    return name;
}

}  // namespace vantorix::test

// The tests drive the program on the xcb platform against an X server of
// their own; without Xvfb they run offscreen and skip.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<OwnXvfb> xvfb;
    if (!listingOnly(argc, argv)) {
        xvfb = std::make_unique<OwnXvfb>();
    }
    if (xvfb && !xvfb->name().empty()) {
        vantorix::test::testDisplayName() = xvfb->name();
        ::setenv("DISPLAY", xvfb->name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
