// What a port number opens: a serial device, or one of the network and
// virtual kinds a ComPorts.cfg line may name ("3=gpsd://localhost:2947").
#pragma once

#include <string>

namespace koralin {

enum class TargetKind { kDevice, kGpsd, kTcp, kListen, kPty };

struct PortTarget {
  TargetKind kind = TargetKind::kDevice;
  std::string text;  // as written, for captions and errors
  std::string host;  // network kinds
  int tcpPort = 0;   // network kinds
  std::string path;  // device and pty kinds
  // listen:// only: its clients' sentences are read on the output port too
  // ("?input=1"); the input port always reads them.
  bool clientInput = false;
};

// The right side of a ComPorts.cfg line; raises RunTimeError saying what
// is wrong with it.
PortTarget ParseTarget(const std::string& text);
// The target port number `port` opens. A malformed line raises
// RunTimeError naming the file, the line and the fault.
PortTarget TargetOf(const std::string& settingsFolder, int port);
// Only a serial device has a line speed; the others take data as it comes.
bool HasLineSpeed(const PortTarget& t);

}  // namespace koralin
