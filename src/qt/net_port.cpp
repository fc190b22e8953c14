#include "qt/net_port.h"

#include "common/error.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

constexpr int kConnectMs = 1500;
constexpr qint64 kSocketBuffer = 65536;
constexpr const char* kWatch = "?WATCH={\"enable\":true,\"raw\":1}\n";

std::string Cause(const PortTarget& t, QAbstractSocket::SocketError e, const QString& qtText) {
  const bool gpsd = t.kind == TargetKind::kGpsd;
  switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
      return gpsd ? "Connection refused - is gpsd running?" : "Connection refused - is the server running?";
    case QAbstractSocket::HostNotFoundError:
      return "Host " + t.host + " not found";
    case QAbstractSocket::SocketTimeoutError:
      return "No answer from " + t.host;
    default:
      return FromQ(qtText);
  }
}

}  // namespace

void NetPort::Open(int port, const std::string& settings, int, int) {
  if (open_) throw RunTimeError(err::kPortAlreadyOpen);
  Remember(port, settings);
  partial_.clear();
  socket_.abort();
  socket_.setReadBufferSize(kSocketBuffer);  // a flood waits in the kernel, not here
  socket_.connectToHost(ToQ(target_.host), static_cast<quint16>(target_.tcpPort));
  if (!socket_.waitForConnected(kConnectMs)) {
    const std::string cause = Cause(target_, socket_.error(), socket_.errorString());
    socket_.abort();
    throw RunTimeError(err::kInvalidPort, target_.text + ": " + cause);
  }
  if (target_.kind == TargetKind::kGpsd) socket_.write(kWatch);
  open_ = true;
}

void NetPort::Close() {
  open_ = false;
  socket_.abort();
}

void NetPort::Take() {
  if (!open_) throw RunTimeError(err::kPortNotOpen);
  socket_.waitForReadyRead(0);
  const QByteArray data = socket_.readAll();
  if (target_.kind == TargetKind::kGpsd)
    KeepNmeaLines(data);
  else
    Keep(data.constData(), static_cast<std::size_t>(data.size()));
  if (data.isEmpty() && socket_.state() != QAbstractSocket::ConnectedState) {
    Close();
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
  if (!open_) throw RunTimeError(err::kPortNotOpen);
  if (socket_.bytesToWrite() + static_cast<qint64>(text.size()) > static_cast<qint64>(kClientBacklog)) {
    ++dropped_;
    return;
  }
  socket_.write(text.data(), static_cast<qint64>(text.size()));
  socket_.flush();
}

}  // namespace koralin::qt
