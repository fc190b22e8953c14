// Numbered serial ports on QSerialPort. Port numbers map to devices through
// ComPorts.cfg in the settings folder (serial/com_ports.h).
#pragma once

#include <QSerialPort>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <optional>

#include "common/error.h"
#include "serial/serial_port.h"

namespace koralin::qt {

class QtSerialPort : public SerialPort {
 public:
  explicit QtSerialPort(std::string settingsFolder);
  ~QtSerialPort() override;
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void SetSettings(const std::string& settings) override;
  void Close() override;
  // A device that vanished stays "open" until its failure has been reported.
  bool IsOpen() const override { return port_.isOpen() || failure_.has_value(); }
  int CommPort() const override { return number_; }
  std::string Settings() const override { return settings_; }
  int InBufferCount() override;
  std::string ReadAll() override;
  void Write(std::string_view text) override;
  int OutBufferCount() override;
  long Dropped() const override { return dropped_; }
  bool WakeOnInput(std::function<void()> wake) override;

 private:
  void ApplySettings();
  void OnError(QSerialPort::SerialPortError e);
  void ThrowIfFailed();
  void StopReadNotifier();
  void CheckLine();
  [[noreturn]] void LoseDevice();
  std::string folder_;
  std::string device_;
  QSerialPort port_;
  int number_ = 1;
  std::string settings_ = "9600,N,8,1";
  int outBufferSize_ = 0;
  long dropped_ = 0;
  // A failure Qt noticed on its own (device gone), reported at the next call.
  std::optional<RunTimeError> failure_;
  // Watches a quiet line for its first character; off whenever the line is
  // read at the ticks.
  std::unique_ptr<QSocketNotifier> wakeNotifier_;
  std::function<void()> wake_;
};

}  // namespace koralin::qt
