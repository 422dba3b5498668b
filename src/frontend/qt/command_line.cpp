#include "frontend/qt/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "frontend/qt/keyboard_choice.h"

namespace vantorix {

CommandLineResult parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Types what arrives on a serial port into the window that has the keyboard focus.\n"
        "Settings are read from vantorix.cfg in the working directory."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption headlessOption(
        QStringLiteral("headless"),
        QStringLiteral("Redirect without a window until interrupted (SIGINT or SIGTERM)."));
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Use the serial device at <path> (or COM1 to COM20) instead of the stored "
                       "port."),
        QStringLiteral("path"));
    const QCommandLineOption keysOption(
        QStringLiteral("keys"),
        QStringLiteral("How keys are typed: %1. \"print\" writes each key string to standard "
                       "output, one line per call.")
            .arg(keyboardBackendNames().join(QStringLiteral(", "))),
        QStringLiteral("backend"), defaultKeyboardBackend());
    parser.addOptions({headlessOption, portOption, keysOption});

    CommandLineResult result;
    if (!parser.parse(arguments)) {
        result.exitCode = 2;
        result.outputIsError = true;
        result.output = parser.errorText().toStdString() + "\n";
        return result;
    }
    if (parser.isSet(helpOption)) {
        result.output = parser.helpText().toStdString();
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.output =
            QStringLiteral("%1 %2\n")
                .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion())
                .toStdString();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.exitCode = 2;
        result.outputIsError = true;
        result.output =
            "Unexpected argument: " + parser.positionalArguments().front().toStdString() + "\n";
        return result;
    }
    const QString keys = parser.value(keysOption);
    if (!keyboardBackendNames().contains(keys)) {
        result.exitCode = 2;
        result.outputIsError = true;
        result.output = "Unknown keyboard backend '" + keys.toStdString() + "'; choose one of: " +
                        keyboardBackendNames().join(QStringLiteral(", ")).toStdString() + "\n";
        return result;
    }

    CommandLine options;
    options.headless = parser.isSet(headlessOption);
    options.keys = keys.toStdString();
    if (parser.isSet(portOption)) {
        options.port = parser.value(portOption).toLocal8Bit().toStdString();
    }
    result.options = options;
    return result;
}

}  // namespace vantorix
