#pragma once

namespace vantorix {

// The entry that starts the program when the user logs on, made or removed at
// every exit after "Start Vantorix when computer starts".
class StartupShortcut {
  public:
    virtual ~StartupShortcut() = default;
    virtual void Create_startup_link() = 0;
    virtual void Delete_startup_link() = 0;
};

}  // namespace vantorix
