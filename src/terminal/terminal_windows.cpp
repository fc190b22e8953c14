#include "terminal/terminal_windows.h"

#include <algorithm>

#include "app/app.h"
#include "common/basic.h"
#include "display/keys.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

constexpr const char* kTerminalCaption = "Koralin Terminal ";

// Control sizes in twips.
constexpr int kFreezeWidth = 1800;
constexpr int kSendWidth = 1000;
constexpr int kCheckHeight = 300;
constexpr int kTxtSendHeight = 330;

void ResetControls(TerminalWindow& w) {
  w.chkFreeze.SetValue(0);
  w.screen.Cls();
}

void LoadForm2(App& app) {
  Form2& w = app.terminal.form2;
  if (w.loaded) return;
  w.loaded = true;
  ResetControls(w);
  w.ChkSend2ComIn.SetValue(0);
  w.TxtSend.SetText("");
  w.TxtSend.SetVisible(false);
  Form2_Resize(app);
}

// A closed Terminal In starts afresh, its freeze flag included, so that the
// box and the flag never disagree when it opens again.
void UnloadForm2(App& app) {
  Form2& w = app.terminal.form2;
  app.terminal.FreezeIn = false;
  w.form.SetVisible(false);
  w.loaded = false;
  ResetControls(w);
  w.ChkSend2ComIn.SetValue(0);
  w.TxtSend.SetText("");
  w.TxtSend.SetVisible(false);
}

void LoadForm3(App& app) {
  Form3& w = app.terminal.form3;
  if (w.loaded) return;
  w.loaded = true;
  w.form.SetCaption(kTitle);
  ResetControls(w);
  Form3_Resize(app);
}

std::string LineText(long baud) { return Str(baud) + ",N,8,1"; }

void PlaceFreezeBox(TerminalWindow& w) {
  w.chkFreeze.SetBounds({std::max(0, w.ScaleWidth - kFreezeWidth), std::max(0, w.ScaleHeight - kCheckHeight),
                         kFreezeWidth, kCheckHeight});
}

}  // namespace

void TerminalPlacement(App& app) {
  const Window& main = app.form1.form;
  const bool inOn = app.form1.mnuTerminalIn.Checked();
  const bool outOn = app.form1.mnuTerminalOut.Checked();
  Form2& in = app.terminal.form2;
  Form3& out = app.terminal.form3;
  const int below = main.Top() + main.Height();
  if (in.form.State() != WindowState::kMaximized) {
    in.screen.SetBackColor(colour::kBlack);
    in.screen.SetForeColor(colour::kGreen);
    in.form.SetBounds({main.Left(), inOn ? below : in.form.Top(), main.Width(), main.Height()});
  }
  if (out.form.State() != WindowState::kMaximized) {
    out.screen.SetBackColor(colour::kBlack);
    out.screen.SetForeColor(colour::kRed);
    int top = out.form.Top();
    if (inOn && outOn)
      top = in.form.Top() + in.form.Height();
    else if (outOn)
      top = below;
    out.form.SetBounds({main.Left(), top, main.Width(), main.Height()});
  }
}

void mnuTerminalIn_Click(App& app) {
  MenuItem& m = app.form1.mnuTerminalIn;
  m.SetChecked(!m.Checked());
  if (!m.Checked()) {
    UnloadForm2(app);
    return;
  }
  const Settings& s = app.settings;
  // Without a port or a log there is nothing to show; the check stays set.
  if (s.ComPortIn < 1 && !app.form1.mnuPlayLog.Checked()) return;
  TerminalPlacement(app);
  LoadForm2(app);
  Form2& w = app.terminal.form2;
  w.form.SetVisible(true);
  if (s.ComPortIn == -2)
    w.form.SetCaption(std::string(kTerminalCaption) + "Playing a logged file.");
  else
    w.form.SetCaption(std::string(kTerminalCaption) + "GPS In Com" + NumText(s.ComPortIn) + " Baud" +
                      LineText(s.BaudIn));
  AddTerminalIn(app, "", true);
}

void mnuTerminalOut_Click(App& app) {
  MenuItem& m = app.form1.mnuTerminalOut;
  m.SetChecked(!m.Checked());
  if (!m.Checked()) {
    HideTerminalOut(app);
    return;
  }
  const Settings& s = app.settings;
  if (s.ComPortOut < 1 && s.ComPortOut != -1) return;
  TerminalPlacement(app);
  LoadForm3(app);
  Form3& w = app.terminal.form3;
  w.form.SetVisible(true);
  AddTerminalOut(app, "", true);
  w.screen.Cls();
  w.form.SetCaption(TerminalOutCaption(app));
  ShowTerminalOutNotice(app);
}

std::string TerminalOutCaption(const App& app) {
  const Settings& s = app.settings;
  std::string caption = std::string(kTerminalCaption) + "GPS Out Com" + NumText(s.ComPortOut) + " Baud" +
                        LineText(s.BaudOut);
  if (app.serial.DroppedShown > 0)
    caption += " - " + NumText(app.serial.DroppedShown) + " sentences dropped, the reader is too slow";
  return caption;
}

void HideTerminalOut(App& app) {
  app.terminal.form3.chkFreeze.SetValue(0);
  app.terminal.FreezeOut = false;
  app.terminal.form3.form.SetVisible(false);
}

void Form2_QueryUnload(App& app) {
  app.terminal.FreezeIn = false;
  app.form1.mnuTerminalIn.SetChecked(false);
  UnloadForm2(app);
  TerminalPlacement(app);
}

// The output port belongs to the platform here, not to the window, so
// closing Terminal Out leaves the output running.
void Form3_QueryUnload(App& app) {
  Form3& w = app.terminal.form3;
  app.terminal.FreezeOut = false;
  app.form1.mnuTerminalOut.SetChecked(false);
  w.form.SetVisible(false);
  w.loaded = false;
  ResetControls(w);
  TerminalPlacement(app);
}

void Terminal_KeyDown(App& app, int keyCode) {
  if (keyCode == key::kF1 || keyCode == key::kEscape) app.terminal.focusMainWindow.Notify();
}

void Form2_Resize(App& app) {
  Form2& w = app.terminal.form2;
  PlaceFreezeBox(w);
  w.ChkSend2ComIn.SetBounds({std::max(0, w.ScaleWidth - kSendWidth), std::max(0, w.ScaleHeight - 2 * kCheckHeight),
                             kSendWidth, kCheckHeight});
  w.TxtSend.SetBounds({50, 400, std::max(0, w.ScaleWidth - 100), kTxtSendHeight});
}

void Form3_Resize(App& app) { PlaceFreezeBox(app.terminal.form3); }

void ChkSend2ComIn_Click(App& app) {
  Form2& w = app.terminal.form2;
  w.ChkSend2ComIn.SetValue(w.ChkSend2ComIn.Value() ? 0 : 1);
  if (!w.ChkSend2ComIn.Value()) {
    w.TxtSend.SetVisible(false);
    return;
  }
  MsgBox(app, "You can send info to to port where the GPS is connected to" + std::string(kCrLf) +
                  "Normally you never do this",
         kTitle, MsgIcon::kInformation);
  w.TxtSend.SetVisible(true);
  Form2_Resize(app);
  w.focusTxtSend.Notify();
}

void TxtSend_Enter(App& app) {
  TextBox& box = app.terminal.form2.TxtSend;
  SerialPort& port = app.platform.comm1;
  if (!port.IsOpen() || box.Text().empty()) return;
  const std::string line = Replace(Replace(box.Text(), "\r", ""), "\n", "");
  port.Write(line + std::string(kCrLf));
  box.SetText("");
}

}  // namespace koralin
