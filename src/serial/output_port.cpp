#include "serial/output_port.h"

#include <array>
#include <exception>

#include "app/app.h"
#include "display/dialogs.h"
#include "serial/compass_input.h"
#include "serial/port_errors.h"
#include "serial/resume.h"
#include "serial/relay.h"
#include "terminal/terminal_windows.h"

namespace koralin {

namespace {

constexpr int kOutBufferSize = 8192;

constexpr std::array<PortEntry, 7> kPortEntries = {{
    {&Form1::mnuComOutOff, 0},
    {&Form1::mnuSameComOut, -1},
    {&Form1::mnuCom1, 1},
    {&Form1::mnuCom2, 2},
    {&Form1::mnuCom3, 3},
    {&Form1::mnuCom4, 4},
    {&Form1::mnuCom5, 5},
}};

constexpr std::array<RateEntry, 6> kRateEntries = {{
    {&Form1::mnuBaud1200, 1200},
    {&Form1::mnuBaud2400, 2400},
    {&Form1::mnuBaud4800, 4800},
    {&Form1::mnuBaud9600, 9600},
    {&Form1::mnuBaud19200, 19200},
    {&Form1::mnuBaud38400, 38400},
}};

bool IsSeparatePort(int port) { return port >= 1 && port <= 5; }

void CheckPortEntry(App& app, int port) {
  for (const PortEntry& e : kPortEntries) (app.form1.*e.item).SetChecked(e.port == port);
}

// Checks the rate's entry; a rate not offered becomes 4800.
long CheckRateEntry(App& app, long baud) {
  bool known = false;
  for (const RateEntry& e : kRateEntries) known = known || e.rate == baud;
  if (!known) baud = 4800;
  for (const RateEntry& e : kRateEntries) (app.form1.*e.item).SetChecked(e.rate == baud);
  return baud;
}

void TerminalOutOff(App& app) {
  MenuItem& m = app.form1.mnuTerminalOut;
  m.SetChecked(false);
  m.SetEnabled(false);
  HideTerminalOut(app);
}

void CloseComOut(App& app) {
  if (app.platform.comm2.IsOpen()) app.platform.comm2.Close();
}

}  // namespace

const std::array<PortEntry, 7>& OutputPortEntries() { return kPortEntries; }
const std::array<RateEntry, 6>& OutputRateEntries() { return kRateEntries; }

void ComOutSelect(App& app, int port, long baud) {
  Form1& f = app.form1;
  if (f.mnuTerminalOut.Checked()) TerminalOutOff(app);
  if (port != -1 && !IsSeparatePort(port)) port = 0;
  CheckPortEntry(app, port);
  baud = CheckRateEntry(app, baud);
  app.settings.BaudOut = static_cast<std::int32_t>(baud);
  app.settings.ComPortOut = static_cast<std::int16_t>(OpenComOut(app, port, baud));
  if (app.settings.ComPortOut == -1 || IsSeparatePort(app.settings.ComPortOut)) {
    f.mnuTerminalOut.SetEnabled(true);
  } else {
    f.mnuTerminalOut.SetChecked(false);
    f.mnuTerminalOut.SetEnabled(false);
  }
}

int OpenComOut(App& app, int port, long baud) {
  Form1& f = app.form1;
  app.serial.OutLost = false;
  ShowLostCaption(app);
  app.serial.DroppedShown = 0;
  if (port == -1 && !app.platform.comm1.IsOpen()) {
    // Nothing to share while the GPS port is closed: the output is off
    // before the modified output below looks at it.
    ComOutReset(app);
    port = 0;
  }
  // The modified output sees the port it had before this choice.
  if (f.mnuRMCModifiedOut.Checked()) {
    bool toggle = false;
    AdjustComOut(app, toggle);
  }
  f.mnuHCHDTinp.SetEnabled(true);
  try {
    if (port == 0) {
      CloseComOut(app);
      ComOutReset(app);
      ComOutMenusEnabled(app, true);
      f.mnuHCHDTinp.SetChecked(false);
      ClearFluxData(app);
    } else if (port == -1) {
      ComOutMenusEnabled(app, false);
      f.mnuHCHDTinp.SetEnabled(false);  // no separate port to read a compass from
      ClearFluxData(app);
    } else if (IsSeparatePort(port)) {
      CloseComOut(app);
      app.platform.comm2.Open(port, LineSettings(baud), 0, kOutBufferSize);
      SayPortWarning(app, app.platform.comm2);
      ComOutMenusEnabled(app, false);
    } else {
      CloseComOut(app);
      ComOutOpenError(app, "OpenComOut", "", port);
      return 0;
    }
  } catch (const std::exception& e) {
    CloseComOut(app);
    ComOutOpenError(app, "OpenComOut", e.what(), port);
    return 0;
  }
  return port;
}

void ComOutReset(App& app) {
  app.settings.ComPortOut = 0;
  CheckPortEntry(app, 0);
  TerminalOutOff(app);
}

void ComOutMenusEnabled(App& app, bool flag) {
  Form1& f = app.form1;
  for (const PortEntry& e : kPortEntries)
    if (e.port != 0) (f.*e.item).SetEnabled(flag);
  for (const RateEntry& e : kRateEntries) (f.*e.item).SetEnabled(flag);
}

void mnuSameComOut_Click(App& app) {
  const std::string prompt =
      "Uses the same ComIn and baudrate as the GPS-RX port\r\n"
      "So split the ComIn in 2 ports.\r\n"
      "Input pin 2 and output pin 3 at computer connector.\r\n"
      "\r\n"
      "Warning: Some GPS don't like to get info back.\r\n"
      "So disconnect pin 3 send from DB9 to GPS-RX.";
  if (MsgBox(app, prompt, kTitle, MsgIcon::kExclamation, MsgButtons::kYesNo, 2) == MsgResult::kYes) ComOutSelect(app, -1, app.settings.BaudOut);
}

}  // namespace koralin
