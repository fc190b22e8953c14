#include "qt/target_port.h"

#include "common/error.h"
#include "qt/listen_port.h"
#include "qt/net_port.h"
#include "qt/pty_port.h"
#include "qt/qt_serial_port.h"
#include "serial/port_target.h"

namespace koralin::qt {

std::unique_ptr<SerialPort> TargetPort::Make(const PortTarget& t) const {
  switch (t.kind) {
    case TargetKind::kGpsd:
    case TargetKind::kTcp:
      return std::make_unique<NetPort>(t);
    case TargetKind::kListen: {
      ListenRules rules{.isInput = isInput_};
      if (clientLimit_) rules.maxClients = clientLimit_();
      return std::make_unique<ListenPort>(t, std::move(rules));
    }
    case TargetKind::kPty:
      return std::make_unique<PtyPort>(t);
    case TargetKind::kDevice:
      break;
  }
  return std::make_unique<QtSerialPort>(folder_);
}

void TargetPort::Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) {
  if (IsOpen()) throw RunTimeError(err::kPortAlreadyOpen);
  if (port < 1) throw RunTimeError(err::kInvalidPort);
  number_ = port;
  settings_ = settings;
  PortTarget target;
  try {
    target = TargetOf(folder_, port);  // read at every open: the line may have changed
  } catch (const std::exception&) {
    impl_.reset();
    throw;
  }
  // Reopening a lost connection goes on with the attempt under way.
  const auto* net = dynamic_cast<const NetPort*>(impl_.get());
  if (!net || !net->Resumes(port, target)) {
    impl_.reset();
    impl_ = Make(target);
  }
  impl_->Open(port, settings, inBufferSize, outBufferSize);
}

void TargetPort::SetSettings(const std::string& settings) {
  settings_ = settings;
  if (impl_) impl_->SetSettings(settings);
}

void TargetPort::Close() {
  if (impl_) impl_->Close();
}

SerialPort& TargetPort::Impl() {
  if (!impl_) throw RunTimeError(err::kPortNotOpen);
  return *impl_;
}

}  // namespace koralin::qt
