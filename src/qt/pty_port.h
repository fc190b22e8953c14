// A virtual serial port (pty:///tmp/koralin-gps-out): a pseudo-terminal
// with a link at the path, for a program on this PC that wants a serial
// device. The link is removed when the port closes.
#pragma once

#include "qt/stream_port.h"
#include "serial/port_target.h"

namespace koralin::qt {

class PtyPort : public StreamPort {
 public:
  explicit PtyPort(PortTarget target) : target_(std::move(target)) {}
  ~PtyPort() override { Close(); }
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void Close() override;
  bool IsOpen() const override { return master_ >= 0; }
  void Write(std::string_view text) override;

 private:
  void Take() override;
  void Flush();
  PortTarget target_;
  int master_ = -1;
  int slave_ = -1;  // held open, so a reader that closes is no hang-up
  std::string slaveName_;
  std::string pending_;  // what the reader could not take yet
};

}  // namespace koralin::qt
