// "Export hunt": the hunt as map files beside Gps.cfg.
#pragma once

namespace koralin {

struct App;

// Writes Hunt.geojson, Hunt.kml and Hunt.gpx, each as one step; a file that
// cannot be written is named in the write-error box and the others still go.
void ExportHunt(App& app);

}  // namespace koralin
