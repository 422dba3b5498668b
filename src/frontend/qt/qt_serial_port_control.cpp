#include "frontend/qt/qt_serial_port_control.h"

#include <QSerialPortInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vantorix {
namespace {

QSerialPort::Parity qtParity(Parity parity) {
    switch (parity) {
        case Parity::Even:
            return QSerialPort::EvenParity;
        case Parity::Odd:
            return QSerialPort::OddParity;
        case Parity::Mark:
            return QSerialPort::MarkParity;
        case Parity::Space:
            return QSerialPort::SpaceParity;
        case Parity::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(StopBits stopBits) {
    switch (stopBits) {
        case StopBits::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case StopBits::Two:
            return QSerialPort::TwoStop;
        case StopBits::One:
            break;
    }
    return QSerialPort::OneStop;
}

// QSerialPort has no 4-bit characters, and termios no 1.5 stop bits (where
// QSerialPort would quietly use one), so these are refused like any other
// value the device cannot take.
bool qtCanApply(const LineSettings& settings) {
#ifdef Q_OS_WIN
    const bool stopBitsPossible = true;
#else
    const bool stopBitsPossible = settings.stopBits != StopBits::OneAndHalf;
#endif
    return settings.dataBits >= 5 && stopBitsPossible;
}

QSerialPort::FlowControl flowControlFor(std::int32_t mode) {
    switch (mode) {
        case 1:
            return QSerialPort::SoftwareControl;
        case 2:
        case 3:
            return QSerialPort::HardwareControl;
        default:
            return QSerialPort::NoFlowControl;
    }
}

// QSerialPort offers RTS/CTS or XON/XOFF but not both at once; the "both"
// handshake adds XON/XOFF to a port already set to RTS/CTS.
bool addSoftwareFlowControl([[maybe_unused]] const QSerialPort& port) {
#ifdef Q_OS_UNIX
    termios line{};
    if (::tcgetattr(port.handle(), &line) != 0) {
        return false;
    }
    line.c_iflag |= IXON | IXOFF;
    return ::tcsetattr(port.handle(), TCSANOW, &line) == 0;
#else
    // Windows: the port keeps RTS/CTS alone.
    return true;
#endif
}

// What failed, for the errors after which the device is gone (QSerialPort
// would report them again at every turn of the event loop while the port
// stays open); empty for any other error. QSerialPort's own error text is not
// used: after a lost line it is often a stale errno ("Inappropriate ioctl for
// device" from an earlier DTR attempt on a pseudo-terminal).
std::string lossDescription(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::ReadError:
            return "reading from it failed";
        case QSerialPort::WriteError:
            return "writing to it failed";
        case QSerialPort::ResourceError:
            return "the device is no longer available";
        default:
            return {};
    }
}

std::string qtErrorText(const QSerialPort& port) {
    return port.errorString().toLocal8Bit().toStdString() + ".";
}

#ifdef Q_OS_UNIX
// QSerialPort's rule: a name without a slash names a device in /dev.
std::string systemLocation(const std::string& name) {
    return name.find('/') == std::string::npos ? "/dev/" + name : name;
}

std::string permissionDenied(const std::string& path) {
    std::string text = "Permission denied: this user may not open " + path + ".";
#ifdef Q_OS_LINUX
    text +=
        " Serial devices belong to the group dialout: add yourself with \"sudo usermod -aG "
        "dialout $USER\", then log out and in again.";
#endif
    return text;
}

// Told from the path itself where it can be, since QSerialPort's text for a
// file or a folder ("Inappropriate ioctl for device") says little.
std::string openFailureText(const std::string& name, const QSerialPort& port) {
    const std::string path = systemLocation(name);
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == EACCES) {
            return permissionDenied(path);
        }
        return errno == ENOENT || errno == ENOTDIR ? "There is no device " + path + "."
                                                   : qtErrorText(port);
    }
    if (S_ISDIR(status.st_mode)) {
        return path + " is a folder, not a serial device.";
    }
    if (S_ISREG(status.st_mode)) {
        return path + " is a regular file, not a serial device.";
    }
    if (!S_ISCHR(status.st_mode)) {
        return path + " is not a serial device.";
    }
    // As open() decides: with the effective user's rights, not the real one's.
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES) {
        return permissionDenied(path);
    }
    if (port.error() == QSerialPort::PermissionError) {
        return "Another program is using " + path + " (" +
               port.errorString().toLocal8Bit().toStdString() + ").";
    }
    return qtErrorText(port);
}
#else
std::string openFailureText(const std::string& /*name*/, const QSerialPort& port) {
    return qtErrorText(port);
}
#endif

}  // namespace

std::string commPortDevice(std::int16_t number) {
    if (number < 1) {
        return {};
    }
#ifdef Q_OS_WIN
    return "COM" + std::to_string(number);
#else
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

QtSerialPortControl::QtSerialPortControl() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { onReadyRead(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPortControl::~QtSerialPortControl() {
    // Closed here while the handlers above can still run safely.
    setPortOpen(false);
}

bool QtSerialPortControl::setCommPort(std::int16_t number) {
    std::string device = commPortDevice(number);
    if (device.empty()) {
        return false;
    }
    devicePath_ = std::move(device);
    return true;
}

bool QtSerialPortControl::setCommDevice(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    devicePath_ = path;
    return true;
}

bool QtSerialPortControl::setSettings(const std::string& settings) {
    const auto parsed = parseLineSettings(settings);
    if (!parsed || !qtCanApply(*parsed)) {
        return false;
    }
    if (port_.isOpen() && !applyLineSettings(*parsed)) {
        applyLineSettings(line_);
        port_.clearError();
        return false;
    }
    line_ = *parsed;
    return true;
}

bool QtSerialPortControl::setInputLen(std::int16_t length) {
    if (length < 0) {
        return false;
    }
    inputLen_ = length;
    return true;
}

bool QtSerialPortControl::setHandshaking(std::int32_t mode) {
    if (mode < 0 || mode > 3) {
        return false;
    }
    if (port_.isOpen() && !applyHandshaking(mode)) {
        applyHandshaking(handshaking_);
        port_.clearError();
        return false;
    }
    handshaking_ = mode;
    return true;
}

bool QtSerialPortControl::setPortOpen(bool open) {
    if (!open) {
        if (port_.isOpen()) {
            port_.close();
        }
        return true;
    }
    if (port_.isOpen()) {
        return false;
    }
    port_.setPortName(QString::fromStdString(devicePath_));
    // While closed these only record the values; open() applies them.
    applyLineSettings(line_);
    port_.setFlowControl(flowControlFor(handshaking_));
    if (!port_.open(QIODevice::ReadWrite)) {
        openFailure_ = openFailureText(devicePath_, port_);
        port_.clearError();
        return false;
    }
    openFailure_.clear();
    if (handshaking_ == 3) {
        addSoftwareFlowControl(port_);
    }
    // Lines without modem control (a pseudo-terminal) refuse DTR; the port
    // works without it.
    port_.setDataTerminalReady(true);
    port_.clearError();
    openedPath_ = devicePath_;
    ++opening_;
    return true;
}

bool QtSerialPortControl::PortOpen() const {
    return port_.isOpen();
}

std::string QtSerialPortControl::Input() {
    if (!port_.isOpen()) {
        return {};
    }
    const QByteArray bytes = inputLen_ > 0 ? port_.read(inputLen_) : port_.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool QtSerialPortControl::Output(const std::string& data) {
    if (!port_.isOpen()) {
        return false;
    }
    const auto size = static_cast<qint64>(data.size());
    return port_.write(data.data(), size) == size;
}

std::int16_t QtSerialPortControl::CommEvent() const {
    return commEvent_;
}

std::string QtSerialPortControl::openFailureReason() const {
    return openFailure_;
}

bool QtSerialPortControl::applyLineSettings(const LineSettings& settings) {
    return port_.setBaudRate(settings.baud) &&
           port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
           port_.setParity(qtParity(settings.parity)) &&
           port_.setStopBits(qtStopBits(settings.stopBits));
}

bool QtSerialPortControl::applyHandshaking(std::int32_t mode) {
    if (!port_.setFlowControl(flowControlFor(mode))) {
        return false;
    }
    return mode != 3 || addSoftwareFlowControl(port_);
}

void QtSerialPortControl::onReadyRead() {
    commEvent_ = comEvReceive;
    if (OnComm) {
        OnComm();
    }
}

void QtSerialPortControl::onError(QSerialPort::SerialPortError error) {
    const std::string what = lossDescription(error);
    if (what.empty() || !port_.isOpen()) {
        return;
    }
    std::string reason = "Port " + openedPath_ + " was lost: " + what;
    port_.close();
    // Raised from the event loop rather than from inside QSerialPort's own
    // notification, which is still on the stack here.
    QMetaObject::invokeMethod(
        &port_,
        [this, reason = std::move(reason), lostOpening = opening_] {
            if (lostOpening == opening_ && OnPortLost) {
                OnPortLost(reason);
            }
        },
        Qt::QueuedConnection);
}

std::vector<std::string> presentSerialDevices() {
    std::vector<std::string> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        devices.push_back(info.systemLocation().toStdString());
    }
    std::sort(devices.begin(), devices.end());
    return devices;
}

}  // namespace vantorix
