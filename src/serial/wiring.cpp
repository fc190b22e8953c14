// Hooks the serial routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/modified_rmc.h"
#include "serial/output_port.h"
#include "serial/relay.h"
#include "serial/watchdog.h"

namespace koralin {

namespace {

void WireInput(App& app) {
  Form1& f = app.form1;
  for (int i = 0; i < static_cast<int>(f.Option1.size()); ++i)
    f.Option1[static_cast<std::size_t>(i)].onClick.Subscribe(Guarded(app, [i](App& a) { Option1_Click(a, i); }));
  f.lstCustumComIn.onClick.Subscribe(Guarded(app, lstCustumComIn_Click));
  for (const BaudEntry& e : InputBaudEntries()) {
    const long rate = e.rate;
    (f.*e.item).onClick.Subscribe(Guarded(app, [rate](App& a) { BaudSelect(a, rate); }));
  }
  f.tmrComInTimeOut.onTick.Subscribe(Guarded(app, tmrComInTimeOut_Timer));
}

void WireOutput(App& app) {
  Form1& f = app.form1;
  const auto port = [&app](MenuItem& m, int number) {
    m.onClick.Subscribe(Guarded(app, [number](App& a) { ComOutSelect(a, number, a.settings.BaudOut); }));
  };
  port(f.mnuComOutOff, 0);
  port(f.mnuCom1, 1);
  port(f.mnuCom2, 2);
  port(f.mnuCom3, 3);
  port(f.mnuCom4, 4);
  port(f.mnuCom5, 5);
  f.mnuSameComOut.onClick.Subscribe(Guarded(app, mnuSameComOut_Click));
  const auto rate = [&app](MenuItem& m, long baud) {
    m.onClick.Subscribe(Guarded(app, [baud](App& a) { ComOutSelect(a, a.settings.ComPortOut, baud); }));
  };
  rate(f.mnuBaud1200, 1200);
  rate(f.mnuBaud2400, 2400);
  rate(f.mnuBaud4800, 4800);
  rate(f.mnuBaud9600, 9600);
  rate(f.mnuBaud19200, 19200);
  rate(f.mnuBaud38400, 38400);
}

void WireRelay(App& app) {
  Form1& f = app.form1;
  f.mnuRMCPlainOut.onClick.Subscribe(Guarded(app, mnuRMCPlainOut_Click));
  f.mnuGPGGAOut.onClick.Subscribe(Guarded(app, mnuGPGGAOut_Click));
  f.mnuPGRMZOut.onClick.Subscribe(Guarded(app, mnuPGRMZOut_Click));
  f.mnuHCHDTout.onClick.Subscribe(Guarded(app, mnuHCHDTout_Click));
  f.mnuAgreloInOut.onClick.Subscribe(Guarded(app, mnuAgreloInOut_Click));
  f.mnuRMCModifiedOut.onClick.Subscribe(Guarded(app, mnuRMCModifiedOut_Click));
  f.mnuRMCModifiedOut1.onClick.Subscribe(Guarded(app, mnuRMCModifiedOut1_Click));
  f.mnuMinGpsSpeedOut.onClick.Subscribe(Guarded(app, mnuMinGpsSpeedOut_Click));
  f.mnuModifiedInfo.onClick.Subscribe(Guarded(app, mnuModifiedInfo_Click));

  // The search writes its progress into lblGPRMC; that is never sent out.
  f.lblGPRMC.captionChanged.Subscribe(Guarded(app, [](App& a) {
    if (!a.form1.mnuAutoBaud.Checked()) RelayGPRMC(a, a.form1.lblGPRMC.Caption());
  }));
  f.lblDoppler1.captionChanged.Subscribe(Guarded(app, lblDoppler1_Change));
  f.lblDDESound.captionChanged.Subscribe(Guarded(app, lblDDESound_Change));
  f.lblDoppler1.onDblClick.Subscribe(Guarded(app, SendTestBearing));
  f.lblDDESound.onDblClick.Subscribe(Guarded(app, SendTestBearing));
}

}  // namespace

void WireSerial(App& app) {
  WireInput(app);
  WireOutput(app);
  WireRelay(app);
  // A cleared Terminal Out forgets the altitude texts last relayed, so the
  // next one is sent again.
  app.terminal.terminalOutCleared.Subscribe([&app] {
    app.serial.LastGPGGAOut.clear();
    app.serial.LastPGRMZOut.clear();
  });
}

}  // namespace koralin
