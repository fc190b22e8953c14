// The hunt as map files: each line of bearing, the car's track, the estimate
// and its 95 % ellipse, as GeoJSON (RFC 7946), KML 2.2 and GPX 1.1 text.
#pragma once

#include <deque>
#include <string>

#include "df/estimate.h"
#include "df/line_of_bearing.h"

namespace koralin {

// A line is drawn from the car to twice its distance from the estimate, or
// 5 km while there is none. The track is the cars' places in time order; the
// estimate and its ellipse (a closed ring of 72 points) only when it stands.
std::string HuntGeoJson(const std::deque<LineOfBearing>& lines, const DfEstimate& estimate);
std::string HuntKml(const std::deque<LineOfBearing>& lines, const DfEstimate& estimate);
// GPX has no polygons: the ellipse is a track of its own; lines are routes.
std::string HuntGpx(const std::deque<LineOfBearing>& lines, const DfEstimate& estimate);

}  // namespace koralin
