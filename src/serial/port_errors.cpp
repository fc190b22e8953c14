#include "serial/port_errors.h"

#include "app/app.h"
#include "common/basic.h"
#include "display/dialogs.h"
#include "display/minimal.h"
#include "nmea/fix_state.h"
#include "serial/input_choice.h"
#include "serial/output_port.h"
#include "serial/serial_port.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

void Record(ErrorRecord& r, const std::string& procName, const std::string& errText, int port) {
  r.procName = procName;
  r.description = errText;
  r.port = port;
  ++r.count;
}

void ShowCritical(App& app, std::string prompt) {
  MsgBox(app, std::move(prompt), kTitle, MsgIcon::kCritical);
}

}  // namespace

void ComPortInError(App& app, const std::string& procName, const std::string& errText, int port) {
  Form1& f = app.form1;
  Record(app.lastInputError, procName, errText, port);
  f.tmrPolling.SetEnabled(false);
  f.tmrComInTimeOut.SetEnabled(false);
  if (app.platform.comm1.IsOpen()) app.platform.comm1.Close();
  app.settings.ComPortIn = 0;
  ComPortInSelect(app);
  f.lblGPRMC.SetCaption(kZeroSentence);
  const std::string text = procName + ":\r\nCom" + NumText(port) + "  " + errText +
                           "\r\n\r\nHint: See Menu Info>Device manager";
  if (app.settings.MinimalDisplay) {
    // The minimal display shows no boxes; its text turns blue instead.
    SetMinimalValuesColour(app, colour::kBlue);
    return;
  }
  ShowCritical(app, text);
}

void ComOutOpenError(App& app, const std::string& procName, const std::string& errText, int port) {
  Record(app.lastOutputError, procName, errText, port);
  // A port that failed while open is of no more use.
  if (app.platform.comm2.IsOpen()) app.platform.comm2.Close();
  ComOutReset(app);
  ComOutMenusEnabled(app, true);
  ShowCritical(app, procName + "\r\nCom" + NumText(port) + "  " + errText);
}

void SayPortWarning(App& app, const SerialPort& comm) {
  const std::string warning = comm.Warning();
  if (!warning.empty()) NoticeTerminalOut(app, warning + std::string(kCrLf));
}

}  // namespace koralin
