#include "frontend/qt/qt_serial_port_control.h"

#include <QSerialPortInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <termios.h>
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
        port_.clearError();
        return false;
    }
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
