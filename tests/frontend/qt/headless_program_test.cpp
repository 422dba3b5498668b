#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <csignal>
#include <string_view>

#include "program/headless_session.h"
#include "settings/config_file.h"
#include "support/framed_records.h"
#include "support/process_probe.h"
#include "support/pty_pair.h"

namespace vantorix {
namespace {

using test::PtyEndpoint;
using test::PtyPair;

constexpr int kTimeoutMs = 10000;

// `vantorix --headless --keys print` started in a folder of its own, with a
// vantorix.cfg written from `settings`.
class HeadlessProgram {
  public:
    HeadlessProgram(const RedirectSettings& settings, QStringList extraArguments) {
        saveConfigFile(folder_.filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings);
        process_.setWorkingDirectory(folder_.path());
        process_.start(QStringLiteral(VANTORIX_EXECUTABLE),
                       QStringList{QStringLiteral("--headless"), QStringLiteral("--keys"),
                                   QStringLiteral("print")} +
                           extraArguments);
    }
    ~HeadlessProgram() { test::endInOrder(process_, kTimeoutMs); }

    // Waits until the port is open and the program says so.
    bool waitUntilRedirecting() {
        const QDeadlineTimer deadline(kTimeoutMs);
        while (!errors_.contains("stop with Ctrl+C.") && !deadline.hasExpired()) {
            if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) {
                break;
            }
            errors_ += process_.readAllStandardError();
        }
        errors_ += process_.readAllStandardError();
        return errors_.contains("stop with Ctrl+C.");
    }

    // The next `count` lines the program prints, without their line ends.
    QList<QByteArray> readLines(int count) {
        QList<QByteArray> lines;
        const QDeadlineTimer deadline(kTimeoutMs);
        while (lines.size() < count && !deadline.hasExpired()) {
            if (!process_.canReadLine()) {
                process_.waitForReadyRead(100);
                continue;
            }
            lines.append(process_.readLine().chopped(1));
        }
        return lines;
    }

    int waitForExit() {
        process_.waitForFinished(kTimeoutMs);
        errors_ += process_.readAllStandardError();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    void terminate() { ::kill(static_cast<pid_t>(process_.processId()), SIGTERM); }
    QByteArray errors() const { return errors_; }
    QByteArray remainingOutput() { return process_.readAllStandardOutput(); }

  private:
    QTemporaryDir folder_;
    QProcess process_;
    QByteArray errors_;
};

class HeadlessProgramTest : public test::TestOnALine<> {
  protected:
    QStringList onNearEnd() const {
        return {QStringLiteral("--port"), QString::fromStdString(line.nearEnd())};
    }
};

TEST_F(HeadlessProgramTest, TypesReceivedTextAsKeyStrings) {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    HeadlessProgram program(settings, onNearEnd());
    ASSERT_TRUE(program.waitUntilRedirecting()) << program.errors().toStdString();
    PtyEndpoint device(line.farEnd());

    ASSERT_TRUE(device.write("a+b\r\n"));
    EXPECT_EQ(program.readLines(1), QList<QByteArray>{"a{+}b~"});
    ASSERT_TRUE(device.write("x\ty{}\x07\xe9"));
    EXPECT_EQ(program.readLines(1), QList<QByteArray>{"x{TAB}y{{}{}}"});

    program.terminate();
    EXPECT_EQ(program.waitForExit(), 0);
}

TEST_F(HeadlessProgramTest, AppliesTheAdvancedOptionsOfTheConfigurationFile) {
    RedirectSettings settings;
    settings.Combo_EOL = ",";
    settings.Check_preamble = 1;
    settings.Text_preamble = "{HOME}";
    settings.Check_postamble = 1;
    settings.Text_postamble = "{ENTER}";
    settings.Check_replacestring = 1;
    settings.Text_searchfor = "kg";
    settings.Text_replacewith = "+";
    HeadlessProgram program(settings, onNearEnd());
    ASSERT_TRUE(program.waitUntilRedirecting()) << program.errors().toStdString();
    EXPECT_TRUE(program.errors().contains("with advanced options"));
    PtyEndpoint device(line.farEnd());

    ASSERT_TRUE(device.write("12.5KG,"));
    EXPECT_EQ(program.readLines(1), QList<QByteArray>{"{HOME}12.5{+}{ENTER}"});
    ASSERT_TRUE(device.write("7 kg,"));
    EXPECT_EQ(program.readLines(1), QList<QByteArray>{"{HOME}7 {+}{ENTER}"});
}

TEST_F(HeadlessProgramTest, TheCommandLinePortReplacesTheStoredOne) {
    RedirectSettings settings;
    settings.Combo_portselect = "/dev/vantorix-no-such-port";
    HeadlessProgram program(settings, onNearEnd());
    EXPECT_TRUE(program.waitUntilRedirecting()) << program.errors().toStdString();
}

TEST_F(HeadlessProgramTest, AnUnavailablePortIsReportedWithExitStatusOne) {
    RedirectSettings settings;
    settings.Combo_portselect = "/dev/vantorix-no-such-port";
    HeadlessProgram program(settings, {});
    EXPECT_EQ(program.waitForExit(), 1);
    EXPECT_TRUE(program.errors().contains(
        "Com Port control: /dev/vantorix-no-such-port already open or not available. Shutdown "
        "any other program that is using this port first\n"))
        << program.errors().toStdString();
}

// --- Messages ---

// One message for every port that cannot be opened, with the system's
// reason on the line beneath.
TEST(HeadlessProgramMessages, EveryPortThatCannotBeOpenedGetsThePortMessageAndItsReason) {
    QTemporaryDir folder;
    const QString subfolder = folder.filePath(QStringLiteral("folder"));
    const QString file = folder.filePath(QStringLiteral("file"));
    ASSERT_TRUE(QDir().mkdir(subfolder));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    struct Case {
        QString port;
        QByteArray reason;
    };
    const Case cases[] = {
        {folder.filePath(QStringLiteral("absent")), "There is no device"},
        {subfolder, "is a folder, not a serial device."},
        {file, "is a regular file, not a serial device."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port.toStdString());
        HeadlessProgram program(RedirectSettings{}, {QStringLiteral("--port"), c.port});
        EXPECT_EQ(program.waitForExit(), kExitPortUnavailable);
        const QByteArray portMessage =
            "Com Port control: " + c.port.toLocal8Bit() +
            " already open or not available. Shutdown any other program that is using this "
            "port first\n";
        const QByteArray errors = program.errors();
        const qsizetype at = errors.indexOf(portMessage);
        ASSERT_GE(at, 0) << errors.toStdString();
        const QByteArray beneath = errors.mid(at + portMessage.size());
        EXPECT_TRUE(beneath.startsWith(c.port.toLocal8Bit()) ||
                    beneath.startsWith("There is no device " + c.port.toLocal8Bit()))
            << errors.toStdString();
        EXPECT_TRUE(beneath.contains(c.reason)) << errors.toStdString();
    }
}

TEST_F(HeadlessProgramTest, LineSettingsThePortRefusesAreSaidAndNeverNamedAsInForce) {
    RedirectSettings settings;
    settings.Combo_baud = "19200";
    settings.Combo_length = "4 bits";
    HeadlessProgram program(settings, onNearEnd());
    ASSERT_TRUE(program.waitUntilRedirecting()) << program.errors().toStdString();
    const QByteArray port = QByteArray::fromStdString(line.nearEnd());
    EXPECT_TRUE(program.errors().contains("Com Port control: " + port +
                                          " refused the line settings 19200,N,4,1 and runs at "
                                          "9600,N,8,1.\n"))
        << program.errors().toStdString();
    EXPECT_TRUE(program.errors().contains("Redirecting " + port + " at 9600,N,8,1;"))
        << program.errors().toStdString();
    EXPECT_FALSE(program.errors().contains("Redirecting " + port + " at 19200"));
}

TEST(HeadlessProgramOptions, VersionHelpAndMistakes) {
    QProcess process;
    process.start(QStringLiteral(VANTORIX_EXECUTABLE), {QStringLiteral("--version")});
    ASSERT_TRUE(process.waitForFinished(kTimeoutMs));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), "vantorix 2.04\n");

    process.start(QStringLiteral(VANTORIX_EXECUTABLE), {QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(kTimeoutMs));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray help = process.readAllStandardOutput();
    EXPECT_TRUE(help.contains("--port <path>"));
    EXPECT_TRUE(help.contains("--keys <backend>"));

    process.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  {QStringLiteral("--keys"), QStringLiteral("telepathy")});
    ASSERT_TRUE(process.waitForFinished(kTimeoutMs));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("telepathy"));
}

// --- Records and the configuration file through the real program ---

// The key strings the program prints until they come to `length` bytes,
// joined: a flush may come as one line or several.
QByteArray readKeys(HeadlessProgram& program, qsizetype length) {
    QByteArray keys;
    while (keys.size() < length) {
        const QList<QByteArray> lines = program.readLines(1);
        if (lines.isEmpty()) {
            break;
        }
        keys += lines.front();
    }
    return keys;
}

using test::framedRecordsEndingInCarriageReturn;

TEST_F(HeadlessProgramTest, EveryRecordOfOneWriteIsTypedInOrder) {
    HeadlessProgram program(framedRecordsEndingInCarriageReturn(), onNearEnd());
    ASSERT_TRUE(program.waitUntilRedirecting()) << program.errors().toStdString();
    PtyEndpoint device(line.farEnd());

    ASSERT_TRUE(device.write("111\r222\r333\r4"));
    const QByteArray expected = "{HOME}111{ENTER}{HOME}222{ENTER}{HOME}333{ENTER}";
    EXPECT_EQ(readKeys(program, expected.size()).toStdString(), expected.toStdString());
}

TEST_F(HeadlessProgramTest, ThousandsOfRecordsInOneWriteAreAllTyped) {
    HeadlessProgram program(framedRecordsEndingInCarriageReturn(), onNearEnd());
    ASSERT_TRUE(program.waitUntilRedirecting()) << program.errors().toStdString();
    PtyEndpoint device(line.farEnd());

    std::string records;
    QByteArray expected;
    for (int record = 0; record < 3000; ++record) {
        const std::string reading = std::to_string(100000 + record);
        records += reading + "\r";
        expected += "{HOME}" + QByteArray::fromStdString(reading) + "{ENTER}";
    }
    ASSERT_TRUE(device.write(records));
    EXPECT_EQ(readKeys(program, expected.size()).toStdString(), expected.toStdString());
}

// `vantorix.cfg` is made by `makeConfig` in a fresh folder; the program runs
// there with a port that is not available, so it reads the file and ends.
struct UnusableConfig {
    const char* what;
    bool (*makeConfig)(const QString& path);
    const char* problem;
};

void PrintTo(const UnusableConfig& config, std::ostream* out) {
    *out << config.what;
}

class UnusableConfigFile : public ::testing::TestWithParam<UnusableConfig> {};

TEST_P(UnusableConfigFile, IsReportedLeftAloneAndTheDefaultsAreUsed) {
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("vantorix.cfg"));
    ASSERT_TRUE(GetParam().makeConfig(config));
    if (GetParam().problem == std::string_view("cannot be read") &&
        QFile(config).open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "this user may read any file";
    }
    const QFileInfo before(config);

    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  {QStringLiteral("--headless"), QStringLiteral("--keys"), QStringLiteral("print"),
                   QStringLiteral("--port"), QStringLiteral("/dev/vantorix-no-such-port")});
    const bool finished = test::endedWithin(process, kTimeoutMs);
    ASSERT_TRUE(finished) << "the program must not wait for the file";
    const QByteArray errors = process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(process.exitCode(), 1) << "only the port is missing";
    EXPECT_TRUE(errors.contains(GetParam().problem)) << errors.toStdString();
    EXPECT_TRUE(errors.contains(config.toLocal8Bit())) << errors.toStdString();

    const QFileInfo after(config);
    EXPECT_EQ(after.isDir(), before.isDir());
    EXPECT_EQ(after.isFile(), before.isFile());
    EXPECT_EQ(after.size(), before.size());
}

INSTANTIATE_TEST_SUITE_P(
    HeadlessProgram, UnusableConfigFile,
    ::testing::Values(UnusableConfig{"a folder",
                                     [](const QString& path) { return QDir().mkdir(path); },
                                     "is a folder"},
                      UnusableConfig{"a pipe",
                                     [](const QString& path) {
                                         return ::mkfifo(path.toLocal8Bit().constData(), 0600) == 0;
                                     },
                                     "is a pipe"},
                      UnusableConfig{"a file without read permission",
                                     [](const QString& path) {
                                         QFile file(path);
                                         return file.open(QIODevice::WriteOnly) &&
                                                file.write("COM2\r\n") > 0 &&
                                                file.setPermissions(QFileDevice::WriteOwner);
                                     },
                                     "cannot be read"}));

}  // namespace
}  // namespace vantorix
