#include "qt/net_port.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostInfo>
#include <cerrno>
#include <cstring>

#include "qt/text.h"

namespace koralin::qt {

namespace {

constexpr int kConnectMs = 1500;
constexpr qint64 kSocketBuffer = 65536;
constexpr const char* kWatch = "?WATCH={\"enable\":true,\"raw\":1}\n";

std::string Cause(const PortTarget& t, int error) {
  switch (error) {
    case ECONNREFUSED:
      return t.kind == TargetKind::kGpsd ? "Connection refused - is gpsd running?"
                                         : "Connection refused - is the server running?";
    case ETIMEDOUT:
      return "No answer from " + t.host;
    default:
      return std::strerror(error);
  }
}

// 0 once connected, EINPROGRESS while the host has not answered, else why not.
int Outcome(int fd) {
  pollfd p{fd, POLLOUT, 0};
  if (::poll(&p, 1, 0) <= 0) return EINPROGRESS;
  int error = 0;
  socklen_t size = sizeof error;
  return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 ? error : errno;
}

// Starts connecting to a; the socket, or -1 with errno set.
int StartConnect(const QHostAddress& a, quint16 port) {
  sockaddr_storage sa{};
  socklen_t size = 0;
  if (a.protocol() == QAbstractSocket::IPv4Protocol) {
    auto* in = reinterpret_cast<sockaddr_in*>(&sa);
    in->sin_family = AF_INET;
    in->sin_port = htons(port);
    in->sin_addr.s_addr = htonl(a.toIPv4Address());
    size = sizeof *in;
  } else {
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&sa);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(port);
    const Q_IPV6ADDR bytes = a.toIPv6Address();
    std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
    in6->sin6_scope_id = a.scopeId().toUInt();
    size = sizeof *in6;
  }
  const int fd = ::socket(sa.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&sa), size) == 0 || errno == EINPROGRESS) return fd;
  const int e = errno;
  ::close(fd);
  errno = e;
  return -1;
}

}  // namespace

NetPort::NetPort(PortTarget target) : target_(std::move(target)) {
  deadline_.setSingleShot(true);
  QObject::connect(&deadline_, &QTimer::timeout, &socket_, [this] { Failed(Cause(target_, ETIMEDOUT)); });
}

NetPort::~NetPort() { Abandon(); }

void NetPort::Open(int port, const std::string& settings, int, int) {
  if (IsOpen()) throw RunTimeError(err::kPortAlreadyOpen);
  Remember(port, settings);
  partial_.clear();
  // A reopen takes a connection made since the last try, or waits for the one under way.
  if (!resuming_ || phase_ == Phase::kClosed) {
    starting_ = true;
    Start();
    starting_ = false;
    if (phase_ == Phase::kClosed) throw Refused(cause_);
  }
  if (phase_ == Phase::kReady) Adopt();
  if (phase_ != Phase::kOpen && resuming_) throw Refused(Cause(target_, ETIMEDOUT));
}

void NetPort::Start() {
  Abandon();
  socket_.abort();
  cause_.clear();
  deadline_.start(kConnectMs);
  const QString host = ToQ(target_.host);
  QHostAddress literal;
  if (literal.setAddress(host)) {
    addresses_ = {literal};
  } else if (host.compare("localhost", Qt::CaseInsensitive) == 0) {
    addresses_ = {QHostAddress(QHostAddress::LocalHost), QHostAddress(QHostAddress::LocalHostIPv6)};
  } else {  // a name the resolver may take a while to find
    phase_ = Phase::kLookingUp;
    lookupId_ = QHostInfo::lookupHost(host, &socket_, [this](const QHostInfo& info) {
      lookupId_ = -1;
      addresses_ = info.addresses();
      if (info.error() != QHostInfo::NoError || addresses_.isEmpty())
        Failed("Host " + target_.host + " not found");
      else
        ConnectNext();
    });
    return;
  }
  ConnectNext();
}

void NetPort::ConnectNext() {
  while (!addresses_.isEmpty()) {
    const int fd = StartConnect(addresses_.takeFirst(), static_cast<quint16>(target_.tcpPort));
    const int outcome = fd < 0 ? errno : Outcome(fd);
    if (outcome == 0) return Connected(fd);
    if (outcome == EINPROGRESS) {
      phase_ = Phase::kConnecting;
      fd_ = fd;
      notifier_ = new QSocketNotifier(fd, QSocketNotifier::Write, &socket_);
      QObject::connect(notifier_, &QSocketNotifier::activated, &socket_, [this] { Writable(); });
      return;
    }
    if (fd >= 0) ::close(fd);
    if (cause_.empty()) cause_ = Cause(target_, outcome);  // the first address says most
  }
  Failed(cause_);
}

void NetPort::Writable() {
  notifier_->setEnabled(false);
  notifier_->deleteLater();
  notifier_ = nullptr;
  const int fd = std::exchange(fd_, -1);
  const int outcome = Outcome(fd);
  if (outcome == 0) return Connected(fd);
  ::close(fd);
  if (cause_.empty()) cause_ = Cause(target_, outcome == EINPROGRESS ? ETIMEDOUT : outcome);
  ConnectNext();
}

void NetPort::Connected(int fd) {
  deadline_.stop();
  addresses_.clear();
  socket_.setReadBufferSize(kSocketBuffer);  // a flood waits in the kernel, not here
  if (!socket_.setSocketDescriptor(fd)) {
    ::close(fd);
    return Failed(FromQ(socket_.errorString()));
  }
  phase_ = Phase::kReady;
  if (!resuming_) Adopt();
}

void NetPort::Adopt() {
  phase_ = Phase::kOpen;
  resuming_ = false;
  if (target_.kind == TargetKind::kGpsd) socket_.write(kWatch);
}

void NetPort::Failed(const std::string& cause) {
  Abandon();
  socket_.abort();
  phase_ = Phase::kClosed;
  cause_ = cause;
  // Open raises its own failure; a reopen tries again at the next round.
  if (!starting_ && !resuming_) failure_ = Refused(cause);
}

void NetPort::Abandon() {
  deadline_.stop();
  addresses_.clear();
  if (lookupId_ != -1) QHostInfo::abortHostLookup(std::exchange(lookupId_, -1));
  delete std::exchange(notifier_, nullptr);
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

RunTimeError NetPort::Refused(const std::string& cause) const {
  return RunTimeError(err::kInvalidPort, target_.text + ": " + cause);
}

void NetPort::Close() {
  Abandon();
  socket_.abort();
  phase_ = Phase::kClosed;
  resuming_ = false;
  failure_.reset();
}

void NetPort::Take() {
  if (failure_) throw *failure_;  // until the port is closed
  if (phase_ == Phase::kClosed) throw RunTimeError(err::kPortNotOpen);
  if (phase_ != Phase::kOpen) return;  // nothing arrives before the host answers
  socket_.waitForReadyRead(0);
  const QByteArray data = socket_.readAll();
  if (target_.kind == TargetKind::kGpsd)
    KeepNmeaLines(data);
  else
    Keep(data.constData(), static_cast<std::size_t>(data.size()));
  if (data.isEmpty() && socket_.state() != QAbstractSocket::ConnectedState) {
    Close();
    resuming_ = true;
    throw RunTimeError(err::kDeviceLost, target_.text + ": Connection closed - waiting for the server");
  }
}

// gpsd answers in JSON lines and passes the receivers' sentences between
// them; only the sentences are ours.
void NetPort::KeepNmeaLines(const QByteArray& data) {
  partial_.append(data.constData(), static_cast<std::size_t>(data.size()));
  std::size_t start = 0;
  for (std::size_t nl; (nl = partial_.find('\n', start)) != std::string::npos; start = nl + 1)
    if (partial_[start] != '{') Keep(partial_.data() + start, nl + 1 - start);
  partial_.erase(0, start);
  if (partial_.size() > kClientBacklog) partial_.clear();  // no line end in sight: not a sentence
}

void NetPort::Write(std::string_view text) {
  if (failure_) throw *failure_;  // until the port is closed
  if (phase_ == Phase::kClosed) throw RunTimeError(err::kPortNotOpen);
  if (phase_ != Phase::kOpen) return;  // no one to send to yet
  if (socket_.bytesToWrite() + static_cast<qint64>(text.size()) > static_cast<qint64>(kClientBacklog)) {
    ++dropped_;
    return;
  }
  socket_.write(text.data(), static_cast<qint64>(text.size()));
  socket_.flush();
}

}  // namespace koralin::qt
