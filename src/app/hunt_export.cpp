#include "app/hunt_export.h"

#include <string>

#include "app/app.h"
#include "app/settings_file.h"
#include "common/error.h"
#include "common/text_file.h"
#include "df/export.h"
#include "display/file_errors.h"

namespace koralin {

void ExportHunt(App& app) {
  const DfHunt& hunt = app.hunt.hunt;
  if (app.settings.CfgFileName.empty()) return;  // no settings folder to write beside
  const std::string base = BesideSettings(app, "Hunt");
  const struct {
    const char* ending;
    std::string (*text)(const std::deque<LineOfBearing>&, const DfEstimate&);
  } files[] = {{".geojson", HuntGeoJson}, {".kml", HuntKml}, {".gpx", HuntGpx}};
  for (const auto& f : files) {
    try {
      ReplaceFile(base + f.ending, f.text(hunt.Lines(), hunt.Estimate()));
    } catch (const RunTimeError& e) {
      FileWriteError(app, e, base + f.ending);
    }
  }
}

}  // namespace koralin
