#include <iostream>
#include <memory>

#include <QCoreApplication>

#include "app/command_line.h"
#include "app/headless_session.h"
#include "core/null_keyboard.h"
#include "core/print_keyboard.h"

namespace {

std::unique_ptr<vantorix::Keyboard> makeKeyboard(const std::string& name) {
    if (name == "print") {
        return std::make_unique<vantorix::PrintKeyboard>(std::cout);
    }
    return std::make_unique<vantorix::NullKeyboard>();
}

}  // namespace

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
    const std::unique_ptr<vantorix::Keyboard> keyboard = makeKeyboard(options.keys);
    return vantorix::runHeadless(options, *keyboard, std::cerr);
}
