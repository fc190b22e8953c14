// Numbered serial ports on QSerialPort. Port numbers map to devices through
// ComPorts.cfg in the settings folder (serial/com_ports.h).
#pragma once

#include <QSerialPort>

#include "serial/serial_port.h"

namespace koralin::qt {

class QtSerialPort : public SerialPort {
 public:
  explicit QtSerialPort(std::string settingsFolder) : folder_(std::move(settingsFolder)) {}
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  int CommPort() const override { return number_; }
  std::string Settings() const override { return settings_; }
  int InBufferCount() override;
  std::string ReadAll() override;
  void Write(std::string_view text) override;
  int OutBufferCount() override;

 private:
  void ThrowIfFailed();
  std::string folder_;
  QSerialPort port_;
  int number_ = 1;
  std::string settings_ = "9600,N,8,1";
};

}  // namespace koralin::qt
