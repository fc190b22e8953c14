#include "terminal/terminal.h"

#include <utility>

#include "app/app.h"
#include "common/basic.h"
#include "terminal/terminal_text.h"

namespace koralin {

namespace {

TerminalWindow& WindowOf(App& app, TerminalKind kind) {
  if (kind == TerminalKind::kIn) return app.terminal.form2;
  return app.terminal.form3;
}

const MenuItem& MenuOf(const App& app, TerminalKind kind) {
  return kind == TerminalKind::kIn ? app.form1.mnuTerminalIn : app.form1.mnuTerminalOut;
}

bool& FreezeOf(App& app, TerminalKind kind) {
  return kind == TerminalKind::kIn ? app.terminal.FreezeIn : app.terminal.FreezeOut;
}

TerminalKind Other(TerminalKind kind) { return kind == TerminalKind::kIn ? TerminalKind::kOut : TerminalKind::kIn; }

void AddTerminal(App& app, TerminalKind kind, std::string_view text, bool clear) {
  if (!MenuOf(app, kind).Checked()) return;
  TerminalWindow& w = WindowOf(app, kind);
  std::string& stored = app.terminal.TerminalText[static_cast<std::size_t>(kind)];
  if (clear) {
    stored.clear();
    w.screen.Cls();
    if (kind == TerminalKind::kOut) app.terminal.terminalOutCleared.Notify();
    return;
  }
  if (text.empty()) return;
  if (text != kShowAgain) stored += text;
  CapTerminalText(stored, kind);
  // A frozen window keeps what it shows; the text is still kept for later.
  if (!FreezeOf(app, kind)) w.screen.Print(TerminalDisplayText(stored, kind));
}

void ToggleFreeze(App& app, TerminalKind kind) {
  bool& frozen = FreezeOf(app, kind);
  frozen = !frozen;
  WindowOf(app, kind).chkFreeze.SetValue(frozen ? 1 : 0);
  if (!frozen) {
    AddTerminal(app, kind, kShowAgain, false);
    return;
  }
  // Freezing one freezes both, so input and output can be compared at rest.
  const TerminalKind other = Other(kind);
  bool& otherFrozen = FreezeOf(app, other);
  if (MenuOf(app, other).Checked() && !otherFrozen) {
    otherFrozen = true;
    WindowOf(app, other).chkFreeze.SetValue(1);
  }
}

}  // namespace

void AddTerminalIn(App& app, std::string_view text, bool clear) { AddTerminal(app, TerminalKind::kIn, text, clear); }

void AddTerminalOut(App& app, std::string_view text, bool clear) {
  AddTerminal(app, TerminalKind::kOut, text, clear);
}

void NoticeTerminalOut(App& app, std::string_view text) {
  app.terminal.OutNotice = text;
  ShowTerminalOutNotice(app);
}

void ShowTerminalOutNotice(App& app) {
  if (app.terminal.OutNotice.empty() || !app.form1.mnuTerminalOut.Checked()) return;
  AddTerminalOut(app, std::exchange(app.terminal.OutNotice, {}), false);
}

void Form2_chkFreeze_Click(App& app) { ToggleFreeze(app, TerminalKind::kIn); }
void Form3_chkFreeze_Click(App& app) { ToggleFreeze(app, TerminalKind::kOut); }

void Form2_Click(App& app) { AddTerminalIn(app, "", true); }
void Form3_Click(App& app) { AddTerminalOut(app, "", true); }

}  // namespace koralin
