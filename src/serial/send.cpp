#include "serial/send.h"

#include <algorithm>
#include <exception>

#include "app/app.h"
#include "common/basic.h"
#include "display/dialogs.h"
#include "serial/port_errors.h"
#include "serial/resume.h"
#include "terminal/terminal_windows.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

// How long a text may take to leave: twice its time on the line (ten bits a
// character) and a margin.
int DrainLimitMs(const SerialPort& port, std::size_t chars) {
  const double baud = std::max(300.0, Val(port.Settings()));
  return static_cast<int>(2 * 10 * 1000.0 * static_cast<double>(chars) / baud) + 250;
}
// A queue that has not moved for this long has a reader that stopped; the
// text stays queued (or is dropped by the port) and the program goes on.
constexpr int kStallMs = 20;

// Writes and waits, without letting events run, until the queue is empty
// or stops moving.
void WriteDrained(App& app, SerialPort& port, const std::string& text) {
  port.Write(text);
  const int limit = DrainLimitMs(port, text.size());
  int last = port.OutBufferCount();
  for (int waited = 0, still = 0; last > 0 && waited < limit && still < kStallMs; ++waited) {
    app.platform.system.Sleep(1);
    const int now = port.OutBufferCount();
    still = now < last ? 0 : still + 1;
    last = now;
  }
}

// The count of sentences a slow reader missed, in Terminal Out's caption.
void ShowDrops(App& app, const SerialPort& port) {
  const long dropped = port.Dropped();
  if (dropped == app.serial.DroppedShown) return;
  app.serial.DroppedShown = dropped;
  if (app.form1.mnuTerminalOut.Checked()) app.terminal.form3.form.SetCaption(TerminalOutCaption(app));
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
    ShowDrops(app, comm);
  } catch (const std::exception& e) {
    // A device that went away is waited for; any other failure is reported
    // once, and that port ends off.
    if (IsLost(e))
      shared ? InputLost(app) : OutputLost(app);
    else if (shared)
      ComPortInError(app, "SendToComout", e.what(), app.settings.ComPortIn);
    else
      ComOutOpenError(app, "SendToComout", e.what(), port);
  }
}

}  // namespace koralin
