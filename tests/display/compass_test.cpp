#include "display/compass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "common/basic.h"
#include "support/fakes.h"

namespace koralin {
namespace {

std::string Deg(const std::string& s) { return Replace(s, "~", std::string(1, kDegree)); }

constexpr float kCentre = 967;  // 1935 twips square, halved
constexpr float kNeedle = 767 * 0.95f;

struct Rose : test::TestRig {
  Rose() { FillCompassTexts(app); }
  // A GPS course at a speed; status "A".
  void Course(const std::string& course, const std::string& knots, int minimum = 0) {
    app.fix.RmcStatus = "A";
    app.fix.CourseText = Deg(course);
    app.fix.SpeedKnotsText = knots;
    app.settings.MinGpsSpeedOut = minimum;
    DrawCompass(app);
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

TEST(DrawCompass, NeedleAndBarbsPointAlongTheHeadingAndItsTextAvoidsIt) {
  const struct { const char* course; float sin, cos, textY; } cases[] = {
      {"000.0~", 0, 1, kCentre + 200},  {"090.0~", 1, 0, kCentre - 400},   {"180.0~", 0, -1, kCentre - 400},
      {"270.0~", -1, 0, kCentre + 200},  // both halves meet: below
      {"315.0~", -0.70710678f, 0.70710678f, kCentre + 200}, {"269.0~", -0.9998477f, -0.0174524f, kCentre - 400},
      {"400.0~", 0.6427876f, 0.7660444f, kRoseLineHeight},  // below the time
  };
  for (const auto& c : cases) {
    Rose r;
    r.Course(c.course, "20");
    const auto n = r.Of(DrawKind::kLine, true);
    ASSERT_EQ(n.size(), 1u) << c.course;
    EXPECT_NEAR(n[0].x2, kCentre + kNeedle * c.sin, 0.1) << c.course;
    EXPECT_NEAR(n[0].y2, kCentre - kNeedle * c.cos, 0.1) << c.course;
    EXPECT_EQ(n[0].colour, colour::kWhite) << c.course;
    const DrawItem text = r.Of(DrawKind::kText).front();
    EXPECT_TRUE(text.text == Deg(Left(c.course, 5) + "~") && text.x1 == kCentre - 240 && text.y1 == c.textY) << c.course;
    // Two barbs a tenth of the picture long meet at the tip, thirty degrees either side.
    const auto barbs = r.Barbs();
    ASSERT_EQ(barbs.size(), 2u) << c.course;
    for (const DrawItem& b : barbs) {
      EXPECT_NEAR(b.x2, n[0].x2, 0.01);
      EXPECT_NEAR(b.y2, n[0].y2, 0.01);
      const float along = ((n[0].x2 - b.x1) * c.sin - (n[0].y2 - b.y1) * c.cos) / 193.5f;
      EXPECT_NEAR(along, 0.8660254f, 0.001) << c.course;
    }
  }
}

TEST(DrawCompass, SlowSpeedsRedNeedleOrNoCourseFluxGateCyanRingNoHeadingTheRoseAlone) {
  const struct { const char* knots; int minimum; bool needle; Colour needleColour, centre; } cases[] = {
      {"5", 5, true, colour::kRed, colour::kGreen},      // at the minimum: red, no barbs
      {"2", 5, false, {}, colour::kMagenta},             // below it with a fix: no course
      {"0", 0, true, colour::kRed, colour::kGreen},      // standstill
      {"0.1", 0, true, colour::kWhite, colour::kGreen},  // minimum zero is never magenta
  };
  for (const auto& c : cases) {
    Rose r;
    r.app.fix.CourseColour = colour::kGreen;
    r.Course("045.0~", c.knots, c.minimum);
    const auto n = r.Of(DrawKind::kLine, true);
    EXPECT_EQ(n.size() * 10 + r.Barbs().size(), c.needle ? (c.needleColour == colour::kWhite ? 12u : 10u) : 0u) << c.knots;
    EXPECT_TRUE((n.empty() || n[0].colour == c.needleColour) && r.Of(DrawKind::kCircle)[1].fill == c.centre) << c.knots;
  }
  Rose rose;  // no heading: the rose alone; a flux-gate heading: a cyan ring
  DrawCompass(rose.app);
  ASSERT_EQ(rose.Of(DrawKind::kText).size(), 1u);
  EXPECT_EQ(rose.Of(DrawKind::kText)[0].text, "12:00:00");  // the PC's time
  EXPECT_TRUE(rose.Of(DrawKind::kLine, true).empty() && rose.Of(DrawKind::kCircle)[0].colour == colour::kBlue);
  rose.app.fix.RmcStatus = "V";
  rose.app.fix.SpeedKnotsText = "0";
  rose.app.heading.FluxHeadingText = "123";
  DrawCompass(rose.app);
  const auto circles = rose.Of(DrawKind::kCircle);
  EXPECT_TRUE(circles[0].colour == colour::kCyan && circles[1].fill == colour::kBlue);
  EXPECT_EQ(rose.Of(DrawKind::kText).front().text, Deg("123.0~"));
  EXPECT_EQ(rose.Of(DrawKind::kLine, true).at(0).colour, colour::kRed);  // standing still
}

TEST(DrawCompass, TicksEvery22Point5Or10DegreesAndCompassTextsWhoseSectorsTieToTheEvenIndex) {
  Rose r;
  for (bool tens : {false, true, false}) {
    r.app.form1.mnuReflines.SetChecked(!tens);
    r.app.form1.mnuReflines.Click();
    std::map<Colour, int> colours;
    for (const DrawItem& l : r.Of(DrawKind::kLine)) ++colours[l.colour];
    colours.emplace(colour::kMagenta, 0);
    const std::map<Colour, int> expected{
        {colour::kRed, 1}, {colour::kBlack, 3}, {colour::kMagenta, tens ? 8 : 0}, {colour::kGreen, tens ? 24 : 12}};
    EXPECT_EQ(colours, expected) << tens;
  }
  // The compass texts: sectors tie to the even index.
  const struct { const char* course; const char* text; } sectors[] = {
      {"000.0~", "North      "}, {"11.25", "North      "}, {"11.26", "North-east "}, {"33.75", "East       "},
      {"123.7", "East       "},  {"123.75", "South-east "}, {"146.26", "South      "}, {"213.75", "South-west "},
      {"236.26", "West       "}, {"303.75", "North-west "}, {"326.26", "North      "}, {"348.75", "North-north"},
      {"371.25", "North-north"}, {"371.26", "---"},         {"---~", "---"},         {"-5", "---"},
  };
  for (const auto& c : sectors) EXPECT_EQ(CompassTextOf(r.app, Deg(c.course)), c.text) << c.course;
}

}  // namespace
}  // namespace koralin
