#include "dde/client_link.h"

#include "app/app.h"
#include "common/basic.h"
#include "dde/links.h"

namespace koralin {

namespace {

std::string Topic() { return std::string(kCompanionApplication) + "|" + kCompanionTopic; }

void ReportLinkFailure(App& app, const std::string& description) {
  const std::string crlf(kCrLf);
  MsgBox(app,
         "AdjustLblDDESound:" + crlf + crlf + "lblDDESound.LinkTopic = " + Topic() + crlf +
             "lblDDESound.LinkItem = " + kCompanionItem + crlf + crlf + description,
         kTitle, MsgIcon::kCritical);
}

// The companion left while linked: said once; the last bearing stays shown
// and the modified output waits until the user switches it on again.
void LinkLost(App& app, const std::string& why) {
  if (!app.dde.linkOpen) return;
  app.dde.linkOpen = false;
  app.platform.bus.Unlink();
  app.form1.mnuRMCModifiedOut.SetChecked(false);
  ReportLinkFailure(app, why);
}

}  // namespace

bool AdjustLblDDESound(App& app, bool on) {
  Label& l = app.form1.lblDDESound;
  ValuesBus& bus = app.platform.bus;
  if (!on) {
    l.SetVisible(false);
    if (bus.Linked()) bus.Unlink();
    app.dde.linkOpen = false;
    return true;
  }
  l.SetToolTip("RX-DDE Agrelo data from Quillwave for ComOut");
  l.SetVisible(true);
  l.SetBackColor(colour::kRed);
  l.SetCaption("%---");
  bus.Unlink();
  app.dde.linkOpen = false;
  try {
    bus.Link(
        kCompanionApplication, kCompanionTopic, kCompanionItem, kLinkTimeoutTenths,
        [&app](const std::string& v) { app.form1.lblDDESound.SetCaption(v); },
        [&app](const std::string& why) { LinkLost(app, why); });
  } catch (const std::exception& e) {
    l.SetVisible(false);
    ReportLinkFailure(app, e.what());
    return false;
  }
  app.dde.linkOpen = true;
  return true;
}

void mnuDDEInfo_Click(App& app) {
  const std::string crlf(kCrLf);
  std::string text = "DDE Sources Info" + crlf + crlf + "Sending";
  for (const DdeSource& s : app.dde.sources) text += crlf + "LinkItem = \"" + s.linkItem + "\"";
  text += crlf + crlf + "Recieving Agrelo" + crlf + "LinkItem = \"" + kCompanionItem + "\"" + crlf +
          "LinkTopic = \"" + Topic() + "\"" + BusInfoText(app.platform.bus.Where());
  MsgBox(app, text, kTitle, MsgIcon::kInformation);
}

}  // namespace koralin
