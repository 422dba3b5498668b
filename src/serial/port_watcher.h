#pragma once

#include <functional>
#include <string>

namespace vantorix {

// Tells when a port that went away may have come back: the system's notice
// of devices arriving where it has one, a slow poll where it has none. A
// notice is only a hint; whoever listens tries the port and keeps listening
// while it is not there yet.
class PortWatcher {
  public:
    virtual ~PortWatcher() = default;

    // Watches `port` (a device path, or a COM name such as "COM3") in place of
    // whatever was watched before; `mayBeBack` is called on the program's
    // thread at each notice until stop(). It is never called from inside
    // watch() itself.
    virtual void watch(const std::string& port, std::function<void()> mayBeBack) = 0;
    // Stops watching; no notice comes after this returns.
    virtual void stop() = 0;
};

}  // namespace vantorix
