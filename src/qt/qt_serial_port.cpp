#include "qt/qt_serial_port.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "common/basic.h"
#include "common/error.h"
#include "serial/com_ports.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

constexpr long kDeviceIoError = 57;
constexpr qint64 kDefaultOutBuffer = 8192;

RunTimeError Missing(const std::string& device) {
  return RunTimeError(err::kInvalidPort, device + ": No such device - is it plugged in? (ComPorts.cfg maps port numbers to devices)");
}
RunTimeError Denied(const std::string& device) {
  return RunTimeError(err::kPermissionDenied, device + ": Permission denied - add your user to the dialout group");
}
RunTimeError Busy(const std::string& device) {
  return RunTimeError(err::kPortAlreadyOpen, device + ": Device busy - another program is using it");
}
RunTimeError Gone(const std::string& device) {
  return RunTimeError(err::kDeviceLost, device + ": Device disappeared - was it unplugged?");
}

// Qt says "permission" both for a device the user may not open and for one
// that another program holds; the file's access rights tell them apart.
RunTimeError OpenFailure(const std::string& device, QSerialPort::SerialPortError e, const QString& qtText) {
  struct stat st {};
  if (e == QSerialPort::DeviceNotFoundError || ::stat(device.c_str(), &st) != 0) return Missing(device);
  if (e == QSerialPort::PermissionError) {
    if (::access(device.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) return Denied(device);
    return Busy(device);
  }
  if (e == QSerialPort::OpenError) return Busy(device);
  if (e == QSerialPort::UnsupportedOperationError)
    return RunTimeError(8015, device + ": Line settings not supported by this device");
  if (e == QSerialPort::ResourceError) return Gone(device);
  const std::string text = FromQ(qtText);
  return RunTimeError(kDeviceIoError,
                      device + ": " + (text.empty() || text == "Unknown error" ? "Input/output error" : text));
}

// A port that was open fails to read or write when its device went away
// (USB pulled, the far end of a pty closed). Qt's text then carries a stale
// errno, so the cause is named here.
bool IsDeviceLost(QSerialPort::SerialPortError e) {
  return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError;
}

RunTimeError RunningFailure(const std::string& device, QSerialPort::SerialPortError e, const QString& qtText) {
  return IsDeviceLost(e) ? Gone(device) : OpenFailure(device, e, qtText);
}

// The driver's own queue of one direction, beside Qt's buffer.
int DriverQueue(const QSerialPort& port, unsigned long request) {
  int n = 0;
  if (port.handle() < 0 || ::ioctl(port.handle(), request, &n) != 0) return 0;
  return n;
}

}  // namespace

QtSerialPort::QtSerialPort(std::string settingsFolder) : folder_(std::move(settingsFolder)) {
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                   [this](QSerialPort::SerialPortError e) { OnError(e); });
  // The watched descriptor must not outlive the port's.
  QObject::connect(&port_, &QIODevice::aboutToClose, &port_, [this] { wakeNotifier_.reset(); });
}

// Closed while every member its handlers use is still there.
QtSerialPort::~QtSerialPort() { Close(); }

bool QtSerialPort::WakeOnInput(std::function<void()> wake) {
  if (!port_.isOpen() || failure_) return false;
  if (!wakeNotifier_) {
    wakeNotifier_ = std::make_unique<QSocketNotifier>(port_.handle(), QSocketNotifier::Read);
    QObject::connect(wakeNotifier_.get(), &QSocketNotifier::activated, &port_, [this] {
      wakeNotifier_->setEnabled(false);  // once: the ticks read what came
      if (wake_) wake_();
    });
  }
  wake_ = std::move(wake);
  wakeNotifier_->setEnabled(true);
  return true;
}

void QtSerialPort::OnError(QSerialPort::SerialPortError e) {
  if (!IsDeviceLost(e) || !port_.isOpen() || failure_) return;
  // A vanished device keeps waking the event loop until it is closed; close
  // it as soon as Qt is out of its notifier, and report at the next call.
  failure_ = Gone(device_);
  QTimer::singleShot(0, &port_, [this] {
    if (port_.isOpen()) port_.close();
  });
}

void QtSerialPort::ApplySettings() {
  port_.setBaudRate(static_cast<qint32>(Val(settings_)));
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialPort::Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) {
  if (port_.isOpen()) throw RunTimeError(err::kPortAlreadyOpen);
  if (port < 1) throw RunTimeError(err::kInvalidPort);
  const std::string device = DevicePath(folder_, port);
  device_ = device;
  number_ = port;
  settings_ = settings;
  outBufferSize_ = outBufferSize;
  failure_.reset();
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) throw Missing(device);
  if (Val(settings) <= 0)
    throw RunTimeError(8015, device + ": Baud rate " + Trim(settings.substr(0, settings.find(','))) + " not supported");
  port_.setPortName(ToQ(device));
  ApplySettings();
  port_.setReadBufferSize(inBufferSize > 0 ? inBufferSize : 0);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto e = port_.error();
    const QString text = port_.errorString();
    port_.clearError();
    throw OpenFailure(device, e, text);
  }
  port_.clearError();
  StopReadNotifier();
}

void QtSerialPort::SetSettings(const std::string& settings) {
  settings_ = settings;
  if (port_.isOpen()) ApplySettings();
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
  port_.clearError();
  failure_.reset();
}

void QtSerialPort::ThrowIfFailed() {
  if (failure_) {
    const RunTimeError e = *failure_;
    failure_.reset();
    if (port_.isOpen()) port_.close();
    throw e;
  }
  if (!port_.isOpen()) throw RunTimeError(err::kPortNotOpen);
  const auto e = port_.error();
  if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) {
    port_.clearError();
    return;
  }
  const QString text = port_.errorString();
  port_.clearError();
  const std::string device = device_;
  port_.close();  // a failed device is of no more use and must not wake us again
  throw RunningFailure(device, e, text);
}

// The line is read at the program's polling ticks only, straight from the
// driver: Qt's read notifier would wake the program for every chunk the
// line brings, many times per tick under a flood.
void QtSerialPort::StopReadNotifier() {
  for (QSocketNotifier* n : port_.findChildren<QSocketNotifier*>())
    if (n->type() == QSocketNotifier::Read) n->setEnabled(false);
}

// A device that went away (USB pulled, the far end of a pty closed) shows as
// a hang-up on the line, whether or not anything was sent.
void QtSerialPort::CheckLine() {
  ThrowIfFailed();
  pollfd p{port_.handle(), POLLIN, 0};
  // What arrived before the hang-up is read first.
  if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) && DriverQueue(port_, TIOCINQ) == 0)
    LoseDevice();
}

void QtSerialPort::LoseDevice() {
  const RunTimeError e = Gone(device_);
  failure_.reset();
  if (port_.isOpen()) port_.close();
  throw e;
}

int QtSerialPort::InBufferCount() {
  CheckLine();
  return static_cast<int>(port_.bytesAvailable()) + DriverQueue(port_, TIOCINQ);
}

std::string QtSerialPort::ReadAll() {
  CheckLine();
  std::string data = port_.bytesAvailable() > 0 ? port_.readAll().toStdString() : std::string();
  StopReadNotifier();  // reading through Qt turns it on again
  // Bounded, so that a flood cannot keep this loop going.
  char buf[4096];
  for (int i = 0; i < 16; ++i) {
    const ssize_t n = ::read(port_.handle(), buf, sizeof buf);
    if (n > 0) {
      data.append(buf, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      LoseDevice();
    } else {
      break;
    }
  }
  return data;
}

void QtSerialPort::Write(std::string_view text) {
  ThrowIfFailed();
  // Qt's own queue grows without bound when the far end takes nothing; a
  // reader that stopped loses sentences, and the port stays on.
  const qint64 limit = outBufferSize_ > 0 ? outBufferSize_ : kDefaultOutBuffer;
  if (port_.bytesToWrite() + static_cast<qint64>(text.size()) > limit) {
    ++dropped_;
    return;
  }
  if (port_.write(text.data(), static_cast<qint64>(text.size())) < 0) ThrowIfFailed();
  port_.flush();
  ThrowIfFailed();
}

int QtSerialPort::OutBufferCount() {
  ThrowIfFailed();
  if (port_.bytesToWrite() > 0) port_.flush();
  ThrowIfFailed();
  return static_cast<int>(port_.bytesToWrite()) + DriverQueue(port_, TIOCOUTQ);
}

}  // namespace koralin::qt
