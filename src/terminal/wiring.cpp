// Hooks the terminal routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "terminal/crc_tool.h"
#include "terminal/info_boxes.h"
#include "terminal/port_listing.h"
#include "terminal/terminal.h"

namespace koralin {

void WireTerminal(App& app) {
  Form1& f = app.form1;
  TerminalState& t = app.terminal;
  f.mnuTerminalIn.onClick.Subscribe(Guarded(app, mnuTerminalIn_Click));
  f.mnuTerminalOut.onClick.Subscribe(Guarded(app, mnuTerminalOut_Click));
  f.mnuCreateGPstrings.onClick.Subscribe(Guarded(app, mnuCreateGPstrings_Click));
  f.mnuDevice.onClick.Subscribe(Guarded(app, mnuDevice_Click));
  f.mnuDeviceManager.onClick.Subscribe(Guarded(app, mnuDeviceManager_Click));
  f.mnuProtocol.onClick.Subscribe(Guarded(app, mnuProtocol_Click));
  f.mnuRs232Info.onClick.Subscribe(Guarded(app, mnuRs232Info_Click));
  f.mnuShortCuts.onClick.Subscribe(Guarded(app, mnuShortCuts_Click));
  f.mnuAbout.onClick.Subscribe(Guarded(app, mnuAbout_Click));

  t.form2.chkFreeze.onClick.Subscribe(Guarded(app, Form2_chkFreeze_Click));
  t.form3.chkFreeze.onClick.Subscribe(Guarded(app, Form3_chkFreeze_Click));
  t.form2.onClick.Subscribe(Guarded(app, Form2_Click));
  t.form3.onClick.Subscribe(Guarded(app, Form3_Click));
  t.form2.onQueryUnload.Subscribe(Guarded(app, Form2_QueryUnload));
  t.form3.onQueryUnload.Subscribe(Guarded(app, Form3_QueryUnload));
  t.form2.onResize.Subscribe(Guarded(app, Form2_Resize));
  t.form3.onResize.Subscribe(Guarded(app, Form3_Resize));
  t.form2.ChkSend2ComIn.onClick.Subscribe(Guarded(app, ChkSend2ComIn_Click));
  t.form2.onTxtSendEnter.Subscribe(Guarded(app, TxtSend_Enter));

  t.form4.Command1.onClick.Subscribe(Guarded(app, Command1_Click));
  t.form4.onQueryUnload.Subscribe(Guarded(app, Form4_QueryUnload));
  t.listing.cmdAssign.onClick.Subscribe(Guarded(app, cmdAssign_Click));
}

}  // namespace koralin
