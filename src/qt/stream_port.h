// What the network and pty ports share: they have no line speed, keep what
// arrived until it is read, and never make the program wait for a reader.
#pragma once

#include <string>
#include <utility>

#include "serial/serial_port.h"

namespace koralin::qt {

// What one reader may have waiting before new sentences for it are dropped.
inline constexpr std::size_t kClientBacklog = 4096;
// What arrived and was not read yet; a peer that floods loses the oldest.
inline constexpr std::size_t kInputKept = 65536;

class StreamPort : public SerialPort {
 public:
  void SetSettings(const std::string& settings) override { settings_ = settings; }
  int CommPort() const override { return number_; }
  std::string Settings() const override { return settings_; }
  int InBufferCount() override {
    Take();
    return static_cast<int>(in_.size());
  }
  std::string ReadAll() override {
    Take();
    return std::exchange(in_, {});
  }
  // Nothing to wait for: what a reader cannot take at once waits in its
  // backlog or is dropped.
  int OutBufferCount() override { return 0; }
  long Dropped() const override { return dropped_; }

 protected:
  void Remember(int port, const std::string& settings) {
    number_ = port;
    settings_ = settings;
    in_.clear();
  }
  // Moves what arrived into in_.
  virtual void Take() = 0;
  void Keep(const char* data, std::size_t n) {
    in_.append(data, n);
    if (in_.size() > kInputKept) in_.erase(0, in_.size() - kInputKept);
  }
  long dropped_ = 0;

 private:
  std::string in_;
  int number_ = 0;
  std::string settings_;
};

}  // namespace koralin::qt
