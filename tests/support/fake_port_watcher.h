#pragma once

#include <functional>
#include <string>
#include <utility>

#include "serial/port_watcher.h"

namespace vantorix::test {

// A port watcher whose notices the test gives with notice().
class FakePortWatcher final : public PortWatcher {
  public:
    void watch(const std::string& port, std::function<void()> mayBeBack) override {
        watched = port;
        mayBeBack_ = std::move(mayBeBack);
    }
    void stop() override {
        watched.clear();
        mayBeBack_ = nullptr;
    }
    // The system says the watched port may be back; false when nothing listens.
    bool notice() {
        if (!mayBeBack_) {
            return false;
        }
        // A copy: the listener may stop watching from inside the notice.
        const std::function<void()> listener = mayBeBack_;
        listener();
        return true;
    }
    bool watching() const { return static_cast<bool>(mayBeBack_); }

    std::string watched;

  private:
    std::function<void()> mayBeBack_;
};

}  // namespace vantorix::test
