#include "qt/listen_port.h"

#include <QHostInfo>

#include "common/error.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

// Enough for every plotter and phone in a car; more are turned away so that
// a peer that keeps connecting cannot grow the program.
constexpr std::size_t kMaxClients = 16;
constexpr qint64 kClientReadBuffer = 16384;
// The kernel's share of a slow client's backlog, kept small on purpose.
constexpr int kClientSendBuffer = 32768;

QHostAddress AddressOf(const PortTarget& t) {
  QHostAddress a;
  if (a.setAddress(ToQ(t.host))) return a;
  const QHostInfo info = QHostInfo::fromName(ToQ(t.host));
  if (info.addresses().isEmpty()) throw RunTimeError(err::kInvalidPort, t.text + ": Host " + t.host + " not found");
  return info.addresses().front();
}

}  // namespace

void ListenPort::Open(int port, const std::string& settings, int, int) {
  if (IsOpen()) throw RunTimeError(err::kPortAlreadyOpen);
  Remember(port, settings);
  if (!server_.listen(AddressOf(target_), static_cast<quint16>(target_.tcpPort))) {
    const bool inUse = server_.serverError() == QAbstractSocket::AddressInUseError;
    throw RunTimeError(err::kPortAlreadyOpen,
                       target_.text + ": " +
                           (inUse ? "Port " + std::to_string(target_.tcpPort) + " in use - another program serves it"
                                  : FromQ(server_.errorString())));
  }
}

void ListenPort::Close() {
  for (QTcpSocket* c : clients_) {
    c->abort();
    delete c;
  }
  clients_.clear();
  server_.close();
}

void ListenPort::Tend() {
  server_.waitForNewConnection(0);
  while (QTcpSocket* c = server_.nextPendingConnection()) {
    if (clients_.size() >= kMaxClients) {
      c->abort();
      delete c;
      continue;
    }
    c->setReadBufferSize(kClientReadBuffer);
    c->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kClientSendBuffer);
    clients_.push_back(c);
  }
  std::erase_if(clients_, [](QTcpSocket* c) {
    if (c->state() == QAbstractSocket::ConnectedState) return false;
    delete c;
    return true;
  });
}

void ListenPort::Take() {
  if (!IsOpen()) throw RunTimeError(err::kPortNotOpen);
  Tend();
  for (QTcpSocket* c : clients_) {
    c->waitForReadyRead(0);
    const QByteArray data = c->readAll();
    Keep(data.constData(), static_cast<std::size_t>(data.size()));
  }
}

void ListenPort::Write(std::string_view text) {
  if (!IsOpen()) throw RunTimeError(err::kPortNotOpen);
  Tend();
  const auto n = static_cast<qint64>(text.size());
  for (QTcpSocket* c : clients_) {
    // A client that fell behind misses sentences; the others go on.
    if (c->bytesToWrite() + n > static_cast<qint64>(kClientBacklog)) {
      ++dropped_;
      continue;
    }
    c->write(text.data(), n);
    c->flush();
  }
}

}  // namespace koralin::qt
