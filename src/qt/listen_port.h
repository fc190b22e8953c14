// A TCP server (listen://address:port): every connected client gets what is
// written; what clients send is read only on the input port, or on the output
// port when the line asks for it ("?input=1").
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <chrono>
#include <functional>
#include <vector>

#include "qt/stream_port.h"
#include "serial/port_target.h"

namespace koralin::qt {

using SteadyTime = std::chrono::steady_clock::time_point;

struct ListenRules {
  // Whether the port is the program's input, whose clients are its data.
  bool isInput = true;
  // Clients served at once; Options.cfg ListenClients.
  int maxClients = 16;
  // The time now; tests pass their own.
  std::function<SteadyTime()> now = [] { return std::chrono::steady_clock::now(); };
};

// A client that neither sent anything nor took anything written to it for
// this long may give its place to a new one.
inline constexpr std::chrono::seconds kClientIdle{30};

class ListenPort : public StreamPort {
 public:
  ListenPort(PortTarget target, ListenRules rules) : target_(std::move(target)), rules_(std::move(rules)) {}
  ~ListenPort() override { Close(); }
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void Close() override;
  bool IsOpen() const override { return server_.isListening(); }
  void Write(std::string_view text) override;
  std::string Warning() const override;
  int Clients() const { return static_cast<int>(clients_.size()); }

 private:
  struct Client {
    QTcpSocket* socket;  // owned by server_
    SteadyTime active;   // last sent something or took something written
    qint64 waiting;      // bytes written to it and not yet taken, at the last look
  };
  void Take() override;
  // Takes in new clients, lets go of those that left and notes who is active.
  void Tend();
  void Admit(QTcpSocket* c, SteadyTime now);
  PortTarget target_;
  ListenRules rules_;
  QTcpServer server_;
  std::vector<Client> clients_;
};

}  // namespace koralin::qt
