// A numbered serial port as the program's routines use it. The program's
// adapter maps numbers to devices; tests use a scripted fake or a real pty.
// Every failure raises RunTimeError with a text that names the device and
// the cause.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace koralin {

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens port number `port` with line settings such as "4800,N,8,1".
  virtual void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) = 0;
  // New line settings; an open port switches to them at once.
  virtual void SetSettings(const std::string& settings) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual int CommPort() const = 0;
  virtual std::string Settings() const = 0;
  // Characters waiting to be read.
  virtual int InBufferCount() = 0;
  // Reads and removes everything waiting.
  virtual std::string ReadAll() = 0;
  virtual void Write(std::string_view text) = 0;
  // Characters still queued for sending.
  virtual int OutBufferCount() = 0;
  // Sentences given up because the reader took them too slowly.
  virtual long Dropped() const { return 0; }
  // Calls `wake` once, when a character arrives on a line with nothing
  // waiting; false when the port cannot tell, and the caller keeps polling.
  virtual bool WakeOnInput(std::function<void()> /*wake*/) { return false; }
  // What the user should know about the open port (a server open to the
  // network); empty for most.
  virtual std::string Warning() const { return {}; }
};

// The line settings of a rate: "4800,N,8,1".
std::string LineSettings(long baud);

}  // namespace koralin
