// A numbered port of any kind: ComPorts.cfg says at every open whether the
// number is a serial device, gpsd, a TCP server or client, or a pty. The
// rest of the program sees only a SerialPort.
#pragma once

#include <functional>
#include <memory>

#include "serial/serial_port.h"

namespace koralin {
struct PortTarget;
}

namespace koralin::qt {

class TargetPort : public SerialPort {
 public:
  // `isInput`: the GPS input, whose listen:// clients are always read.
  explicit TargetPort(std::string settingsFolder, bool isInput = true)
      : folder_(std::move(settingsFolder)), isInput_(isInput) {}
  // The listen:// client limit, asked at every open.
  void SetClientLimit(std::function<int()> limit) { clientLimit_ = std::move(limit); }
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
  std::string Warning() const override { return impl_ ? impl_->Warning() : std::string(); }

 private:
  SerialPort& Impl();
  std::unique_ptr<SerialPort> Make(const PortTarget& t) const;
  std::string folder_;
  bool isInput_;
  std::function<int()> clientLimit_;
  std::unique_ptr<SerialPort> impl_;
  int number_ = 1;
  std::string settings_ = "9600,N,8,1";
};

}  // namespace koralin::qt
