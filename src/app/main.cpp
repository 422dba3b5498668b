#include <iostream>
#include <memory>

#include <QCoreApplication>

#include "app/command_line.h"
#include "app/headless_session.h"
#include "app/keyboard_choice.h"

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantorix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTORIX_VERSION));

    const vantorix::CommandLineResult parsed =
        vantorix::parseCommandLine(QCoreApplication::arguments());
    if (!parsed.options) {
        (parsed.outputIsError ? std::cerr : std::cout) << parsed.output << std::flush;
        return parsed.exitCode;
    }
    const vantorix::CommandLine& options = *parsed.options;
    if (!options.headless) {
        std::cerr << "This build has no window yet; redirecting without one, as with --headless."
                  << std::endl;
    }
    if (options.keys == "none") {
        std::cerr << "No keyboard backend for this desktop yet: received text is not typed. "
                     "Use --keys print to see the keys on standard output."
                  << std::endl;
    }
    std::string problem;
    const std::unique_ptr<vantorix::Keyboard> keyboard =
        vantorix::makeKeyboard(options.keys, std::cout, problem);
    if (!keyboard) {
        std::cerr << problem << std::endl;
        return 1;
    }
    return vantorix::runHeadless(options, *keyboard, std::cerr);
}
