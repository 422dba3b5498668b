#include "frontend/qt/qt_serial_port_control.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace vantorix {
namespace {

std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = text.find(',')) != std::string_view::npos;) {
        fields.push_back(text.substr(0, comma));
        text.remove_prefix(comma + 1);
    }
    fields.push_back(text);
    return fields;
}

std::optional<qint32> parseBaud(std::string_view text) {
    qint32 baud = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, baud);
    if (error != std::errc{} || stop != end || baud <= 0) {
        return std::nullopt;
    }
    return baud;
}

std::optional<QSerialPort::Parity> parseParity(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    switch (text.front()) {
        case 'N':
        case 'n':
            return QSerialPort::NoParity;
        case 'E':
        case 'e':
            return QSerialPort::EvenParity;
        case 'O':
        case 'o':
            return QSerialPort::OddParity;
        case 'M':
        case 'm':
            return QSerialPort::MarkParity;
        case 'S':
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return std::nullopt;
    }
}

// QSerialPort has no 4-bit characters, so "4" is refused like any other
// value the device cannot take.
std::optional<QSerialPort::DataBits> parseDataBits(std::string_view text) {
    if (text.size() != 1 || text.front() < '5' || text.front() > '8') {
        return std::nullopt;
    }
    return static_cast<QSerialPort::DataBits>(text.front() - '0');
}

std::optional<QSerialPort::StopBits> parseStopBits(std::string_view text) {
    if (text == "1") {
        return QSerialPort::OneStop;
    }
    if (text == "2") {
        return QSerialPort::TwoStop;
    }
#ifdef Q_OS_WIN
    if (text == "1.5") {
        return QSerialPort::OneAndHalfStop;
    }
#endif
    // termios has no 1.5 stop bits and QSerialPort would quietly use one, so
    // elsewhere "1.5" is refused rather than accepted and not honoured.
    return std::nullopt;
}

// "baud,parity letter,data bits,stop bits", for example "19200,E,7,2".
std::optional<QtSerialPortControl::LineSettings> parseLineSettings(std::string_view text) {
    const std::vector<std::string_view> fields = splitAtCommas(text);
    if (fields.size() != 4) {
        return std::nullopt;
    }
    const auto baud = parseBaud(fields[0]);
    const auto parity = parseParity(fields[1]);
    const auto dataBits = parseDataBits(fields[2]);
    const auto stopBits = parseStopBits(fields[3]);
    if (!baud || !parity || !dataBits || !stopBits) {
        return std::nullopt;
    }
    return QtSerialPortControl::LineSettings{*baud, *parity, *dataBits, *stopBits};
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
    if (!parsed) {
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
    return port_.setBaudRate(settings.baud) && port_.setDataBits(settings.dataBits) &&
           port_.setParity(settings.parity) && port_.setStopBits(settings.stopBits);
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
