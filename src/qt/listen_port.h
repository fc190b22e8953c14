// A TCP server (listen://address:port): every connected client gets what is
// written, and what clients send is read like serial input.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

#include "qt/stream_port.h"
#include "serial/port_target.h"

namespace koralin::qt {

class ListenPort : public StreamPort {
 public:
  explicit ListenPort(PortTarget target) : target_(std::move(target)) {}
  ~ListenPort() override { Close(); }
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void Close() override;
  bool IsOpen() const override { return server_.isListening(); }
  void Write(std::string_view text) override;
  int Clients() const { return static_cast<int>(clients_.size()); }

 private:
  void Take() override;
  // Takes in new clients and lets go of those that left.
  void Tend();
  PortTarget target_;
  QTcpServer server_;
  std::vector<QTcpSocket*> clients_;  // owned by server_
};

}  // namespace koralin::qt
