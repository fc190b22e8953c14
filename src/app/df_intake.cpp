#include "app/df_intake.h"

#include <cmath>
#include <optional>

#include "app/app.h"
#include "app/settings_file.h"
#include "common/basic.h"
#include "common/error.h"
#include "common/text_file.h"
#include "df/hunt_file.h"
#include "display/fix_view.h"
#include "display/df_window.h"
#include "display/file_errors.h"
#include "log/log_file.h"
#include "nmea/degrees.h"
#include "nmea/doppler_bearing.h"
#include "nmea/gps_time.h"
#include "nmea/position.h"
#include "nmea/rmc.h"
#include "serial/waypoint_out.h"

namespace koralin {

namespace {

// The file is written afresh with the lines kept once it holds twice as many
// as the hunt keeps: 40,000 lines of about 60 characters, with room for long
// source names. A larger file is read as far as this.
constexpr std::size_t kMaxHuntFile = 4 * 1024 * 1024;

// Writes the hunt's lines as the whole file.
void RewriteHuntFile(App& app) {
  if (HuntFileName(app).empty()) return;
  std::string text;
  for (const LineOfBearing& l : app.hunt.hunt.Lines()) text += FormatHuntLine(l) + "\n";
  try {
    ReplaceFile(HuntFileName(app), text);
    app.hunt.fileError.clear();
    app.hunt.linesInFile = app.hunt.hunt.Lines().size();
  } catch (const RunTimeError& e) {
    app.hunt.fileError = HuntFileName(app) + ": " + e.what();
  }
}

// The car's heading: the compass's while one speaks, since it holds at any
// speed; else the GPS course when moving fast enough for it to mean something.
std::optional<double> Heading(const App& app, const RmcSentence& rmc) {
  if (const std::optional<int> flux = FluxHeading(app)) return *flux;
  if (rmc.course.empty() || Val(rmc.speed) < app.settings.MinGpsSpeedOut) return std::nullopt;
  return Val(rmc.course);
}

}  // namespace

std::string HuntFileName(const App& app) {
  // No settings folder (yet): the hunt stays in memory.
  return app.settings.CfgFileName.empty() ? std::string() : BesideSettings(app, "Hunt.csv");
}

void LoadHunt(App& app) {
  HuntState& h = app.hunt;
  h.hunt.Clear();
  if (HuntFileName(app).empty()) return;
  std::optional<std::string> text;
  try {
    text = ReadTextFileIfAny(HuntFileName(app), kMaxHuntFile);
  } catch (const RunTimeError& e) {
    // Named once at start; the hunt goes on in memory.
    h.fileError = HuntFileName(app) + ": " + e.what();
    FileReadError(app, e, HuntFileName(app));
    return;
  }
  if (!text) return;
  const HuntFileContents c = ParseHuntFile(*text);
  h.damagedLines = c.damaged;
  for (const LineOfBearing& l : c.lines) h.hunt.Add(l);
  h.linesInFile = c.lines.size() + static_cast<std::size_t>(c.damaged);
  if (c.damaged > 0 || text->size() >= kMaxHuntFile) RewriteHuntFile(app);
}

void FormLineOfBearing(App& app, const DopplerBearing& bearing, const std::string& source) {
  if (bearing.bearing >= 360) return;  // 999: the set has no bearing
  LineOfBearing line;
  line.quality = bearing.quality;
  const RmcSentence rmc = ParseRmc(app.fix.GPRMCSentence);
  if (!rmc.complete || rmc.status != "A") return;
  const auto lat = CoordinateDegrees(rmc.latitude, rmc.latHemisphere);
  const auto lon = CoordinateDegrees(rmc.longitude, rmc.longHemisphere);
  const auto time = UtcSeconds(rmc.date, rmc.time);
  const auto heading = Heading(app, rmc);
  if (!lat || !lon || !time || !heading) return;
  line.time = *time;
  line.latitude = *lat;
  line.longitude = *lon;
  line.bearing = std::fmod(*heading + bearing.bearing, 360.0);
  line.source = source;
  app.hunt.hunt.Add(line);
  app.team.Share(line);
  if (HuntFileName(app).empty()) return;
  if (app.hunt.linesInFile >= 2 * DfHunt::kMaxLines) return RewriteHuntFile(app);
  try {
    AppendToFile(HuntFileName(app), FormatHuntLine(line) + "\n");
    ++app.hunt.linesInFile;
    app.hunt.fileError.clear();
  } catch (const RunTimeError& e) {
    // The hunt goes on in memory; the DF window shows why the file lags.
    app.hunt.fileError = HuntFileName(app) + ": " + e.what();
  }
}

void lblDDESound_TakeLine(App& app) {
  if (const auto bearing = ParseDopplerBearing(app.form1.lblDDESound.Caption(), "%"))
    FormLineOfBearing(app, *bearing, "companion");
}

void UpdateDfEstimate(App& app) {
  const bool teamChanged = app.team.Poll(app.hunt.hunt, app.hunt.rules);
  if (app.hunt.hunt.Update(app.hunt.rules)) {
    app.platform.bus.PublishEstimate(app.hunt.hunt.Estimate());
    app.team.ShareEstimate(app.hunt.hunt.Estimate());
    DrawDfWindow(app);
  } else if (teamChanged) {
    DrawDfWindow(app);
  }
  app.platform.bus.PublishTeam(app.team);  // the bus signals only what changed
  SendDfWaypoint(app);
}

void ArmTeamTimer(App& app) {
  Timer& t = app.form1.tmrTeam;
  if (t.Enabled()) return;
  t.SetInterval(kTeamSettleMs);
  t.SetEnabled(true);
}

void tmrTeam_Timer(App& app) {
  app.form1.tmrTeam.SetEnabled(false);
  UpdateDfEstimate(app);
  if (app.team.Waiting() > 0) ArmTeamTimer(app);  // a flood: the rest next time
}

void NewHunt(App& app) {
  app.hunt.hunt.Clear();
  app.hunt.damagedLines = 0;
  app.hunt.lastWaypoint.reset();  // the new hunt's first estimate goes out
  RewriteHuntFile(app);
  app.platform.bus.PublishEstimate(app.hunt.hunt.Estimate());
}

}  // namespace koralin
