#include "serial/input_choice.h"

#include "app/app.h"
#include "common/basic.h"
#include "serial/input_port.h"

namespace koralin {

namespace {

// The source a button stands for.
int SourceOf(const App& app, int index) {
  if (index >= 0 && index <= 5) return index + 1;
  if (index == kOptionCustom) return app.settings.CustomComIn;
  if (index == kOptionOff) return 0;
  return -1;
}

// Terminal In has nothing to show without a port or a log.
void TerminalInOff(App& app) {
  MenuItem& m = app.form1.mnuTerminalIn;
  m.SetEnabled(false);
  if (m.Checked()) m.Click();
}

void SetMenusForSource(App& app) {
  Form1& f = app.form1;
  const int port = app.settings.ComPortIn;
  if (port == 0) {
    ComInOptionsEnabled(app, true);
    BaudEnabled(app, true);
    TerminalInOff(app);
  } else if (port > 0) {
    ComInOptionsLock(app);
    BaudEnabled(app, false);
    f.mnuTerminalIn.SetEnabled(true);
  } else if (port == -1) {
    ComInOptionsLock(app);
    BaudEnabled(app, true);
    TerminalInOff(app);
  } else {
    ComInOptionsEnabled(app, true);
    BaudEnabled(app, false);
    f.mnuTerminalIn.SetEnabled(true);
  }
}

}  // namespace

void Option1_Click(App& app, int index) {
  if (index < 0 || index > kOptionDemo) return;
  if (app.serial.Searching) {
    // Only "Comport off" is enabled during the search: it ends the search,
    // which then switches the input off.
    if (index == kOptionOff) app.serial.SearchCancelled = true;
    return;
  }
  Form1& f = app.form1;
  app.settings.ComPortIn = static_cast<std::int16_t>(f.mnuPlayLog.Checked() ? -2 : SourceOf(app, index));
  SetMenusForSource(app);
  for (std::size_t i = 0; i < f.Option1.size(); ++i) f.Option1[i].SetValue(static_cast<int>(i) == index);
  ComPortInOpen(app);
}

void ComPortInSelect(App& app) {
  Form1& f = app.form1;
  const int port = app.settings.ComPortIn;
  if (port == -2) {
    // Checked first, so that the click keeps the playback source.
    f.mnuPlayLog.SetChecked(true);
    f.mnuPlayLog.SetEnabled(true);
    Option1_Click(app, kOptionOff);
    ComInOptionsEnabled(app, false);  // the click left the rates off and Terminal In on
    return;
  }
  int index = kOptionCustom;
  if (port == 0)
    index = kOptionOff;
  else if (port == -1)
    index = kOptionDemo;
  else if (port >= 1 && port <= 6)
    index = port - 1;
  Option1_Click(app, index);
}

void ComInOptionsEnabled(App& app, bool flag) {
  Form1& f = app.form1;
  for (OptionButton& b : f.Option1) b.SetEnabled(flag);
  f.lstCustumComIn.SetVisible(flag);
}

void ComInOptionsLock(App& app) {
  Form1& f = app.form1;
  const std::string off = f.Option1[kOptionOff].Caption();
  for (OptionButton& b : f.Option1) b.SetEnabled(b.Caption() == off);
  f.lstCustumComIn.SetVisible(false);
}

void lstCustumComIn_Click(App& app) {
  Form1& f = app.form1;
  const int i = f.lstCustumComIn.ListIndex();
  const auto& items = f.lstCustumComIn.Items();
  if (i < 0 || i >= static_cast<int>(items.size())) return;
  f.Option1[kOptionCustom].SetCaption("Com" + items[static_cast<std::size_t>(i)]);
  app.settings.CustomComIn = static_cast<std::int16_t>(Val(items[static_cast<std::size_t>(i)]));
}

}  // namespace koralin
