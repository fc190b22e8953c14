#include "dde/links.h"

#include "app/app.h"
#include "common/basic.h"
#include "display/layout.h"
#include "display/minimal.h"
#include "terminal/terminal_windows.h"

namespace koralin {

namespace {

constexpr int kDdeRowHeight = 400;

std::string MinimalDisplayText(App& app) {
  const Form1& f = app.form1;
  const std::string nl(kCrLf);
  return f.lblLock.Caption() + nl + f.lblLatitude.Caption() + nl + f.lblLongitude.Caption() + nl +
         f.lblCompass.Caption() + nl + f.lblHeight.Caption() + nl + f.lblSpeed.Caption() + f.lblUnity.Caption() +
         nl + Replace(app.heading.FluxHeadingText, "F", "");
}

}  // namespace

void SetDDELinkItems(App& app) {
  Form1& f = app.form1;
  app.dde.sources = {{{&f.lblLat1, "lblDDELat"},
                      {&f.lblLong1, "lblDDELong"},
                      {&f.lblVal1, "lblDDEVal"},
                      {&f.lblCompas1, "lblDDECompas"},
                      {&f.lblHeight1, "lblDDEHeight"},
                      {&f.lblSpeed1, "lblDDESpeed"},
                      {&f.lblDoppler1, "lblDoppler1"}}};
}

void SetUpDdeSources(App& app) {
  Form1& f = app.form1;
  SetDDELinkItems(app);
  // Their tooltips come with the start-up. The labels start hidden: mnuShowDDE is never saved checked.
  SetDDELabelsVisible(app, f.mnuShowDDE.Checked());
}

void DDElinks(App& app) {
  Form1& f = app.form1;
  const FixState& fix = app.fix;
  f.lblLat1.SetCaption(fix.LatitudeText);
  f.lblLong1.SetCaption(fix.LongitudeText);
  if (f.lblVal1.Caption() != "Off") {
    const int input = app.settings.ComPortIn;
    if (input > 0 || input == -1 || input == -2)
      f.lblVal1.SetCaption(fix.RmcStatus);
    else if (input == 0)
      f.lblVal1.SetCaption("");
  }
  f.lblCompas1.SetCaption(f.lblCompass.Caption());
  f.lblSpeed1.SetCaption(fix.SpeedKnotsText + " knots");
  if (app.settings.MinimalDisplay) {
    LoadForm5(app);
    app.display.form5.Label2.SetCaption(MinimalDisplayText(app));
  }
}

void SetDDELabelsVisible(App& app, bool visible) {
  for (const DdeSource& s : app.dde.sources)
    if (s.label) s.label->SetVisible(visible);
}

void ShowDDELabels(App& app, bool& toggle) {
  Form1& f = app.form1;
  if (toggle) f.mnuShowDDE.SetChecked(!f.mnuShowDDE.Checked());
  const bool shown = f.mnuShowDDE.Checked();
  SetDDELabelsVisible(app, shown);
  f.form.SetHeight(f.form.Height() + (shown ? kDdeRowHeight : -kDdeRowHeight));
  Form1_Resize(app);
  if (shown && (f.mnuTerminalIn.Checked() || f.mnuTerminalOut.Checked())) TerminalPlacement(app);
}

void mnuShowDDE_Click(App& app) {
  bool toggle = true;
  ShowDDELabels(app, toggle);
}

void PublishLinkItems(App& app) {
  for (const DdeSource& s : app.dde.sources) app.platform.bus.Publish(s.linkItem, s.label->Caption());
}

std::string BusInfoText(const ValuesBus::Address& where) {
  if (where.busName.empty()) return {};
  const std::string crlf(kCrLf);
  std::string text = crlf + crlf + "D-Bus (session bus)" + crlf + "Bus name = \"" + where.busName + "\"" + crlf +
                     "Object path = \"" + where.objectPath + "\"" + crlf + "Interface = \"" + where.interface +
                     "\"" + crlf + "Items: the LinkItem names above, as string properties";
  if (!where.problem.empty()) text += crlf + crlf + "Not published: " + where.problem;
  return text;
}

}  // namespace koralin
