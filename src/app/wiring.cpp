#include "app/wiring.h"

#include "app/app.h"
#include "app/events.h"
#include "app/pc_clock.h"
#include "app/shutdown.h"
#include "dde/client_link.h"
#include "dde/links.h"
#include "display/compass.h"
#include "display/df_window.h"
#include "display/layout.h"
#include "display/minimal.h"
#include "display/speed.h"
#include "log/logging.h"
#include "app/playback.h"
#include "app/df_intake.h"
#include "app/hunt_export.h"
#include "app/fix_intake.h"
#include "app/flux_align.h"
#include "app/intake.h"
#include "display/fix_view.h"
#include "serial/compass_input.h"
#include "serial/input_choice.h"
#include "serial/autobaud.h"
#include "serial/input_port.h"
#include "serial/output_port.h"
#include "serial/bearing_relay.h"
#include "serial/modified_rmc.h"
#include "serial/relay.h"
#include "serial/resume.h"
#include "serial/send.h"
#include "serial/watchdog.h"
#include "terminal/crc_tool.h"
#include "terminal/info_boxes.h"
#include "serial/port_listing.h"
#include "terminal/terminal.h"
#include "terminal/terminal_windows.h"

namespace koralin {

namespace {

// Every entry goes through Guarded, so that no error can end the process.
struct Connector {
  App& app;
  template <class F> void operator()(Notifier& event, F routine) const { event.Subscribe(Guarded(app, routine)); }
};

}  // namespace

void WireForm1(App& app) {
  Form1& f = app.form1;
  const Connector on{app};
  LayOutForm1(f);
  SetCompassGeometry(app);
  SetUpDdeSources(app);

  // Files.
  on(f.mnuLoggen.onClick, mnuLoggen_Click);
  on(f.mnuPlayLog.onClick, mnuPlayLog_Click);
  on(f.mnuReflines.onClick, mnuReflines_Click);
  on(f.mnuCrcCheck.onClick, mnuCrcCheck_Click);
  on(f.mnuLockCheck.onClick, mnuLockCheck_Click);
  on(f.mnuPollingSpeed.onClick, mnuPollingSpeed_Click);
  on(f.mnuShowDDE.onClick, mnuShowDDE_Click);
  on(f.mnuDevice.onClick, mnuDevice_Click);
  on(f.mnuCreateGPstrings.onClick, mnuCreateGPstrings_Click);
  on(f.mnuDfWindow.onClick, mnuDfWindow_Click);
  on(f.mnuNewHunt.onClick, [](App& a) {
    NewHunt(a);
    DrawDfWindow(a);
  });
  on(app.display.dfForm.onQueryUnload, DfWindow_QueryUnload);
  on(app.display.dfForm.onResize, DrawDfWindow);
  on(f.mnuExportHunt.onClick, ExportHunt);
  on(f.mnuExit.onClick, ExitProgram);

  // GPS-ComIn: each rate entry selects its rate (the automatic search 0).
  for (const BaudEntry& e : InputBaudEntries())
    on((f.*e.item).onClick, [rate = e.rate](App& a) { BaudSelect(a, rate); });
  on(f.mnuAnyTalker.onClick, mnuAnyTalker_Click);
  on(f.mnuTerminalIn.onClick, mnuTerminalIn_Click);

  // GPS-ComOut: each port entry keeps the rate, each rate entry the port.
  on(f.mnuRMCPlainOut.onClick, mnuRMCPlainOut_Click);
  on(f.mnuGPGGAOut.onClick, mnuGPGGAOut_Click);
  on(f.mnuPGRMZOut.onClick, mnuPGRMZOut_Click);
  on(f.mnuHCHDTout.onClick, mnuHCHDTout_Click);
  on(f.mnuAgreloInOut.onClick, mnuAgreloInOut_Click);
  on(f.mnuRMCModifiedOut.onClick, mnuRMCModifiedOut_Click);
  on(f.mnuRMCModifiedOut1.onClick, mnuRMCModifiedOut1_Click);
  on(f.mnuMinGpsSpeedOut.onClick, mnuMinGpsSpeedOut_Click);
  on(f.mnuTerminalOut.onClick, mnuTerminalOut_Click);
  on(f.mnuHCHDTinp.onClick, mnuHCHDTinp_Click);
  on(f.mnuSameComOut.onClick, mnuSameComOut_Click);  // asks first
  for (const PortEntry& e : OutputPortEntries())
    if (e.item != &Form1::mnuSameComOut)
      on((f.*e.item).onClick, [port = e.port](App& a) { ComOutSelect(a, port, a.settings.BaudOut); });
  for (const RateEntry& e : OutputRateEntries())
    on((f.*e.item).onClick, [rate = e.rate](App& a) { ComOutSelect(a, a.settings.ComPortOut, rate); });
  on(f.mnuModifiedInfo.onClick, mnuModifiedInfo_Click);

  // Time.
  on(f.mnuUTC.onClick, mnuUTC_Click);
  on(f.mnuWinter.onClick, mnuWinter_Click);
  on(f.mnuSummer.onClick, mnuSummer_Click);
  on(f.mnuTimeZone.onClick, mnuTimeZone_Click);

  // Speed.
  on(f.mnuKnots.onClick, mnuKnots_Click);
  on(f.mnuMiles.onClick, mnuMiles_Click);
  on(f.mnuKilometres.onClick, mnuKilometres_Click);
  on(f.mnuMetresSec.onClick, mnuMetresSec_Click);
  const auto toggleUnit = [](App& a) { ToggleHeightUnit(a, false); };
  on(f.mnuFeet2Metres.onClick, toggleUnit);
  on(f.mnuMaxRange.onClick, mnuMaxRange_Click);

  on(f.mnuGpsFlux.onClick, mnuGpsFlux_Click);
  on(f.mnuMinimalDisplay.onClick, mnuMinimalDisplay_Click);

  // Info.
  on(f.mnuShortCuts.onClick, mnuShortCuts_Click);
  on(f.mnuProtocol.onClick, mnuProtocol_Click);
  on(f.mnuDDEInfo.onClick, mnuDDEInfo_Click);
  on(f.mnuRs232Info.onClick, mnuRs232Info_Click);
  on(f.mnuDeviceManager.onClick, mnuDeviceManager_Click);
  on(f.mnuAbout.onClick, mnuAbout_Click);

  // Clicks on the window's controls.
  for (int i = 0; i < static_cast<int>(f.Option1.size()); ++i)
    on(f.Option1[static_cast<std::size_t>(i)].onClick, [i](App& a) { Option1_Click(a, i); });
  on(f.lstCustumComIn.onClick, lstCustumComIn_Click);
  const auto degrees = [](App& a) { ShowDegrees(a, false); };
  on(f.lblLatitude.onClick, degrees);
  on(f.lblLongitude.onClick, degrees);
  on(f.lblHeight.onClick, toggleUnit);
  on(f.lblSpeed.onClick, lblSpeed_Click);
  on(f.lblUnity.onClick, lblSpeed_Click);
  on(f.ProgressBar1.onClick, ProgressBar1_Click);
  on(f.lblDoppler1.onDblClick, SendTestBearing);
  on(f.lblDDESound.onDblClick, SendTestBearing);

  // New captions. The search writes its progress into lblGPRMC; that is
  // never sent out.
  on(f.lblGPRMC.captionChanged, [](App& a) {
    if (!a.form1.mnuAutoBaud.Checked()) RelayGPRMC(a, a.form1.lblGPRMC.Caption());
  });
  on(f.lblAltitude.captionChanged, [](App& a) { RelayAltitude(a, a.form1.lblAltitude.Caption()); });
  on(f.lblFluxGateCompass.captionChanged, lblFluxGateCompass_Change);
  on(f.lblDoppler1.captionChanged, lblDoppler1_Change);
  on(f.lblDDESound.captionChanged, lblDDESound_Change);
  on(f.lblDDESound.captionChanged, lblDDESound_TakeLine);
  // Every new caption of a source label goes out on the bus (after the
  // relay above has seen lblDoppler1's).
  for (const DdeSource& s : app.dde.sources)
    on(s.label->captionChanged,
       [label = s.label, item = std::string(s.linkItem)](App& a) { a.platform.bus.Publish(item, label->Caption()); });

  // Timers.
  on(f.tmrPolling.onTick, tmrPolling_Timer);
  f.tmrPolling.mayRest = [&app](const Timer::Wake& wake) { return tmrPolling_MayRest(app, wake); };
  on(f.tmrComInTimeOut.onTick, tmrComInTimeOut_Timer);
  on(f.tmrResume.onTick, tmrResume_Timer);
  on(f.tmrTeam.onTick, tmrTeam_Timer);
  app.team.onArrival = [&app] { ArmTeamTimer(app); };

  f.lblTurnPrompt.SetToolTip("Turn-prompt " + app.platform.system.ExeName() + " is running.");
  PublishLinkItems(app);
}

void WireMinimalDisplay(App& app) {
  const Connector on{app};
  on(app.display.form5.Command1.onClick, Form5_Command1_Click);
  on(app.display.form5.onExit, ExitProgram);
}

void WireTerminals(App& app) {
  TerminalState& t = app.terminal;
  const Connector on{app};
  on(t.form2.onClick, Form2_Click);
  on(t.form2.chkFreeze.onClick, Form2_chkFreeze_Click);
  on(t.form2.onQueryUnload, Form2_QueryUnload);
  on(t.form2.onResize, Form2_Resize);
  on(t.form2.ChkSend2ComIn.onClick, ChkSend2ComIn_Click);
  on(t.form2.onTxtSendEnter, TxtSend_Enter);

  on(t.form3.onClick, Form3_Click);
  on(t.form3.chkFreeze.onClick, Form3_chkFreeze_Click);
  on(t.form3.onQueryUnload, Form3_QueryUnload);
  on(t.form3.onResize, Form3_Resize);
  // A cleared Terminal Out forgets the altitude texts last relayed, so the
  // next one is sent again.
  t.terminalOutCleared.Subscribe([&app] {
    app.serial.LastGPGGAOut.clear();
    app.serial.LastPGRMZOut.clear();
  });
}

void WireCrcTool(App& app) {
  const Connector on{app};
  on(app.terminal.form4.Command1.onClick, Form4_Command1_Click);
  on(app.terminal.form4.onQueryUnload, Form4_QueryUnload);
}

void WirePortListing(App& app) {
  const Connector on{app};
  on(app.terminal.listing.cmdAssign.onClick, cmdAssign_Click);
}

}  // namespace koralin
