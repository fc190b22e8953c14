#include "app/heading_intake.h"

#include "app/app.h"
#include "app/df_intake.h"
#include "app/intake.h"
#include "display/fix_view.h"
#include "log/logging.h"
#include "nmea/doppler_bearing.h"
#include "nmea/hdt.h"

namespace koralin {

namespace {

// Sentences in a row without "T" after which the flux-gate heading is dropped.
constexpr int kNoTrueLimit = 10;

}  // namespace

void ExtractingHCHDT(App& app, std::string_view text, bool& found) {
  HeadingState& h = app.heading;
  Label& label = app.form1.lblFluxGateCompass;
  found = false;
  h.HCHDTSentence = TakeSentence(app, "$HCHDT", text, false);
  if (h.HCHDTSentence.empty()) {
    // Once a compass has spoken its heading stays until it says otherwise.
    if (!h.FluxSeen) {
      label.SetVisible(false);
      h.FluxHeadingText.clear();
    }
    return;
  }
  const HdtSentence hdt = ParseHdt(h.HCHDTSentence);
  h.FluxSeen = true;
  label.SetVisible(true);
  label.SetCaption(hdt.text);
  found = true;
  if (!hdt.isTrue) {
    if (++h.FluxNoTrueCount > kNoTrueLimit) {
      h.FluxHeadingText.clear();
      h.FluxNoTrueCount = kNoTrueLimit + 1;
    }
    return;
  }
  h.FluxNoTrueCount = 0;
  if (hdt.heading) h.FluxHeadingText = *hdt.heading + "F";
  LoggingSummer(app, hdt.text, true);
}

void ExtractingDoppler(App& app, std::string_view text, bool& found) {
  found = false;
  for (std::string_view prefix : {"%", "$DFBRG", "DF"}) {
    HideBearing(app);
    const std::optional<DopplerBearing> bearing = ParseDopplerBearing(text, prefix);
    if (!bearing) continue;
    app.heading.DopplerBearing = bearing->text;
    ShowBearing(app, bearing->text, bearing->amplitude);
    found = true;
    app.fix.NoRxCount = 0;
    LoggingSummer(app, app.heading.DopplerBearing, false);
    FormLineOfBearing(app, *bearing, "serial");
    return;
  }
}

}  // namespace koralin
