// Real pseudo-terminals for the serial tests and benchmarks: the program
// opens the slave through ComPorts.cfg, the test plays the device on the master.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <string>

#include "support/files.h"

namespace koralin::test {

// What a reader gets on fd: waits up to firstMs for the first byte, then
// takes whatever follows within quietMs.
inline std::string Receive(int fd, int firstMs = 500, int quietMs = 30) {
  std::string got;
  char buf[4096];
  for (int wait = firstMs;; wait = quietMs) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, wait) <= 0 || !(p.revents & POLLIN)) return got;
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) return got;
    got.append(buf, static_cast<std::size_t>(n));
  }
}

class Pty {
 public:
  Pty() {
    char name[128] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    path_ = name;
  }
  ~Pty() {
    CloseMaster();
    if (slave_ >= 0) ::close(slave_);
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;
  const std::string& Path() const { return path_; }
  bool Ok() const { return !path_.empty(); }
  int Master() const { return master_; }

  // The device sends.
  void Send(const std::string& bytes) const {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }
  // What the device received.
  std::string Receive(int firstMs = 500, int quietMs = 30) const { return test::Receive(master_, firstMs, quietMs); }
  // The device goes away, as a USB receiver that is pulled.
  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1, slave_ = -1;
  std::string path_;
};

// A plain socket to a local TCP port, read and written by hand (a Qt socket
// would read on its own whenever the event loop runs); -1 when refused.
inline int ConnectLocal(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

// A loopback port nobody listens on now.
inline int FreeLocalPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size);
  ::close(fd);
  return ntohs(a.sin_port);
}

// A settings folder whose ComPorts.cfg maps port numbers to devices.
class PortMap {
 public:
  const std::string& Folder() const { return folder_.path(); }
  void Map(int port, const std::string& device) {
    lines_[port] = device;
    std::string text;
    for (const auto& [n, d] : lines_) text += std::to_string(n) + "=" + d + "\r\n";
    WriteFile(folder_ / "ComPorts.cfg", text);
  }

 private:
  TempFolder folder_;
  std::map<int, std::string> lines_;
};

}  // namespace koralin::test
