#include "serial/port_target.h"

#include <array>

#include "common/basic.h"
#include "common/error.h"
#include "serial/com_ports.h"

namespace koralin {

namespace {

constexpr long kBadTarget = err::kInvalidPort;
constexpr const char* kKinds = "use a device path, gpsd://, tcp://, listen:// or pty://";

struct Scheme {
  const char* prefix;
  TargetKind kind;
  const char* defaultHost;  // nullptr: the host must be given
  int defaultPort;          // 0: the port must be given
};

constexpr std::array<Scheme, 4> kSchemes = {{
    {"gpsd://", TargetKind::kGpsd, "localhost", 2947},
    {"tcp://", TargetKind::kTcp, nullptr, 0},
    // Only the address given is bound, so a server is local unless told.
    {"listen://", TargetKind::kListen, "127.0.0.1", 0},
    {"pty://", TargetKind::kPty, nullptr, 0},
}};

[[noreturn]] void Fault(const std::string& why) { throw RunTimeError(kBadTarget, why); }

// "host:port", "[::1]:port", "host" or ":port".
void ParseHostPort(const Scheme& s, std::string rest, PortTarget& t) {
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  std::string portText;
  if (!rest.empty() && rest.front() == '[') {
    const std::size_t close = rest.find(']');
    if (close == std::string::npos) Fault("the address has no closing ]");
    t.host = rest.substr(1, close - 1);
    rest.erase(0, close + 1);
    if (!rest.empty() && rest.front() != ':') Fault("text after the address: " + rest);
    if (!rest.empty()) portText = rest.substr(1);
  } else {
    const std::size_t colon = rest.rfind(':');
    t.host = rest.substr(0, colon);
    if (colon != std::string::npos) portText = rest.substr(colon + 1);
  }
  if (t.host.empty()) {
    if (!s.defaultHost) Fault("no host - write it as " + std::string(s.prefix) + "host:port");
    t.host = s.defaultHost;
  }
  if (portText.empty()) {
    if (s.defaultPort == 0) Fault("no port - write it as " + std::string(s.prefix) + t.host + ":10110");
    t.tcpPort = s.defaultPort;
    return;
  }
  if (portText.size() > 5 || portText.find_first_not_of("0123456789") != std::string::npos)
    Fault("the port \"" + portText + "\" is not a number");
  const long n = std::stol(portText);
  if (n < 1 || n > 65535) Fault("the port " + portText + " is outside 1 to 65535");
  t.tcpPort = static_cast<int>(n);
}

// "?input=1" or "?input=0" after a listen:// address.
std::string TakeInputFlag(std::string rest, PortTarget& t) {
  const std::size_t q = rest.find('?');
  if (q == std::string::npos) return rest;
  const std::string flag = rest.substr(q + 1);
  if (flag != "input=1" && flag != "input=0") Fault("unknown option \"" + flag + "\" - only ?input=1 or ?input=0");
  t.clientInput = flag == "input=1";
  return rest.substr(0, q);
}

}  // namespace

PortTarget ParseTarget(const std::string& text) {
  PortTarget t;
  t.text = text;
  const std::size_t sep = text.find("://");
  if (sep == std::string::npos) {
    t.path = text;
    return t;
  }
  for (const Scheme& s : kSchemes) {
    const std::string prefix = s.prefix;
    if (text.compare(0, prefix.size(), prefix) != 0) continue;
    t.kind = s.kind;
    std::string rest = text.substr(prefix.size());
    if (s.kind == TargetKind::kListen) rest = TakeInputFlag(rest, t);
    if (s.kind == TargetKind::kPty) {
      if (rest.empty() || rest.front() != '/' || rest.back() == '/')
        Fault("pty:// needs the full path of the link, e.g. pty:///tmp/koralin-gps-out");
      t.path = rest;
    } else {
      ParseHostPort(s, rest, t);
    }
    return t;
  }
  Fault("unknown kind \"" + text.substr(0, sep + 3) + "\" - " + kKinds);
}

PortTarget TargetOf(const std::string& settingsFolder, int port) {
  int lineNo = 0;
  for (const std::string& line : ComPortsLines(settingsFolder)) {
    ++lineNo;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string number = Trim(line.substr(0, eq));
    if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(number) != port)
      continue;
    const std::string value = Trim(line.substr(eq + 1));
    if (value.empty()) continue;  // an empty line of a number is no line
    try {
      return ParseTarget(value);
    } catch (const RunTimeError& e) {
      throw RunTimeError(e.Number(), std::string(kComPortsFile) + " line " + NumText(lineNo) + " \"" +
                                         Trim(line) + "\": " + e.what());
    }
  }
  PortTarget t;
  t.path = t.text = DefaultDevicePath(port);
  return t;
}

bool HasLineSpeed(const PortTarget& t) { return t.kind == TargetKind::kDevice; }

}  // namespace koralin
