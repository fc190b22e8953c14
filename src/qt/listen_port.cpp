#include "qt/listen_port.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <QHostInfo>
#include <algorithm>

#include "common/error.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

constexpr qint64 kClientReadBuffer = 16384;
// The kernel's share of a slow client's backlog, kept small on purpose.
constexpr int kClientSendBuffer = 32768;

QHostAddress AddressOf(const PortTarget& t) {
  QHostAddress a;
  if (a.setAddress(ToQ(t.host))) {
    // "[::]" means every interface, both families where the system allows it.
    return a == QHostAddress(QHostAddress::AnyIPv6) ? QHostAddress(QHostAddress::Any) : a;
  }
  const QHostInfo info = QHostInfo::fromName(ToQ(t.host));
  if (info.addresses().isEmpty()) throw RunTimeError(err::kInvalidPort, t.text + ": Host " + t.host + " not found");
  return info.addresses().front();
}

// What was written to the client and has not left for it yet: Qt's buffer
// and the kernel's queue (sent but not acknowledged included).
qint64 Waiting(QTcpSocket* c) {
  int queued = 0;
  if (::ioctl(static_cast<int>(c->socketDescriptor()), SIOCOUTQ, &queued) != 0) queued = 0;
  return c->bytesToWrite() + queued;
}

void Drop(QTcpSocket* c) {
  c->abort();
  delete c;
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
  for (const Client& c : clients_) Drop(c.socket);
  clients_.clear();
  server_.close();
}

std::string ListenPort::Warning() const {
  if (!IsOpen() || server_.serverAddress().isLoopback()) return {};
  const bool reads = rules_.isInput || target_.clientInput;
  return "Warning: " + target_.text + " is open to the network: any host on it can read the position" +
         (reads ? " and inject sentences" : "");
}

void ListenPort::Admit(QTcpSocket* c, SteadyTime now) {
  c->setReadBufferSize(kClientReadBuffer);
  c->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kClientSendBuffer);
  if (clients_.size() < static_cast<std::size_t>(std::max(rules_.maxClients, 1))) {
    clients_.push_back({c, now, 0});
    return;
  }
  // Full: the client idle longest gives its place, if one is idle at all;
  // else the new one is turned away, so a peer that keeps connecting cannot
  // push out the readers.
  auto idlest = std::min_element(clients_.begin(), clients_.end(),
                                 [](const Client& a, const Client& b) { return a.active < b.active; });
  if (now - idlest->active < kClientIdle) {
    Drop(c);
    return;
  }
  Drop(idlest->socket);
  *idlest = {c, now, 0};
}

void ListenPort::Tend() {
  const SteadyTime now = rules_.now();
  const bool reads = rules_.isInput || target_.clientInput;
  std::erase_if(clients_, [](const Client& c) {
    if (c.socket->state() == QAbstractSocket::ConnectedState) return false;
    delete c.socket;
    return true;
  });
  for (Client& c : clients_) {
    c.socket->waitForReadyRead(0);
    const QByteArray data = c.socket->readAll();  // read even when ignored, so it never backs up
    if (!data.isEmpty()) c.active = now;
    if (reads) Keep(data.constData(), static_cast<std::size_t>(data.size()));
    const qint64 waiting = Waiting(c.socket);
    if (waiting < c.waiting) c.active = now;  // it took some of what was written
    c.waiting = waiting;
  }
  server_.waitForNewConnection(0);
  while (QTcpSocket* c = server_.nextPendingConnection()) Admit(c, now);
}

void ListenPort::Take() {
  if (!IsOpen()) throw RunTimeError(err::kPortNotOpen);
  Tend();
}

void ListenPort::Write(std::string_view text) {
  if (!IsOpen()) throw RunTimeError(err::kPortNotOpen);
  Tend();
  const auto n = static_cast<qint64>(text.size());
  for (Client& c : clients_) {
    // A client that fell behind misses sentences; the others go on.
    if (c.socket->bytesToWrite() + n > static_cast<qint64>(kClientBacklog)) {
      ++dropped_;
      continue;
    }
    c.socket->write(text.data(), n);
    c.socket->flush();
    c.waiting += n;  // what leaves from here on counts as taken
  }
}

}  // namespace koralin::qt
