#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "frontend/qt/headless_session.h"
#include "frontend/qt/hot_key_requests.h"
#include "frontend/qt/keyboard_choice.h"
#include "frontend/qt/standard_streams.h"
#include "frontend/qt/window_session.h"
#include "program/command_line.h"

namespace {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("vantorix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTORIX_VERSION));
}

// The command line is read before the windowing system is touched, so --help,
// --version, mistakes and --headless work without a display.
vantorix::CommandLineResult readCommandLine(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv, argv + argc);
    const std::string defaultKeyboard = vantorix::defaultKeyboardBackend().toStdString();
    return vantorix::parseCommandLine(arguments, vantorix::keyboardBackendNames(), defaultKeyboard,
                                      vantorix::keyboardRouteHere(defaultKeyboard));
}

bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool outputClosed = vantorix::readyStandardStreams();
    const vantorix::CommandLineResult parsed = readCommandLine(argc, argv);
    if (!parsed.options) {
        (parsed.outputIsError ? std::cerr : std::cout) << parsed.output << std::flush;
        return parsed.exitCode;
    }
    const vantorix::CommandLine& options = *parsed.options;
    if (options.sendHotKey) {
        const QCoreApplication app(argc, argv);
        return vantorix::sendHotKeyRequest(vantorix::hotKeyRequestsPath(), *options.sendHotKey,
                                           std::cerr);
    }
    if (options.keys == "print" && outputClosed) {
        std::cerr << vantorix::kKeysOutputFailedMessage << std::endl;
        return vantorix::kExitKeysOutputFailed;
    }
    if (!options.headless && !displayAvailable()) {
        std::cerr << "There is no display to show the window on; use --headless to redirect "
                     "without one."
                  << std::endl;
        return 1;
    }
    const std::unique_ptr<QCoreApplication> app =
        options.headless ? std::make_unique<QCoreApplication>(argc, argv)
                         : std::make_unique<QApplication>(argc, argv);
    nameApplication();

    if (options.keys == "none") {
        std::string reason = vantorix::noTypingReason();
        if (reason.empty()) {
            reason = "Typing is switched off (--keys none)";
        } else if (reason.back() == '.') {
            reason.pop_back();
        }
        std::cerr << reason
                  << ". Received text is not typed; --keys print shows the keys on standard "
                     "output."
                  << std::endl;
    }
    std::string problem;
    // Set by the session once it runs: the keys printed so far could be
    // written, so there is nothing to end before.
    std::function<void()> keysOutputFailed;
    const std::unique_ptr<vantorix::Keyboard> keyboard =
        vantorix::makeKeyboard(options.keys, std::cout, problem, [&keysOutputFailed] {
            if (keysOutputFailed) {
                keysOutputFailed();
            }
        });
    if (!keyboard) {
        std::cerr << problem << std::endl;
        return 1;
    }
    if (options.headless) {
        return vantorix::runHeadless(options, *keyboard, std::cerr, keysOutputFailed);
    }
    return vantorix::runWithWindow(options, *keyboard, keysOutputFailed);
}
