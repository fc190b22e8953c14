#include "qt/qt_serial_port.h"

#include "common/basic.h"
#include "common/error.h"
#include "serial/com_ports.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

// The cause of a failure in words, with the device's name.
RunTimeError Failure(const std::string& device, QSerialPort::SerialPortError e, const QString& qtText) {
  switch (e) {
    case QSerialPort::DeviceNotFoundError:
      return RunTimeError(err::kInvalidPort, device + ": No such device - is the receiver plugged in?");
    case QSerialPort::PermissionError:
      return RunTimeError(err::kPortAlreadyOpen,
                          device + ": Permission denied or device busy - add your user to the dialout group, "
                                   "or close the program that uses it");
    case QSerialPort::OpenError:
      return RunTimeError(err::kPortAlreadyOpen, device + ": Port already open");
    case QSerialPort::ResourceError:
      return RunTimeError(57, device + ": Device disappeared - was it unplugged?");
    case QSerialPort::UnsupportedOperationError:
      return RunTimeError(8015, device + ": Line settings not supported by this device");
    default:
      break;
  }
  const std::string text = FromQ(qtText);
  return RunTimeError(57, device + ": " + (text.empty() || text == "Unknown error" ? "Input/output error" : text));
}

}  // namespace

void QtSerialPort::Open(int port, const std::string& settings, int inBufferSize, int) {
  if (port_.isOpen()) throw RunTimeError(err::kPortAlreadyOpen);
  if (port < 1) throw RunTimeError(err::kInvalidPort);
  const std::string device = DevicePath(folder_, port);
  number_ = port;
  settings_ = settings;
  port_.setPortName(ToQ(device));
  port_.setBaudRate(static_cast<qint32>(Val(settings)));
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  port_.setReadBufferSize(inBufferSize > 0 ? inBufferSize : 0);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto e = port_.error();
    const QString text = port_.errorString();
    port_.clearError();
    throw Failure(device, e, text);
  }
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

void QtSerialPort::ThrowIfFailed() {
  if (!port_.isOpen()) throw RunTimeError(err::kPortNotOpen);
  const auto e = port_.error();
  if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) return;
  const QString text = port_.errorString();
  port_.clearError();
  throw Failure(FromQ(port_.portName()), e, text);
}

int QtSerialPort::InBufferCount() {
  ThrowIfFailed();
  port_.waitForReadyRead(0);  // takes in what the driver holds now
  if (port_.error() == QSerialPort::TimeoutError) port_.clearError();
  ThrowIfFailed();
  return static_cast<int>(port_.bytesAvailable());
}

std::string QtSerialPort::ReadAll() {
  ThrowIfFailed();
  const QByteArray data = port_.readAll();
  ThrowIfFailed();
  return data.toStdString();
}

void QtSerialPort::Write(std::string_view text) {
  ThrowIfFailed();
  if (port_.write(text.data(), static_cast<qint64>(text.size())) < 0) ThrowIfFailed();
}

int QtSerialPort::OutBufferCount() {
  ThrowIfFailed();
  return static_cast<int>(port_.bytesToWrite());
}

}  // namespace koralin::qt
