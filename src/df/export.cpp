#include "df/export.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/basic.h"
#include "df/hunt_file.h"

namespace koralin {

namespace {

using GeographicLib::Geodesic;

constexpr double kLineWithoutEstimate = 5000;  // metres
constexpr double kShortestLine = 100;          // metres, so a line is never a point
constexpr int kRingPoints = 72;

struct Place {
  double lat = 0, lon = 0;
  double time = 0;  // the track's only
};

// What the three files draw, on the ellipsoid.
struct Shapes {
  std::vector<Place> lineEnds;  // one for each line, in the lines' order
  std::vector<Place> track;
  bool estimate = false;
  Place centre;
  std::vector<Place> ellipse;  // closed: the last point is the first
};

Place Along(const Place& from, double azimuth, double metres) {
  Place p;
  Geodesic::WGS84().Direct(from.lat, from.lon, azimuth, metres, p.lat, p.lon);
  return p;
}

// Counter-clockwise as RFC 7946 wants an outer ring: the azimuth falls.
std::vector<Place> EllipseRing(const Place& c, const DfEstimate& e) {
  std::vector<Place> ring;
  for (int k = 0; k < kRingPoints; ++k) {
    const double theta = -2 * std::numbers::pi * k / kRingPoints;
    const double major = e.semiMajor * std::cos(theta), minor = e.semiMinor * std::sin(theta);
    ring.push_back(Along(c, e.orientation + std::atan2(minor, major) * 180 / std::numbers::pi, std::hypot(major, minor)));
  }
  ring.push_back(ring.front());
  return ring;
}

Shapes ShapesOf(const std::deque<LineOfBearing>& lines, const DfEstimate& e) {
  Shapes s;
  s.estimate = e.state == DfState::kEstimate;
  s.centre = {e.latitude, e.longitude, 0};
  for (const LineOfBearing& l : lines) {
    const Place car{l.latitude, l.longitude, l.time};
    double length = kLineWithoutEstimate;
    if (s.estimate) {
      Geodesic::WGS84().Inverse(car.lat, car.lon, e.latitude, e.longitude, length);
      length = std::max(2 * length, kShortestLine);
    }
    s.lineEnds.push_back(Along(car, l.bearing, length));
    s.track.push_back(car);
  }
  std::stable_sort(s.track.begin(), s.track.end(), [](const Place& a, const Place& b) { return a.time < b.time; });
  // Several bearings from one stop are one point of the track.
  s.track.erase(std::unique(s.track.begin(), s.track.end(),
                            [](const Place& a, const Place& b) { return a.lat == b.lat && a.lon == b.lon; }),
                s.track.end());
  if (s.estimate && e.semiMajor > 0) s.ellipse = EllipseRing(s.centre, e);
  return s;
}

std::string Degrees(double v) { return Format(v, "0.0000000"); }
std::string Number(double v) { return Format(v, "0.0"); }

// Printable ASCII only, so no file is broken by a stray byte in a source.
std::string Printable(const std::string& text) {
  std::string out;
  for (char c : text) out += c >= ' ' && c <= '~' ? c : '?';
  return out;
}

std::string JsonText(const std::string& text) {
  std::string out = "\"";
  for (char c : Printable(text)) out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
  return out + "\"";
}

std::string XmlText(const std::string& text) {
  std::string out;
  for (char c : Printable(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string QualityText(int quality) { return quality == kNoQuality ? "none" : NumText(static_cast<long long>(quality)); }

// "Line 3: 123.4°, quality 7, serial"
std::string LineName(std::size_t i, const LineOfBearing& l) {
  return "Line " + NumText(static_cast<long long>(i + 1)) + ": " + Number(l.bearing) + " deg, quality " +
         QualityText(l.quality) + ", " + l.source;
}

std::string EllipseText(const DfEstimate& e) {
  return "95 % ellipse " + Format(e.semiMajor, "0") + " x " + Format(e.semiMinor, "0") + " m, major axis " +
         Number(e.orientation) + " deg; " + NumText(static_cast<long long>(e.used)) + " lines used, " +
         NumText(static_cast<long long>(e.rejected)) + " rejected";
}

// GeoJSON --------------------------------------------------------------

std::string JsonPosition(const Place& p) { return "[" + Degrees(p.lon) + "," + Degrees(p.lat) + "]"; }

std::string JsonPositions(const std::vector<Place>& places) {
  std::string out = "[";
  for (const Place& p : places) out += (out.size() > 1 ? "," : "") + JsonPosition(p);
  return out + "]";
}

std::string JsonFeature(const std::string& properties, const std::string& type, const std::string& coordinates) {
  return "{\"type\":\"Feature\",\"properties\":{" + properties + "},\"geometry\":{\"type\":\"" + type +
         "\",\"coordinates\":" + coordinates + "}}";
}

// KML ------------------------------------------------------------------

std::string KmlCoordinates(const std::vector<Place>& places) {
  std::string out;
  for (const Place& p : places) out += (out.empty() ? "" : " ") + Degrees(p.lon) + "," + Degrees(p.lat);
  return "<coordinates>" + out + "</coordinates>";
}

std::string Placemark(const std::string& name, const std::string& extra, const std::string& geometry) {
  return "<Placemark><name>" + XmlText(name) + "</name>" + extra + geometry + "</Placemark>\n";
}

// GPX ------------------------------------------------------------------

std::string GpxPoint(const char* tag, const Place& p, const std::string& inside = "") {
  return std::string("<") + tag + " lat=\"" + Degrees(p.lat) + "\" lon=\"" + Degrees(p.lon) + "\"" +
         (inside.empty() ? "/>" : ">" + inside + "</" + tag + ">");
}

std::string GpxTrack(const std::string& name, const std::vector<Place>& places, bool timed) {
  std::string out = "<trk><name>" + XmlText(name) + "</name><trkseg>\n";
  for (const Place& p : places) out += GpxPoint("trkpt", p, timed ? "<time>" + TimeText(p.time) + "</time>" : "") + "\n";
  return out + "</trkseg></trk>\n";
}

}  // namespace

std::string HuntGeoJson(const std::deque<LineOfBearing>& lines, const DfEstimate& e) {
  const Shapes s = ShapesOf(lines, e);
  std::vector<std::string> features;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineOfBearing& l = lines[i];
    const Place car{l.latitude, l.longitude, 0};
    features.push_back(JsonFeature("\"kind\":\"line\",\"time\":\"" + TimeText(l.time) + "\",\"bearing\":" +
                                       Number(l.bearing) + ",\"quality\":" +
                                       (l.quality == kNoQuality ? "null" : QualityText(l.quality)) +
                                       ",\"source\":" + JsonText(l.source),
                                   "LineString", JsonPositions({car, s.lineEnds[i]})));
  }
  if (s.track.size() >= 2) features.push_back(JsonFeature("\"kind\":\"track\"", "LineString", JsonPositions(s.track)));
  if (s.estimate) {
    features.push_back(JsonFeature("\"kind\":\"estimate\",\"semiMajor\":" + Number(e.semiMajor) + ",\"semiMinor\":" +
                                       Number(e.semiMinor) + ",\"orientation\":" + Number(e.orientation) +
                                       ",\"used\":" + NumText(static_cast<long long>(e.used)) +
                                       ",\"rejected\":" + NumText(static_cast<long long>(e.rejected)),
                                   "Point", JsonPosition(s.centre)));
  }
  if (!s.ellipse.empty())
    features.push_back(JsonFeature("\"kind\":\"ellipse\"", "Polygon", "[" + JsonPositions(s.ellipse) + "]"));
  std::string out = "{\"type\":\"FeatureCollection\",\"features\":[\n";
  for (std::size_t i = 0; i < features.size(); ++i) out += features[i] + (i + 1 < features.size() ? ",\n" : "\n");
  return out + "]}\n";
}

std::string HuntKml(const std::deque<LineOfBearing>& lines, const DfEstimate& e) {
  const Shapes s = ShapesOf(lines, e);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
      "<Document><name>Hunt</name>\n<Folder><name>Lines</name>\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineOfBearing& l = lines[i];
    out += Placemark(LineName(i, l), "<TimeStamp><when>" + TimeText(l.time) + "</when></TimeStamp>",
                     "<LineString>" + KmlCoordinates({{l.latitude, l.longitude, 0}, s.lineEnds[i]}) + "</LineString>");
  }
  out += "</Folder>\n<Folder><name>Track</name>\n";
  if (s.track.size() >= 2) out += Placemark("Track", "", "<LineString>" + KmlCoordinates(s.track) + "</LineString>");
  out += "</Folder>\n<Folder><name>Estimate</name>\n";
  if (s.estimate)
    out += Placemark("TX", "<description>" + XmlText(EllipseText(e)) + "</description>",
                     "<Point>" + KmlCoordinates({s.centre}) + "</Point>");
  if (!s.ellipse.empty())
    out += Placemark("95 % ellipse", "",
                     "<Polygon><outerBoundaryIs><LinearRing>" + KmlCoordinates(s.ellipse) +
                         "</LinearRing></outerBoundaryIs></Polygon>");
  return out + "</Folder>\n</Document>\n</kml>\n";
}

std::string HuntGpx(const std::deque<LineOfBearing>& lines, const DfEstimate& e) {
  const Shapes s = ShapesOf(lines, e);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Koralin GPS Readout\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
  if (s.estimate)
    out += GpxPoint("wpt", s.centre, "<name>TX</name><desc>" + XmlText(EllipseText(e)) + "</desc>") + "\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineOfBearing& l = lines[i];
    out += "<rte><name>" + XmlText(LineName(i, l)) + "</name>" + GpxPoint("rtept", {l.latitude, l.longitude, 0}) +
           GpxPoint("rtept", s.lineEnds[i]) + "</rte>\n";
  }
  if (s.track.size() >= 2) out += GpxTrack("Track", s.track, true);
  if (!s.ellipse.empty()) out += GpxTrack("95 % ellipse", s.ellipse, false);
  return out + "</gpx>\n";
}

}  // namespace koralin
