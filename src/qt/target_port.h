// A numbered port of any kind: ComPorts.cfg says at every open whether the
// number is a serial device, gpsd, a TCP server or client, or a pty. The
// rest of the program sees only a SerialPort.
#pragma once

#include <memory>

#include "serial/serial_port.h"

namespace koralin::qt {

class TargetPort : public SerialPort {
 public:
  explicit TargetPort(std::string settingsFolder) : folder_(std::move(settingsFolder)) {}
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void SetSettings(const std::string& settings) override;
  void Close() override;
  bool IsOpen() const override { return impl_ && impl_->IsOpen(); }
  int CommPort() const override { return number_; }
  std::string Settings() const override { return settings_; }
  int InBufferCount() override { return Impl().InBufferCount(); }
  std::string ReadAll() override { return Impl().ReadAll(); }
  void Write(std::string_view text) override { Impl().Write(text); }
  int OutBufferCount() override { return Impl().OutBufferCount(); }
  long Dropped() const override { return impl_ ? impl_->Dropped() : 0; }
  bool WakeOnInput(std::function<void()> wake) override { return impl_ && impl_->WakeOnInput(std::move(wake)); }

 private:
  SerialPort& Impl();
  std::string folder_;
  std::unique_ptr<SerialPort> impl_;
  int number_ = 1;
  std::string settings_ = "9600,N,8,1";
};

}  // namespace koralin::qt
