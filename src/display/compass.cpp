#include "display/compass.h"

#include <cmath>
#include <numbers>

#include "app/app.h"
#include "common/basic.h"
#include "display/minimal.h"
#include "display/fix_view.h"
#include "nmea/degrees.h"

namespace koralin {

namespace {

constexpr Colour kRoseGrey = 0x8C8C8C;  // (140, 140, 140)
constexpr int kRingWidth = 5;
constexpr int kLineWidth = 2;
constexpr float kCentreDot = 85;
constexpr float kInnerDot = 15;

float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

DrawItem Line(Colour c, float x1, float y1, float x2, float y2) {
  DrawItem d;
  d.colour = c;
  d.width = kLineWidth;
  d.x1 = x1, d.y1 = y1, d.x2 = x2, d.y2 = y2;
  return d;
}

DrawItem Disc(Colour outline, Colour fill, int width, float x, float y, float r) {
  DrawItem d;
  d.kind = DrawKind::kCircle;
  d.colour = outline;
  d.width = width;
  d.x1 = x, d.y1 = y, d.radius = r;
  d.filled = true;
  d.fill = fill;
  return d;
}

DrawItem Text(Colour c, float x, float y, std::string text) {
  DrawItem d;
  d.kind = DrawKind::kText;
  d.colour = c;
  d.x1 = x, d.y1 = y;
  d.text = std::move(text);
  return d;
}

std::string TimeOfDay(App& app) {
  const DateTime t = app.platform.system.Now();
  return Format(static_cast<double>(t.hour * 10000 + t.minute * 100 + t.second), "00:00:00");
}

// Where the heading text goes: below the centre while the needle points up,
// above it while it points down, so the needle never covers it.
float HeadingTextTop(const DisplayState& d, double v) {
  if ((v >= 0 && v <= 89.99) || (v >= 269.99 && v <= 360)) return d.CompassCentreY + 200;
  if (v >= 90 && v <= 270) return d.CompassCentreY - 400;
  return kRoseLineHeight;  // the line below the time
}

void DrawNeedle(App& app, std::vector<DrawItem>& items, const std::string& h, double speed) {
  const DisplayState& d = app.display;
  const double v = Val(h);
  const float a = Radians(static_cast<float>(v) - 90);
  const float tipX = std::cos(a) * d.NeedleLength + d.CompassCentreX;
  const float tipY = std::sin(a) * d.NeedleLength + d.CompassCentreY;
  if (speed <= app.settings.MinGpsSpeedOut) {
    items.push_back(Line(colour::kRed, d.CompassCentreX, d.CompassCentreY, tipX, tipY));
  } else {
    items.push_back(Line(colour::kWhite, d.CompassCentreX, d.CompassCentreY, tipX, tipY));
    DrawArrowHead(app, items, h, 7, tipX, tipY);
  }
  items.push_back(Text(colour::kCyan, d.CompassCentreX - 240, HeadingTextTop(d, v), FormatHeading(h)));
}

struct Tick {
  float factor;
  Colour colour;
};

Tick TickAt(float deg) {
  if (deg == 0) return {1.1f, colour::kRed};
  if (deg == 90 || deg == 180 || deg == 270) return {1.1f, colour::kBlack};
  for (float m : {30.f, 60.f, 120.f, 150.f, 210.f, 240.f, 300.f, 330.f})
    if (deg == m) return {1.09f, colour::kMagenta};
  return {1.04f, colour::kGreen};
}

void DrawTicks(App& app, std::vector<DrawItem>& items) {
  const DisplayState& d = app.display;
  const float r = d.CompassRadius + 50;
  const float spacing = app.form1.mnuReflines.Checked() ? 10.0f : 22.5f;
  // The ticks only move with the geometry and the spacing; the rose is
  // redrawn on every poll, so they are worked out once.
  struct Cache {
    float cx = -1, cy = -1, r = -1, spacing = -1;
    std::vector<DrawItem> lines;
  };
  static Cache cache;
  if (cache.cx != d.CompassCentreX || cache.cy != d.CompassCentreY || cache.r != r || cache.spacing != spacing) {
    cache = {d.CompassCentreX, d.CompassCentreY, r, spacing, {}};
    for (float deg = 0; deg <= 359.9999f; deg += spacing) {
      const Tick t = TickAt(deg);
      const float b = Radians(deg - 90);
      const float dx = std::cos(b) * r, dy = std::sin(b) * r;
      cache.lines.push_back(Line(t.colour, d.CompassCentreX + dx, d.CompassCentreY + dy,
                                 d.CompassCentreX + t.factor * dx, d.CompassCentreY + t.factor * dy));
    }
  }
  items.insert(items.end(), cache.lines.begin(), cache.lines.end());
}

}  // namespace

void SetCompassGeometry(App& app) {
  DisplayState& d = app.display;
  const PictureBox& p = app.form1.Picture1;
  d.CompassCentreX = static_cast<float>(static_cast<long long>(RoundHalfEven(double(p.ScaleWidth()))) / 2);
  d.CompassCentreY = static_cast<float>(static_cast<long long>(RoundHalfEven(double(p.ScaleHeight()))) / 2);
  d.CompassRadius = d.CompassCentreX - 200;
  d.NeedleLength = d.CompassRadius * 0.95f;
}

void DrawCompass(App& app) {
  DisplayState& d = app.display;
  FixState& fix = app.fix;
  std::string h = GetHeadingText(app);
  if (h == std::string("---") + kDegree) h.clear();

  // What seldom changes comes first, so that a painter may keep it: the ring
  // and the ticks outside it, which the needle never reaches. The time of day
  // changes every second and goes last.
  std::vector<DrawItem> items;
  items.reserve(48);
  Colour ring = colour::kBlue;
  if (h.find('F') != std::string::npos) {
    ring = colour::kCyan;
    fix.CourseColour = colour::kBlue;
  }
  items.push_back(Disc(ring, colour::kBlack, kRingWidth, d.CompassCentreX, d.CompassCentreY, d.CompassRadius));
  DrawTicks(app, items);

  const double speed = Val(fix.SpeedKnotsText);
  if (!h.empty()) DrawNeedle(app, items, h, speed);

  if (fix.RmcStatus == "A" && speed < app.settings.MinGpsSpeedOut) fix.CourseColour = colour::kMagenta;
  items.push_back(
      Disc(fix.CourseColour, fix.CourseColour, kLineWidth, d.CompassCentreX, d.CompassCentreY, kCentreDot));
  items.push_back(Disc(colour::kWhite, colour::kWhite, kLineWidth, d.CompassCentreX, d.CompassCentreY, kInnerDot));
  items.push_back(Text(colour::kBlack, 0, 0, TimeOfDay(app)));
  app.form1.Picture1.SetDrawing(kRoseGrey, std::move(items));
}

void DrawArrowHead(App& app, std::vector<DrawItem>& items, std::string_view heading, std::int16_t barbs,
                   float tipX, float tipY) {
  const float s = 100.0f - 10.0f * barbs;
  const float length = static_cast<float>(app.form1.Picture1.Bounds().width) / 10.0f;
  const float base = static_cast<float>(Val(heading)) - 90.0f;
  for (float angle : {base + s, base - s}) {
    const float a = Radians(angle);
    items.push_back(Line(colour::kRed, tipX - std::cos(a) * length, tipY - std::sin(a) * length, tipX, tipY));
  }
}

void ShowTurnPrompt(App& app) {
  static constexpr const char* kSteps[] = {"\\", "0", "/", "-"};
  std::int16_t& step = app.display.TurnPromptStep;
  ++step;
  if (step < 0 || step > 3) step = 0;  // only reachable through a corrupted counter
  const std::string c = kSteps[step];
  if (step == 3) step = -1;
  app.form1.lblTurnPrompt.SetCaption(c);
  if (app.settings.MinimalDisplay) {
    LoadForm5(app);
    app.display.form5.Command1.SetCaption("&Main (" + c + ")");
  }
}

void FillCompassTexts(App& app) {
  static constexpr const char* kTexts[18] = {
      "North      ", "North-east ", "East       ", "East       ", "East       ", "East       ",
      "South-east ", "South      ", "South      ", "South      ", "South-west ", "West       ",
      "West       ", "West       ", "North-west ", "North      ", "North-north", "---"};
  for (std::size_t i = 0; i < 18; ++i) app.CompassTexts[i] = kTexts[i];
}

const std::string& CompassTextOf(App& app, std::string_view course) {
  double i = RoundHalfEven(Val(course) / 22.5);
  if (i < 0 || i > 16 || course.find('-') != std::string_view::npos) i = 17;
  return app.CompassTexts[static_cast<std::size_t>(i)];
}

void mnuReflines_Click(App& app) {
  app.form1.mnuReflines.SetChecked(!app.form1.mnuReflines.Checked());
  DrawCompass(app);
}

}  // namespace koralin
