#include "app/fix_without_rmc.h"

#include <algorithm>
#include <optional>

#include "app/app.h"
#include "app/intake.h"
#include "common/basic.h"
#include "dde/links.h"
#include "display/compass.h"
#include "display/fix_view.h"
#include "display/frame_caption.h"
#include "nmea/gps_time.h"
#include "nmea/position.h"
#include "nmea/position_fix.h"

namespace koralin {

namespace {

// A receiver that sends RMC at all sends one at least every few seconds.
constexpr int kRmcAbsentMs = 5000;

// The first sentence in the text of the three, parsed; none when it holds none.
std::optional<PositionFix> FirstFix(App& app, std::string_view text) {
  struct Kind {
    const char* prefix;
    PositionFix (*parse)(std::string);
  };
  static constexpr Kind kKinds[] = {{"$GPGGA", ParseGgaFix}, {"$GPGNS", ParseGns}, {"$GPGLL", ParseGll}};
  const bool anyTalker = app.form1.mnuAnyTalker.Checked();
  std::optional<PositionFix> first;
  std::size_t firstAt = 0;
  for (const Kind& k : kKinds) {
    const std::size_t at = FindSentence(k.prefix, text, 1, anyTalker);
    if (at == 0 || (first && at > firstAt)) continue;
    std::string sentence = TakeSentence(app, k.prefix, text.substr(at - 1), true);
    if (sentence.empty()) continue;
    first = k.parse(std::move(sentence));
    firstAt = at;
  }
  return first;
}

void ShowFix(App& app, const PositionFix& p) {
  FixState& fix = app.fix;
  Form1& f = app.form1;
  fix.FixWithoutRmc = true;
  fix.RmcStatus = p.status;
  f.lblVal1.SetCaption(fix.RmcStatus);
  fix.CourseText.clear();
  fix.SpeedKnotsText.clear();
  if (p.status != "A") {
    f.lblLock.SetCaption("Rx not ok");
    MarkNoFix(app, nullptr);
    DDElinks(app);
    return;
  }
  f.lblLock.SetCaption("Rx ok");
  fix.CourseColour = colour::kGreen;
  fix.LatitudeText = FormatLatitude(p.latitude) + p.latHemisphere;
  fix.LongitudeText = FormatLongitude(p.longitude) + p.longHemisphere;
  ShowPosition(app, p.latHemisphere, p.longHemisphere);
  const std::string t = RoundTime(p.time);
  if (t.size() == 6) {
    fix.UtcTimeText = Format(Val(t), "00:00:00");
    f.lblTime.SetCaption(fix.UtcTimeText);
  }
  ShowFixHeading(app);
  DDElinks(app);
  ShowCompassText(app);
  DrawCompass(app);
}

}  // namespace

void AgeRmc(App& app, int ms) { app.fix.MsWithoutRmc = std::min(app.fix.MsWithoutRmc + ms, kRmcAbsentMs); }

void NoteRmc(App& app) {
  app.fix.MsWithoutRmc = 0;
  app.fix.FixWithoutRmc = false;
}

void ExtractingFixWithoutRmc(App& app, std::string_view text) {
  if (!app.settings.FixWithoutRmc || app.settings.ComPortIn == 0 || app.fix.GPRMCFound) return;
  const std::optional<PositionFix> p = FirstFix(app, text);
  if (!p) return;
  app.fix.NoRxCount = 0;
  if (app.settings.ComPortIn > 0) app.form1.tmrComInTimeOut.Restart();
  if (app.fix.MsWithoutRmc < kRmcAbsentMs) return;
  if (app.fix.OldDataShown && app.settings.ComPortIn > 0) {
    app.fix.OldDataShown = false;
    RestoreFrameCaption(app);
  }
  ShowFix(app, *p);
}

}  // namespace koralin
