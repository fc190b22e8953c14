#include "serial/autobaud.h"

#include <exception>

#include "app/app.h"
#include "common/basic.h"
#include "display/dialogs.h"
#include "nmea/fix_state.h"
#include "nmea/sentence.h"
#include "serial/port_errors.h"

namespace koralin {

namespace {

constexpr int kInBufferSize = 8192;
constexpr int kListenMs = 4500;
// The search sleeps in slices and lets the window work between them, so it
// repaints and a "Comport off" click (or Esc) stops the search.
constexpr int kSliceMs = 100;
constexpr int kEnoughText = 1000;
constexpr std::size_t kTail = 100;

bool StopAsked(const App& app) { return app.serial.SearchCancelled || app.StopPlay; }

// Waits ms while the window stays responsive; false when a stop was asked.
bool Listen(App& app, int ms) {
  for (int waited = 0; waited < ms && !StopAsked(app); waited += kSliceMs) {
    app.platform.system.Sleep(std::min(kSliceMs, ms - waited));
    app.platform.system.DoEvents();
  }
  return !StopAsked(app);
}

// Marks the search for the window's event handlers while it runs.
class SearchScope {
 public:
  explicit SearchScope(App& app) : app_(app) {
    app_.serial.Searching = true;
    app_.serial.SearchCancelled = false;
    app_.StopPlay = false;
  }
  ~SearchScope() {
    app_.serial.Searching = false;
    app_.serial.SearchCancelled = false;
  }

 private:
  App& app_;
};

// True when the text read at this rate ends in NMEA.
bool LooksLikeNmea(const App& app, const std::string& text) {
  const std::size_t start = text.size() > kTail ? text.size() - kTail : 1;
  return FindSentence("$GP", text, start, app.form1.mnuAnyTalker.Checked()) != 0;
}

void Discard(SerialPort& port) {
  if (!port.IsOpen()) return;
  port.ReadAll();
  port.Close();
}

// Tries each rate on port; 0 when none carried NMEA or the search was stopped.
long Search(App& app, int port) {
  SerialPort& comm = app.platform.comm1;
  Discard(comm);
  if (!Listen(app, kListenMs)) return 0;
  for (long rate : kSearchRates) {
    app.form1.lblGPRMC.SetCaption("Searching for '$GP' at " + NumText(rate) + " baud now.");
    comm.SetSettings(LineSettings(rate));
    app.platform.system.DoEvents();
    if (StopAsked(app)) return 0;
    if (!comm.IsOpen()) comm.Open(port, LineSettings(rate), kInBufferSize, 0);
    if (!Listen(app, kListenMs)) return 0;
    if (comm.InBufferCount() <= kEnoughText) continue;  // what came stays for the next rate
    const std::string text = comm.ReadAll();
    comm.Close();
    if (LooksLikeNmea(app, text)) return rate;
  }
  return 0;
}

void ReportNothingFound(App& app, int port) {
  MsgBox(app, "Autobaud:\r\nNo Valid data from Com" + NumText(port) + " found.\r\nGps connected ? ", kTitle, MsgIcon::kExclamation);
}

}  // namespace

void AutoBaud(App& app, int port, long& found) {
  found = 0;
  try {
    if ((port < 1 || port > 6) && port != app.settings.CustomComIn) return;
    app.form1.lblGPRMC.SetCaption("Searching for '$GP' at different bauds now.");
    long rate = 0;
    bool stopped = false;
    {
      SearchScope scope(app);
      rate = Search(app, port);
      stopped = StopAsked(app);
    }
    Discard(app.platform.comm1);
    if (rate != 0)
      found = rate;
    else if (!stopped)
      ReportNothingFound(app, port);
    app.form1.lblGPRMC.SetCaption(kZeroSentence);
  } catch (const std::exception& e) {
    ComPortInError(app, "AutoBaud", e.what(), port);
  }
}

}  // namespace koralin
