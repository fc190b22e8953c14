#include "display/df_picture.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Gnomonic.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <numbers>
#include <string>

#include "common/basic.h"

namespace koralin {

namespace {

using GeographicLib::Geodesic;
using GeographicLib::Gnomonic;

constexpr float kLineHeight = 240;  // one printed line, twips
constexpr float kMarkRadius = 75;
constexpr float kCarRadius = 60;
constexpr double kMinSpan = 200;        // metres shown at least across the picture
constexpr double kMaxReach = 5.0e6;     // metres; the gnomonic plane ends at a quarter of the globe
constexpr std::size_t kMaxTrack = 2000; // corners of the track's polyline
constexpr int kEllipseCorners = 72;

const Gnomonic& Projection() {
  static const Gnomonic g(Geodesic::WGS84());
  return g;
}

// Metres east and north of the picture's centre of projection.
struct Plane {
  double lat0 = 0, lon0 = 0;
  bool Forward(double lat, double lon, double& x, double& y) const {
    double azi = 0, rk = 0;
    Projection().Forward(lat0, lon0, lat, lon, x, y, azi, rk);
    return std::isfinite(x) && std::isfinite(y);
  }
};

// Plane metres to twips: the box's centre shows (midX, midY).
struct View {
  double midX = 0, midY = 0, scale = 1;  // twips per metre
  float width = 0, height = 0;
  DrawPoint At(double x, double y) const {
    return {static_cast<float>(width / 2 + (x - midX) * scale), static_cast<float>(height / 2 - (y - midY) * scale)};
  }
};

Colour Fade(Colour c, Colour back, double strength) {
  const auto mix = [strength](int a, int b) { return static_cast<Colour>(std::lround(b + (a - b) * strength)); };
  return mix(RedOf(c), RedOf(back)) | mix(GreenOf(c), GreenOf(back)) << 8 | mix(BlueOf(c), BlueOf(back)) << 16;
}

DrawItem Segment(Colour c, int width, DrawPoint a, DrawPoint b, bool dashed = false) {
  DrawItem d;
  d.colour = c, d.width = width, d.dashed = dashed;
  d.x1 = a.x, d.y1 = a.y, d.x2 = b.x, d.y2 = b.y;
  return d;
}

DrawItem Polyline(Colour c, int width, std::vector<DrawPoint> points) {
  DrawItem d;
  d.kind = DrawKind::kPolyline;
  d.colour = c, d.width = width;
  d.points = std::move(points);
  return d;
}

DrawItem Disc(Colour c, DrawPoint at, float radius) {
  DrawItem d;
  d.kind = DrawKind::kCircle;
  d.colour = c, d.fill = c, d.filled = true;
  d.x1 = at.x, d.y1 = at.y, d.radius = radius;
  return d;
}

DrawItem Text(float x, float y, std::string text) {
  DrawItem d;
  d.kind = DrawKind::kText;
  d.colour = df_colour::kText;
  d.x1 = x, d.y1 = y;
  d.text = std::move(text);
  return d;
}

// The ellipse's outline on the ellipsoid, walked from the estimate.
std::vector<std::pair<double, double>> EllipseOutline(const DfEstimate& e, const Plane& plane) {
  std::vector<std::pair<double, double>> out;
  const double theta = e.orientation * std::numbers::pi / 180;
  for (int k = 0; k <= kEllipseCorners; ++k) {
    const double t = 2 * std::numbers::pi * (k % kEllipseCorners) / kEllipseCorners;
    const double a = e.semiMajor * std::cos(t), b = e.semiMinor * std::sin(t);
    const double east = a * std::sin(theta) + b * std::cos(theta), north = a * std::cos(theta) - b * std::sin(theta);
    double lat = 0, lon = 0, x = 0, y = 0;
    Geodesic::WGS84().Direct(e.latitude, e.longitude, std::atan2(east, north) * 180 / std::numbers::pi,
                             std::hypot(east, north), lat, lon);
    if (plane.Forward(lat, lon, x, y)) out.emplace_back(x, y);
  }
  return out;
}

// The view holding every point, with a margin.
View Fit(const std::vector<std::pair<double, double>>& points, float width, float height) {
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (!points.empty()) x0 = x1 = points[0].first, y0 = y1 = points[0].second;
  for (const auto& [x, y] : points) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  View v;
  v.width = width, v.height = height;
  v.midX = (x0 + x1) / 2, v.midY = (y0 + y1) / 2;
  v.scale = 0.85 * std::min(width / std::max(x1 - x0, kMinSpan), height / std::max(y1 - y0, kMinSpan));
  return v;
}

std::string Distance(double metres) {
  if (metres < 1000) return Format(metres, "0") + " m";
  return Format(metres / 1000, metres < 10000 ? "0.00" : "0.0") + " km";
}

// A bar of 1, 2 or 5 times a power of ten metres, about a quarter of the width at most.
void ScaleBar(const View& v, std::vector<DrawItem>& items) {
  const double most = v.width / 4 / v.scale;
  double bar = std::pow(10.0, std::floor(std::log10(most)));
  for (double m : {5.0, 2.0})
    if (bar * m <= most) {
      bar *= m;
      break;
    }
  const float x = 200, y = v.height - 200, len = static_cast<float>(bar * v.scale);
  items.push_back(Segment(df_colour::kText, 2, {x, y}, {x + len, y}));
  items.push_back(Segment(df_colour::kText, 2, {x, y - 60}, {x, y + 60}));
  items.push_back(Segment(df_colour::kText, 2, {x + len, y - 60}, {x + len, y + 60}));
  items.push_back(Text(x, y - 60 - kLineHeight, Distance(bar)));
}

void NorthArrow(float width, std::vector<DrawItem>& items) {
  const float x = width - 250;
  items.push_back(Segment(df_colour::kText, 2, {x, 500}, {x, 150}));
  items.push_back(Segment(df_colour::kText, 2, {x - 60, 250}, {x, 150}));
  items.push_back(Segment(df_colour::kText, 2, {x + 60, 250}, {x, 150}));
  items.push_back(Text(x - 50, 520, "N"));
}

}  // namespace

Colour CarColour(const std::string& source) {
  if (source == "serial" || source == "companion" || source.empty()) return df_colour::kLine;
  // Dark enough to read on white, far from the line's blue and the marks.
  static constexpr Colour kCars[] = {0x0000C0, 0x008000, 0x800080, 0x008080, 0x004080, 0x606000, 0xC000C0, 0x404040};
  std::uint32_t h = 2166136261u;  // FNV-1a: the same on every machine
  for (const unsigned char c : source) h = (h ^ c) * 16777619u;
  return kCars[h % std::size(kCars)];
}

std::vector<DrawItem> DfPicture(const DfHunt& hunt, const HuntRules& rules, float width, float height) {
  std::vector<DrawItem> items;
  if (width <= 0 || height <= 0) return items;  // no room yet: the face has not sized it
  const std::deque<LineOfBearing>& lines = hunt.Lines();
  const DfEstimate& e = hunt.Estimate();
  const bool placed = e.state == DfState::kEstimate;
  if (lines.empty() && !placed) {
    items.push_back(Text(100, 100, DfStateText(e.state)));
    return items;
  }
  const LineOfBearing* car = lines.empty() ? nullptr : &lines.back();
  const Plane plane{placed ? e.latitude : car->latitude, placed ? e.longitude : car->longitude};

  std::vector<std::pair<double, double>> track;
  const std::size_t step = lines.size() / kMaxTrack + 1;
  for (std::size_t i = 0; i < lines.size(); i += step) {
    double x = 0, y = 0;
    if (plane.Forward(lines[i].latitude, lines[i].longitude, x, y)) track.emplace_back(x, y);
  }
  double carX = 0, carY = 0;
  const bool carShown = car && plane.Forward(car->latitude, car->longitude, carX, carY);
  if (carShown && step > 1) track.emplace_back(carX, carY);
  const auto ellipse = placed ? EllipseOutline(e, plane) : std::vector<std::pair<double, double>>{};
  std::vector<std::pair<double, double>> all = track;
  all.insert(all.end(), ellipse.begin(), ellipse.end());
  all.emplace_back(placed ? 0.0 : carX, placed ? 0.0 : carY);
  const View v = Fit(all, width, height);

  // The lines, oldest first so the newest lie on top, reaching past the picture.
  const std::vector<double> weights = hunt.Weights(rules);
  const double reach = std::min(kMaxReach, 2 * std::hypot(width, height) / v.scale);
  const std::size_t first = lines.size() - std::min(lines.size(), kDfLinesDrawn);
  for (std::size_t i = first; i < lines.size(); ++i) {
    const LineOfBearing& l = lines[i];
    double px = 0, py = 0, lat = 0, lon = 0, qx = 0, qy = 0;
    if (!plane.Forward(l.latitude, l.longitude, px, py)) continue;
    const double far = std::min(kMaxReach, reach + std::hypot(px - v.midX, py - v.midY));
    Geodesic::WGS84().Direct(l.latitude, l.longitude, l.bearing, far, lat, lon);
    if (!plane.Forward(lat, lon, qx, qy)) continue;
    const bool rejected = weights[i] <= 0 || (i < e.outlier.size() && e.outlier[i]);
    const double strength = 0.15 + 0.85 * static_cast<double>(i - first + 1) / static_cast<double>(lines.size() - first);
    const Colour c = Fade(rejected ? df_colour::kRejected : CarColour(l.source), df_colour::kBack, strength);
    items.push_back(Segment(c, 2, v.At(px, py), v.At(qx, qy), rejected));
  }

  std::vector<DrawPoint> corners;
  for (const auto& [x, y] : track) corners.push_back(v.At(x, y));
  if (corners.size() > 1) items.push_back(Polyline(df_colour::kTrack, 1, std::move(corners)));
  if (carShown) items.push_back(Disc(df_colour::kCar, v.At(carX, carY), kCarRadius));

  std::vector<std::string> texts;
  if (placed) {
    std::vector<DrawPoint> outline;
    for (const auto& [x, y] : ellipse) outline.push_back(v.At(x, y));
    items.push_back(Polyline(df_colour::kEllipse, 2, std::move(outline)));
    items.push_back(Disc(df_colour::kMark, v.At(0, 0), kMarkRadius));
    if (car) {
      double s12 = 0, azi1 = 0, azi2 = 0;
      Geodesic::WGS84().Inverse(car->latitude, car->longitude, e.latitude, e.longitude, s12, azi1, azi2);
      texts.push_back("Estimate " + Distance(s12) + " at " + Format(std::fmod(std::round(azi1) + 360, 360.0), "000") + kDegree +
                      " from the car");
    }
    texts.push_back("95 %: " + Distance(e.semiMajor) + " x " + Distance(e.semiMinor));
  } else {
    texts.push_back(DfStateText(e.state));
  }
  texts.push_back(NumText(static_cast<long long>(lines.size())) + " lines, " + NumText(e.used) + " used, " +
                  NumText(e.rejected) + " rejected");
  for (std::size_t k = 0; k < texts.size(); ++k) items.push_back(Text(100, 100 + kLineHeight * static_cast<float>(k), texts[k]));
  ScaleBar(v, items);
  NorthArrow(width, items);
  return items;
}

}  // namespace koralin
