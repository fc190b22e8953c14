// NMEA from a TCP server (tcp://host:port), or the raw NMEA gpsd passes on
// from its receivers (gpsd://host:port).
//
// Connecting never holds up the program. A host that answers or refuses at
// once (this PC, mostly) is open or refused when Open returns. For one that
// takes its time Open returns at once and the port counts as not open until
// the host answers: nothing is read or sent meanwhile. A failure then is
// raised by every read or write until the port is closed; after 1.5 s
// without an answer that failure is "No answer from host".
#pragma once

#include <QHostAddress>
#include <QList>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTimer>
#include <optional>

#include "common/error.h"
#include "qt/stream_port.h"
#include "serial/port_target.h"

namespace koralin::qt {

class NetPort : public StreamPort {
 public:
  explicit NetPort(PortTarget target);
  ~NetPort() override;
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void Close() override;
  // A failed connection counts as open until closed, so that the next read
  // or write tells the failure.
  bool IsOpen() const override { return phase_ == Phase::kOpen || failure_.has_value(); }
  void Write(std::string_view text) override;

  // True when opening `port` on `target` goes on with the reopening of this
  // port after its connection was lost: an attempt still under way is kept.
  bool Resumes(int port, const PortTarget& target) const {
    return resuming_ && port == CommPort() && target.text == target_.text;
  }

 private:
  enum class Phase { kClosed, kLookingUp, kConnecting, kReady, kOpen };
  void Take() override;
  void KeepNmeaLines(const QByteArray& data);
  void Start();
  // Tries the addresses left, in turn, until one answers or none is left.
  void ConnectNext();
  void Writable();
  void Connected(int fd);
  void Failed(const std::string& cause);
  void Adopt();
  // Stops an attempt under way.
  void Abandon();
  RunTimeError Refused(const std::string& cause) const;

  PortTarget target_;
  QTcpSocket socket_;
  Phase phase_ = Phase::kClosed;
  QList<QHostAddress> addresses_;
  int fd_ = -1;  // the connection under way, before the socket takes it
  QSocketNotifier* notifier_ = nullptr;
  QTimer deadline_;
  int lookupId_ = -1;
  std::string cause_;  // why the last address failed
  bool starting_ = false;  // inside Open: a failure is raised there
  // A reopen after a loss: the attempt under way is waited for, and a host
  // that answers is taken by the next Open, not before.
  bool resuming_ = false;
  std::optional<RunTimeError> failure_;
  std::string partial_;  // gpsd: the unfinished last line
};

}  // namespace koralin::qt
