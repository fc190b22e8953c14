#include "serial/resume.h"

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"
#include "display/frame_caption.h"
#include "serial/port_target.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

constexpr int kInBufferSize = 8192;
constexpr int kOutBufferSize = 8192;

void WaitForReturn(App& app) {
  Timer& t = app.form1.tmrResume;
  t.SetInterval(kResumeMs);
  if (!t.Enabled()) t.SetEnabled(true);
}

// Opens the port again; false while it is still away.
bool Reopen(SerialPort& comm, int port, long baud, int in, int out) {
  try {
    if (comm.IsOpen()) comm.Close();
    comm.Open(port, LineSettings(baud), in, out);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

bool IsLost(const std::exception& e) {
  const auto* r = dynamic_cast<const RunTimeError*>(&e);
  return r && r->Number() == err::kDeviceLost;
}

std::string LostCaption(App& app, int port) {
  std::string target;
  try {
    target = TargetOf(app.platform.system.AppPath(), port).text;
  } catch (const std::exception&) {
    target = "its device";  // the line was edited meanwhile; the reopen will say what is wrong
  }
  return "Com" + NumText(port) + " lost - waiting for " + target + " to return";
}

void InputLost(App& app) {
  SerialPort& comm = app.platform.comm1;
  if (comm.IsOpen()) comm.Close();
  app.serial.InLost = true;
  app.form1.lblLock.SetBackColor(colour::kRed);
  ShowLostCaption(app);
  WaitForReturn(app);
}

void OutputLost(App& app) {
  SerialPort& comm = app.platform.comm2;
  if (comm.IsOpen()) comm.Close();
  if (app.serial.OutLost) return;
  app.serial.OutLost = true;
  const std::string said = LostCaption(app, app.settings.ComPortOut);
  ShowLostCaption(app);
  AddTerminalOut(app, said + std::string(kCrLf), false);
  WaitForReturn(app);
}

void ShowLostCaption(App& app) {
  const SerialState& st = app.serial;
  if (!st.InLost && !st.OutLost)
    SetLostCaption(app, "");
  else
    SetLostCaption(app, LostCaption(app, st.InLost ? app.settings.ComPortIn : app.settings.ComPortOut));
}

void tmrResume_Timer(App& app) {
  SerialState& st = app.serial;
  const Settings& s = app.settings;
  bool back = false;
  if (st.InLost && s.ComPortIn > 0 &&
      Reopen(app.platform.comm1, s.ComPortIn, s.BaudIn, kInBufferSize, 0)) {
    st.InLost = false;
    back = true;
  }
  if (st.OutLost && s.ComPortOut >= 1 && s.ComPortOut <= 5 &&
      Reopen(app.platform.comm2, s.ComPortOut, s.BaudOut, 0, kOutBufferSize)) {
    st.OutLost = false;
    back = true;
  }
  if (s.ComPortIn <= 0) st.InLost = false;
  if (s.ComPortOut < 1 || s.ComPortOut > 5) st.OutLost = false;
  if (back) {
    ShowLostCaption(app);  // the words for a port still lost, if any
    RestoreFrameCaption(app);
  }
  if (!st.InLost && !st.OutLost) app.form1.tmrResume.SetEnabled(false);
}

}  // namespace koralin
