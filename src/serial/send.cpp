#include "serial/send.h"

#include <algorithm>
#include <exception>

#include "app/app.h"
#include "common/basic.h"
#include "display/dialogs.h"
#include "serial/port_errors.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

// How long a text may take to leave: twice its time on the line (ten bits a
// character) and a margin. A device that takes nothing (unplugged, or a
// plotter that stopped reading) then costs the window this long, not forever.
int DrainLimitMs(const SerialPort& port, std::size_t chars) {
  const double baud = std::max(300.0, Val(port.Settings()));
  return static_cast<int>(2 * 10 * 1000.0 * static_cast<double>(chars) / baud) + 250;
}

// Writes and waits, without letting events run, until the queue is empty.
void WriteDrained(App& app, SerialPort& port, const std::string& text) {
  port.Write(text);
  const int limit = DrainLimitMs(port, text.size());
  for (int waited = 0; port.OutBufferCount() > 0 && waited < limit; ++waited) app.platform.system.Sleep(1);
}

void NoPortSelected(App& app) {
  MsgBox(app, "Sub SendToComout No port selected", kTitle, MsgIcon::kInformation);
}

}  // namespace

void SendToComout(App& app, const std::string& textIn) {
  if (textIn.empty()) return;
  std::string text = textIn;
  if (text.find('\r') == std::string::npos) text += kCrLf;
  AddTerminalOut(app, text, false);
  const int port = app.settings.ComPortOut;
  if (port == 0) {
    NoPortSelected(app);
    return;
  }
  const bool shared = port == -1;
  if (!shared && (port < 1 || port > 5)) return;
  SerialPort& comm = shared ? app.platform.comm1 : app.platform.comm2;
  if (!comm.IsOpen()) return;
  try {
    WriteDrained(app, comm, text);
  } catch (const std::exception& e) {
    // A device gone while open: report once, and that port ends off.
    if (shared)
      ComPortInError(app, "SendToComout", e.what(), app.settings.ComPortIn);
    else
      ComOutOpenError(app, "SendToComout", e.what(), port);
  }
}

}  // namespace koralin
