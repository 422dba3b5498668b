#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include "frontend/qt/standard_streams.h"

namespace vantorix {

bool readyStandardStreams() {
    std::signal(SIGPIPE, SIG_IGN);
    bool outputClosed = false;
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        outputClosed = outputClosed || descriptor == STDOUT_FILENO;
        // The lowest free descriptor is the one just found closed.
        ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
    return outputClosed;
}

}  // namespace vantorix
