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
    void stop() override { mayBeBack_ = nullptr; }
    // False when nothing listens. A copy is called: the listener may stop watching.
    bool notice() {
        const std::function<void()> listener = mayBeBack_;
        if (listener) {
            listener();
        }
        return static_cast<bool>(listener);
    }
    bool watching() const { return static_cast<bool>(mayBeBack_); }

    std::string watched;

  private:
    std::function<void()> mayBeBack_;
};

}  // namespace vantorix::test
