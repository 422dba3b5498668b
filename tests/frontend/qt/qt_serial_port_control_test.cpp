#include "frontend/qt/qt_serial_port_control.h"

#include <QtCore/qtestsupport_core.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "support/pty_pair.h"

namespace vantorix {
namespace {

using test::PtyEndpoint;
using test::PtyPair;

constexpr int kEventTimeoutMs = 5000;

std::string allByteValues() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

// The line settings in force on the device, as the kernel holds them.
termios lineInForce(const QtSerialPortControl& control) {
    termios line{};
    EXPECT_EQ(::tcgetattr(control.device().handle(), &line), 0);
    return line;
}

speed_t speedInForce(const QtSerialPortControl& control) {
    const termios line = lineInForce(control);
    return ::cfgetospeed(&line);
}

bool twoStopBits(const termios& line) {
    return (line.c_cflag & CSTOPB) != 0;
}

// Gathers what the control receives, reading it as the receive handler does.
struct Receiver {
    explicit Receiver(QtSerialPortControl& control) : control_(control) {
        control_.OnComm = [this] {
            events.push_back(control_.CommEvent());
            received += control_.Input();
        };
    }
    ~Receiver() { control_.OnComm = nullptr; }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    bool waitFor(std::size_t count) {
        return QTest::qWaitFor([&] { return received.size() >= count; }, kEventTimeoutMs);
    }

    QtSerialPortControl& control_;
    std::string received;
    std::vector<std::int16_t> events;
};

class QtSerialPortControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) {
            GTEST_SKIP() << "socat is not installed; these tests need it for a pseudo-terminal "
                            "pair standing in for a serial line";
        }
        pty_ = std::make_unique<PtyPair>();
        ASSERT_TRUE(pty_->isReady()) << pty_->problem();
    }

    // The opening sequence of the program.
    bool open(QtSerialPortControl& control) {
        control.setCommDevice(pty_->nearEnd());
        control.setSettings("9600,N,8,1");
        control.setInputLen(0);
        return control.setPortOpen(true);
    }

    // Both directions of the line still carry data.
    void expectLineWorks(QtSerialPortControl& control) {
        PtyEndpoint far(pty_->farEnd());
        ASSERT_TRUE(far.isOpen());
        Receiver receiver(control);
        ASSERT_TRUE(far.write("ping"));
        EXPECT_TRUE(receiver.waitFor(4));
        EXPECT_EQ(receiver.received, "ping");
        ASSERT_TRUE(control.Output("pong"));
        EXPECT_EQ(far.read(4), "pong");
    }

    std::unique_ptr<PtyPair> pty_;
    QtSerialPortControl control_;
};

TEST(CommPortDeviceTest, NamesTheDeviceOfEachPortNumber) {
#ifdef Q_OS_WIN
    EXPECT_EQ(commPortDevice(1), "COM1");
    EXPECT_EQ(commPortDevice(20), "COM20");
#else
    EXPECT_EQ(commPortDevice(1), "/dev/ttyS0");
    EXPECT_EQ(commPortDevice(20), "/dev/ttyS19");
#endif
    EXPECT_EQ(commPortDevice(0), "");
    QtSerialPortControl control;
    EXPECT_FALSE(control.setCommPort(0));
    EXPECT_FALSE(control.setCommPort(-1));
    EXPECT_TRUE(control.setCommPort(21));
}

TEST_F(QtSerialPortControlTest, OpensClosesAndReopens) {
    EXPECT_FALSE(control_.PortOpen());
    ASSERT_TRUE(open(control_));
    EXPECT_TRUE(control_.PortOpen());
    EXPECT_FALSE(control_.setPortOpen(true)) << "opening an open port is refused";
    EXPECT_TRUE(control_.PortOpen());

    EXPECT_TRUE(control_.setPortOpen(false));
    EXPECT_FALSE(control_.PortOpen());
    EXPECT_FALSE(control_.Output("x"));
    EXPECT_EQ(control_.Input(), "");

    ASSERT_TRUE(control_.setPortOpen(true));
    expectLineWorks(control_);
}

TEST_F(QtSerialPortControlTest, AMissingDeviceDoesNotOpen) {
    control_.setCommDevice(pty_->nearEnd() + "-absent");
    EXPECT_FALSE(control_.setPortOpen(true));
    EXPECT_FALSE(control_.PortOpen());
}

TEST_F(QtSerialPortControlTest, ASecondOpenerOfABusyPortIsRefused) {
    ASSERT_TRUE(open(control_));
    QtSerialPortControl second;
    EXPECT_FALSE(open(second));
    EXPECT_FALSE(second.PortOpen());
    expectLineWorks(control_);

    EXPECT_NE(second.openFailureReason().find("Another program is using"), std::string::npos)
        << second.openFailureReason();

    control_.setPortOpen(false);
    EXPECT_TRUE(second.setPortOpen(true)) << "the port is free again once closed";
    EXPECT_EQ(second.openFailureReason(), "");
}

// While it lives, files are opened with the rights of an ordinary user: as
// root, this thread's file-system identity is nobody's.
class OrdinaryUsersRights {
  public:
    OrdinaryUsersRights() {
        if (::geteuid() == 0) {
            ::setfsuid(kNobody);
        }
    }
    ~OrdinaryUsersRights() { ::setfsuid(::geteuid()); }
    OrdinaryUsersRights(const OrdinaryUsersRights&) = delete;
    OrdinaryUsersRights& operator=(const OrdinaryUsersRights&) = delete;

  private:
    static constexpr uid_t kNobody = 65534;
};

TEST_F(QtSerialPortControlTest, EveryFailureToOpenSaysWhy) {
    QTemporaryDir folder;
    const std::string absent = folder.filePath(QStringLiteral("absent")).toStdString();
    const std::string subfolder = folder.filePath(QStringLiteral("folder")).toStdString();
    const std::string file = folder.filePath(QStringLiteral("file")).toStdString();
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(subfolder)));
    ASSERT_TRUE(QFile(QString::fromStdString(file)).open(QIODevice::WriteOnly));
    // The near end of the line with no rights for anyone: a device this user may not open.
    const std::string device =
        QFileInfo(QString::fromStdString(pty_->nearEnd())).canonicalFilePath().toStdString();
    ASSERT_EQ(::chmod(device.c_str(), 0), 0);
    const bool ttyS20 = QFileInfo::exists(QStringLiteral("/dev/ttyS20"));

    struct Case {
        const char* what;
        std::function<void(QtSerialPortControl&)> choosePort;
        std::string reason;  // what the reason says, in part
        bool asOrdinaryUser = false;
    };
    const auto path = [](const std::string& p) {
        return [p](QtSerialPortControl& control) { control.setCommDevice(p); };
    };
    const std::vector<Case> cases = {
        {"missing", path(absent), "There is no device " + absent + "."},
        {"a folder", path(subfolder), subfolder + " is a folder, not a serial device."},
        {"a regular file", path(file), file + " is a regular file, not a serial device."},
        {"not this user's", path(device),
         "Permission denied: this user may not open " + device +
             ". Serial devices belong to the group dialout",
         true},
        {"COM21", [](QtSerialPortControl& control) { control.setCommPort(21); },
         ttyS20 ? "" : "There is no device /dev/ttyS20."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QtSerialPortControl control;
        c.choosePort(control);
        {
            std::optional<OrdinaryUsersRights> ordinary;
            if (c.asOrdinaryUser) {
                ordinary.emplace();
            }
            EXPECT_FALSE(control.setPortOpen(true));
        }
        EXPECT_FALSE(control.PortOpen());
        EXPECT_FALSE(control.openFailureReason().empty());
        EXPECT_NE(control.openFailureReason().find(c.reason), std::string::npos)
            << control.openFailureReason();
    }
}

TEST_F(QtSerialPortControlTest, LineSettingsThePtyTakesAreAppliedAtOnce) {
    struct Case {
        const char* settings;
        speed_t speed;
        bool twoStop;
    };
    const Case cases[] = {
        {"115200,N,8,1", B115200, false},
        {"110,S,5,2", B110, true},
        {"300,M,8,1", B300, false},
        {"57600,o,5,2", B57600, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        // Whether a pty takes a parity depends on the parity before it (Odd
        // is refused after Mark), so each case starts from a fresh opening:
        // closing puts back the line as it was before the port was opened.
        ASSERT_TRUE(open(control_));
        EXPECT_TRUE(control_.setSettings(c.settings));
        EXPECT_EQ(speedInForce(control_), c.speed);
        EXPECT_EQ(twoStopBits(lineInForce(control_)), c.twoStop);
        control_.setPortOpen(false);
    }
}

TEST_F(QtSerialPortControlTest, SettingsThePtyRefusesLeaveThePreviousOnesInForce) {
    // A pseudo-terminal cannot take 6 or 7 data bits nor even parity, and
    // termios has no 1.5 stop bits; the baud rate, applied first, must be put
    // back.
    ASSERT_TRUE(open(control_));
    ASSERT_TRUE(control_.setSettings("4800,N,8,1"));
    for (const char* refused :
         {"19200,E,7,2", "19200,N,7,1", "19200,E,8,2", "19200,N,6,2", "19200,N,8,1.5"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(control_.setSettings(refused));
        EXPECT_TRUE(control_.PortOpen());
        EXPECT_EQ(speedInForce(control_), B4800);
        EXPECT_FALSE(twoStopBits(lineInForce(control_)));
    }
    expectLineWorks(control_);
}

TEST_F(QtSerialPortControlTest, SettingsTheControlCannotTakeAreRejectedOpenOrClosed) {
    // The text itself is read by parseLineSettings (tested with the serial
    // library); here: a malformed text, 4 data bits (QSerialPort has none),
    // and 1.5 stop bits (termios has none).
    const char* refused[] = {"9600,N,8", "abc,N,8,1", "9600,N,4,1", "9600,N,8,1.5"};
    ASSERT_TRUE(control_.setSettings("4800,N,8,2"));
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(control_.setSettings(text));
    }
    control_.setCommDevice(pty_->nearEnd());
    ASSERT_TRUE(control_.setPortOpen(true));
    EXPECT_EQ(speedInForce(control_), B4800) << "settings kept from before opening";
    EXPECT_TRUE(twoStopBits(lineInForce(control_)));

    for (const char* text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(control_.setSettings(text));
    }
    EXPECT_EQ(speedInForce(control_), B4800);
}

TEST_F(QtSerialPortControlTest, HandshakingSetsTheFlowControlOfTheLine) {
    struct Case {
        std::int32_t mode;
        bool rtsCts;
        bool xonXoff;
    };
    const Case cases[] = {{1, false, true}, {3, true, true}, {2, true, false}, {0, false, false}};
    ASSERT_TRUE(open(control_));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_TRUE(control_.setHandshaking(c.mode));
        const termios line = lineInForce(control_);
        EXPECT_EQ((line.c_cflag & CRTSCTS) != 0, c.rtsCts);
        EXPECT_EQ((line.c_iflag & IXON) != 0, c.xonXoff);
        EXPECT_EQ((line.c_iflag & IXOFF) != 0, c.xonXoff);
    }
    EXPECT_FALSE(control_.setHandshaking(4));
    EXPECT_FALSE(control_.setHandshaking(-1));

    // Both kinds at once, chosen while closed, take effect on opening.
    control_.setPortOpen(false);
    ASSERT_TRUE(control_.setHandshaking(3));
    ASSERT_TRUE(control_.setPortOpen(true));
    const termios line = lineInForce(control_);
    EXPECT_NE(line.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(line.c_iflag & IXON, 0u);
}

TEST_F(QtSerialPortControlTest, ReceivesEveryByteValueThroughOnComm) {
    ASSERT_TRUE(open(control_));
    PtyEndpoint far(pty_->farEnd());
    ASSERT_TRUE(far.isOpen());
    Receiver receiver(control_);

    ASSERT_TRUE(far.write(allByteValues()));
    ASSERT_TRUE(receiver.waitFor(256));
    EXPECT_EQ(receiver.received, allByteValues());
    ASSERT_FALSE(receiver.events.empty());
    EXPECT_TRUE(std::all_of(receiver.events.begin(), receiver.events.end(),
                            [](std::int16_t event) { return event == 2; }));
    EXPECT_EQ(control_.Input(), "") << "Input removes what it returns";
}

TEST_F(QtSerialPortControlTest, ReceivesABurstCompleteAndInOrder) {
    ASSERT_TRUE(open(control_));
    PtyEndpoint far(pty_->farEnd());
    ASSERT_TRUE(far.isOpen());
    Receiver receiver(control_);

    std::string burst;
    for (std::size_t i = 0; i < 4096; ++i) {
        burst.push_back(static_cast<char>(i % 251));
    }
    ASSERT_TRUE(far.write(burst));
    ASSERT_TRUE(receiver.waitFor(burst.size()));
    EXPECT_EQ(receiver.received, burst);
}

TEST_F(QtSerialPortControlTest, OutputSendsEveryByteValueUnchanged) {
    ASSERT_TRUE(open(control_));
    PtyEndpoint far(pty_->farEnd());
    ASSERT_TRUE(far.isOpen());

    ASSERT_TRUE(control_.Output(allByteValues()));
    EXPECT_EQ(far.read(256), allByteValues());
}

TEST_F(QtSerialPortControlTest, ALostLineClosesThePortAndIsReportedOnce) {
    ASSERT_TRUE(open(control_));
    QObject watcher;
    int goneErrors = 0;
    QObject::connect(&control_.device(), &QSerialPort::errorOccurred, &watcher,
                     [&goneErrors](QSerialPort::SerialPortError error) {
                         if (error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
                             error == QSerialPort::ResourceError) {
                             ++goneErrors;
                         }
                     });
    std::vector<std::string> reasons;
    control_.OnPortLost = [&reasons](const std::string& reason) { reasons.push_back(reason); };

    pty_->unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reasons.empty(); }, kEventTimeoutMs));
    EXPECT_FALSE(control_.PortOpen());
    // A port left open after failing reports the failure at every turn.
    for (int turn = 0; turn < 100; ++turn) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(goneErrors, 1);
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_EQ(reasons[0].rfind("Port " + pty_->nearEnd() + " was lost: ", 0), 0u) << reasons[0];
}

}  // namespace
}  // namespace vantorix
