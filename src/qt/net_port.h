// NMEA from a TCP server (tcp://host:port), or the raw NMEA gpsd passes on
// from its receivers (gpsd://host:port).
#pragma once

#include <QTcpSocket>

#include "qt/stream_port.h"
#include "serial/port_target.h"

namespace koralin::qt {

class NetPort : public StreamPort {
 public:
  explicit NetPort(PortTarget target) : target_(std::move(target)) {}
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  void Write(std::string_view text) override;

 private:
  void Take() override;
  void KeepNmeaLines(const QByteArray& data);
  PortTarget target_;
  QTcpSocket socket_;
  bool open_ = false;
  std::string partial_;  // gpsd: the unfinished last line
};

}  // namespace koralin::qt
