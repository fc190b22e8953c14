// The window's faces: the compass rose, the speed, the layout, the minimal display and the DF window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/app.h"
#include "app/df_intake.h"
#include "app/keys_and_mouse.h"
#include "common/basic.h"
#include "display/compass.h"
#include "display/df_picture.h"
#include "display/df_window.h"
#include "display/frame_caption.h"
#include "display/layout.h"
#include "display/minimal.h"
#include "display/speed.h"
#include "support/df_hunt.h"
#include "support/fakes.h"

namespace koralin {
namespace {

std::string Deg(const std::string& s) { return Replace(s, "~", std::string(1, kDegree)); }

constexpr float kCentre = 735;  // 1470 twips square, halved
constexpr float kNeedle = 535 * 0.95f;

struct Rose : test::TestRig {
  Rose() { FillCompassTexts(app); }
  void Course(const std::string& course, const std::string& knots, int minimum = 0) {
    app.fix.RmcStatus = "A", app.fix.CourseText = Deg(course), app.fix.SpeedKnotsText = knots;
    app.settings.MinGpsSpeedOut = minimum, DrawCompass(app);
  }
  std::vector<DrawItem> Of(DrawKind kind, bool needles = false) const {
    std::vector<DrawItem> out;
    for (const DrawItem& i : app.form1.Picture1.Items())
      if (i.kind == kind && (!needles || (i.x1 == kCentre && i.y1 == kCentre))) out.push_back(i);
    return out;
  }
  // Red lines that end within the needle's reach: the barbs.
  std::vector<DrawItem> Barbs() const {
    std::vector<DrawItem> out;
    for (const DrawItem& i : Of(DrawKind::kLine))
      if (i.colour == colour::kRed && i.x1 != kCentre && std::hypot(i.x2 - kCentre, i.y2 - kCentre) < kNeedle + 1)
        out.push_back(i);
    return out;
  }
};

TEST(DrawCompass, TheNeedleWithTwoBarbsPointsAlongTheCourse) {
  const struct { const char* course; float sin, cos, textY; } cases[] = {
      {"000.0~", 0, 1, kCentre + 200},  {"090.0~", 1, 0, kCentre - 400},   {"180.0~", 0, -1, kCentre - 400},
      {"270.0~", -1, 0, kCentre + 200},  // both halves meet: below
      {"315.0~", -0.70710678f, 0.70710678f, kCentre + 200}, {"269.0~", -0.9998477f, -0.0174524f, kCentre - 400},
      {"400.0~", 0.6427876f, 0.7660444f, kRoseLineHeight},  // below the time
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.course);
    Rose r;
    r.Course(c.course, "20");
    const auto n = r.Of(DrawKind::kLine, true);
    ASSERT_EQ(n.size(), 1u);
    EXPECT_NEAR(std::hypot(n[0].x2 - kCentre - kNeedle * c.sin, n[0].y2 - kCentre + kNeedle * c.cos), 0, 0.1);
    const DrawItem text = r.Of(DrawKind::kText).front();
    EXPECT_TRUE(text.text == Deg(Left(c.course, 5) + "~") && text.x1 == kCentre - 240 && text.y1 == c.textY);
    // Two barbs a tenth of the picture long meet at the tip, thirty degrees either side.
    const auto barbs = r.Barbs();
    ASSERT_EQ(barbs.size(), 2u);
    for (const DrawItem& b : barbs) {
      EXPECT_NEAR(std::hypot(b.x2 - n[0].x2, b.y2 - n[0].y2), 0, 0.01);
      EXPECT_NEAR(((n[0].x2 - b.x1) * c.sin - (n[0].y2 - b.y1) * c.cos) / 147.0f, 0.8660254f, 0.001) << "cos 30";
    }
  }
}

TEST(DrawCompass, ASlowCourseIsRedWithoutBarbsOrGoneBelowTheMinimum) {
  const struct { const char* knots; int minimum; bool needle; Colour needleColour, centre; } slow[] = {
      {"5", 5, true, colour::kRed, colour::kGreen},      // at the minimum: red, no barbs
      {"2", 5, false, {}, colour::kMagenta},             // below it with a fix: no course
      {"0", 0, true, colour::kRed, colour::kGreen},      // standstill
      {"0.1", 0, true, colour::kWhite, colour::kGreen},  // minimum zero is never magenta
  };
  for (const auto& c : slow) {
    Rose r;
    r.app.fix.CourseColour = colour::kGreen;
    r.Course("045.0~", c.knots, c.minimum);
    const auto n = r.Of(DrawKind::kLine, true);
    EXPECT_EQ(n.size() * 10 + r.Barbs().size(), c.needle ? (c.needleColour == colour::kWhite ? 12u : 10u) : 0u) << c.knots;
    EXPECT_TRUE((n.empty() || n[0].colour == c.needleColour) && r.Of(DrawKind::kCircle)[1].fill == c.centre) << c.knots;
  }
}

TEST(DrawCompass, WithoutACourseTheRoseShowsTheFluxHeadingOrElseThePcTime) {
  const struct { const char* flux; const char* text; Colour ring, centre; bool needle; } cases[] = {
      {"", "12:00:00", colour::kBlue, colour::kGreen, false}, {"123", "123.0~", colour::kCyan, colour::kBlue, true}};
  for (const auto& c : cases) {
    Rose r;
    r.app.fix.RmcStatus = "V", r.app.fix.SpeedKnotsText = "0", r.app.heading.FluxHeadingText = c.flux;
    DrawCompass(r.app);
    const auto texts = r.Of(DrawKind::kText), circles = r.Of(DrawKind::kCircle), needle = r.Of(DrawKind::kLine, true);
    EXPECT_EQ(texts.front().text + std::to_string(texts.size()), Deg(c.text) + (c.needle ? "2" : "1")) << "the time last";
    EXPECT_TRUE(circles[0].colour == c.ring && (!c.needle || circles[1].fill == c.centre)) << c.flux;
    EXPECT_EQ(needle.size(), c.needle ? 1u : 0u) << c.flux;
    if (c.needle) { EXPECT_EQ(needle[0].colour, colour::kRed) << "standing still"; }
  }
}

TEST(Speed, ShownInEachUnitWithThreeDigitsAndTheBarClamped) {
  const struct { int unit; float knots; const char* speed; double value, barMax; } cases[] = {
      {1, 20, "020.0", 20, 86.3930},       {2, 20, "023.0", 23.0156, 99.4406},  {3, 20, "037.0", 37.04, 160},
      {4, 20, "010.3", 10.2889, 44.4444},  {3, 0, "000.0", 0, 160},             {3, 2.808f, "005.2", 5.2, 160},
      {3, 66.6576f, "123.4", 123.45, 160}, {3, 200, "370.4", 160, 160},         {3, 666.576f, "1234.5", 160, 160},
      {3, -3, "-005.6", 0, 160},
  };
  for (const auto& c : cases) {
    test::TestRig s;
    SpeedSelect(s.app, 3), SpeedSelect(s.app, c.unit), ShowSpeed(s.app, c.knots);  // the unit before is unticked
    const Form1& f = s.app.form1;
    const ProgressBar& bar = f.ProgressBar1;
    const MenuItem* const units[] = {&f.mnuKnots, &f.mnuMiles, &f.mnuKilometres, &f.mnuMetresSec};
    for (int u = 1; u <= 4; ++u) EXPECT_EQ(units[u - 1]->Checked(), u == c.unit) << "unit " << u;
    EXPECT_EQ(f.lblSpeed.Caption(), c.speed) << c.unit << " " << c.knots;
    EXPECT_NEAR(bar.Value(), c.value, 0.01) << c.unit << " " << c.knots;  // unrounded
    EXPECT_NEAR(bar.Max(), c.barMax, 0.001) << c.unit;
  }
}

TEST(Layout, ADoubleClickTogglesThePublishedValuesAndALeftClickTheBar) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  Form1_DblClick(rig.app);
  EXPECT_TRUE(f.lblLat1.Visible() && f.lblDoppler1.Visible() && f.form.Height() == kForm1FrameHeight + kDdeInnerHeight);
  Frame1_DblClick(rig.app);
  EXPECT_FALSE(f.lblLat1.Visible() || f.lblDoppler1.Visible() ||
               f.form.Height() != kForm1FrameHeight + kCompactInnerHeight);
  Frame1_MouseDown(rig.app, button::kLeft, 0, 100, 100);
  EXPECT_TRUE(f.ProgressBar1.Smooth());
}

TEST(MinimalDisplay, ReplacesTheWindowUntilKeyMUnlessTheInputIsOff) {
  const struct { int input; const char* values; Colour back; } cases[] = {  // values nullptr: refused
      {-1, "Demo", colour::kRed}, {3, "No Rx Yet", colour::kButtonFace}, {-2, "No Rx Yet", colour::kButtonFace},
      {0, nullptr, colour::kButtonFace}};
  for (const auto& c : cases) {
    test::TestRig m;
    Settings& s = m.app.settings;
    s.ComPortIn = static_cast<std::int16_t>(c.input), s.MinimalLeft = 1234.5f, s.MinimalTop = 600;
    Window& window = m.app.form1.form;
    window.SetVisible(true);
    m.app.form1.mnuMinimalDisplay.Click();
    const Form5& w = m.app.display.form5;
    const bool shown = c.values != nullptr;
    EXPECT_TRUE(s.MinimalDisplay == shown && w.form.Visible() == shown && window.Visible() != shown) << c.input;
    if (!shown) continue;
    EXPECT_EQ(w.Label2.Caption(), c.values);
    for (Colour back : {w.BackColor(), w.Label1.BackColor(), w.Label2.BackColor()}) EXPECT_EQ(back, c.back) << c.input;
    EXPECT_EQ(w.form.Left() * 10000 + w.form.Top(), 1234 * 10000 + 600);
    Form5_KeyDown(m.app, key::kM, 0);  // M goes back
    EXPECT_FALSE(w.form.Visible() || s.MinimalDisplay || !window.Visible()) << c.input;
  }
}

TEST(FrameCaption, EachReasonHasItsPlaceAndAWarningClearsTheNote) {
  const struct { FrameCaptionReasons r; const char* text; Colour colour; bool underline; } table[] = {
      {{}, "GPS-NMEA-0183", colour::kBlack, true},
      {{"", "", " (Locked 2D)", "", colour::kBlack}, "GPS-NMEA-0183 (Locked 2D)", colour::kBlack, true},
      {{"", "", "", "quiet", colour::kCyan}, "quiet", colour::kCyan, false},
      {{"", "", " CRC error !", "quiet", colour::kCyan}, "GPS-NMEA-0183 CRC error !", colour::kCyan, false},
      {{"", "Com3 lost", " CRC error !", "", colour::kBlack}, "Com3 lost", colour::kRed, false},
      {{"", "Com3 lost", "", "quiet", colour::kMagenta}, "Com3 lost", colour::kMagenta, false},
      {{"Playing", "Com3 lost", " log not written", "quiet", colour::kCyan}, "Playing", colour::kBlue, false},
      {{"Playing", "", " log not written", "", colour::kBlack}, "Playing", colour::kBlue, true},
  };
  for (const auto& row : table) {
    const FrameCaptionLook look = CaptionLook(row.r);
    EXPECT_TRUE(look.text == row.text && look.colour == row.colour && look.underline == row.underline) << row.text;
  }
  test::TestRig rig;  // the warning is newer news: the note is gone (lost ports, restoring: the port tests')
  SetCaptionNote(rig.app, " (Locked 3D)");
  SetNoInputWarning(rig.app, "quiet", colour::kBlue);
  EXPECT_EQ(rig.app.form1.Frame1.Caption(), "quiet");
}

// The DF window's display list: what the core decides to draw of a hunt.
constexpr float kW = 7200, kH = 6000;  // 480 x 400 pixels

const DrawItem* Find(const std::vector<DrawItem>& items, DrawKind kind, Colour c) {
  const auto it = std::find_if(items.begin(), items.end(), [&](const DrawItem& d) { return d.kind == kind && d.colour == c; });
  return it == items.end() ? nullptr : &*it;
}

bool HasText(const std::vector<DrawItem>& items, const std::string& text) {
  return std::any_of(items.begin(), items.end(), [&](const DrawItem& d) { return d.text.find(text) != std::string::npos; });
}

// Crossing count of a ray to the right of (x, y) with the closed polyline.
bool Inside(const std::vector<DrawPoint>& poly, float x, float y) {
  bool in = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
    if ((poly[i].y > y) != (poly[j].y > y) &&
        x < poly[j].x + (poly[i].x - poly[j].x) * (y - poly[j].y) / (poly[i].y - poly[j].y))
      in = !in;
  return in;
}

TEST(DfPicture, EstimateInItsEllipseNorthOfTheCarWithTheSetAsideLinesDashed) {
  DfHunt hunt;
  test::FillSmallHunt(hunt);
  ASSERT_EQ(hunt.Estimate().state, DfState::kEstimate);
  const std::vector<DrawItem> items = DfPicture(hunt, test::kSmallHuntRules, kW, kH);
  const DrawItem* mark = Find(items, DrawKind::kCircle, df_colour::kMark);
  const DrawItem* ellipse = Find(items, DrawKind::kPolyline, df_colour::kEllipse);
  const DrawItem* car = Find(items, DrawKind::kCircle, df_colour::kCar);
  ASSERT_TRUE(mark && ellipse && car);
  EXPECT_TRUE(Inside(ellipse->points, mark->x1, mark->y1) && ellipse->points.front() == ellipse->points.back()) << "closed";
  EXPECT_LT(mark->y1, car->y1 - 1000) << "north up: the transmitter lies 1.5 km north of the drive";
  EXPECT_TRUE(mark->x1 > 0 && mark->x1 < kW);
  std::string lines;  // in the hunt's order, "-" for one set aside
  for (const DrawItem& d : items)
    if (d.kind == DrawKind::kLine && d.width == 2 && d.colour != df_colour::kText) lines += d.dashed ? "-" : "|";
  EXPECT_EQ(lines, "|||||-|||-||");
  EXPECT_TRUE(HasText(items, " from the car") && !HasText(items, "no estimate"));
}

TEST(DfPicture, WithoutAnEstimateTheStateIsSaid) {
  for (const auto& [lines, why] : {std::pair{0, "no lines"}, {2, "two lines"}}) {
    DfHunt hunt;
    if (lines) test::FillSmallHunt(hunt, lines);
    const std::vector<DrawItem> items = DfPicture(hunt, test::kSmallHuntRules, kW, kH);
    EXPECT_TRUE(HasText(items, DfStateText(DfState::kTooFewLines))) << why;
    EXPECT_EQ(Find(items, DrawKind::kCircle, df_colour::kMark), nullptr) << why;
  }
}

// The shown window follows each new estimate and its new size, the hidden one costs nothing.
TEST(DfWindow, IsRedrawnWhenTheEstimateIsMadeAgainWhileShown) {
  for (const bool shown : {true, false}) {
    test::TestRig rig;
    DfForm& d = rig.app.display.dfForm;
    d.picture.SetBounds({0, 0, static_cast<int>(kW), static_cast<int>(kH)});
    if (shown) mnuDfWindow_Click(rig.app);
    rig.app.hunt.rules = test::kSmallHuntRules;
    test::FillSmallHunt(rig.app.hunt.hunt, 12, false);
    UpdateDfEstimate(rig.app);
    EXPECT_EQ(Find(d.picture.Items(), DrawKind::kCircle, df_colour::kMark) != nullptr, shown);
    if (!shown) continue;
    const float x = Find(d.picture.Items(), DrawKind::kCircle, df_colour::kMark)->x1;
    d.picture.SetBounds({0, 0, static_cast<int>(kW) / 2, static_cast<int>(kH) / 2}), d.onResize.Notify();
    EXPECT_LT(Find(d.picture.Items(), DrawKind::kCircle, df_colour::kMark)->x1, x) << "drawn again to its new size";
  }
}

}  // namespace
}  // namespace koralin
