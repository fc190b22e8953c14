#include "display/compass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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
  std::vector<DrawItem> Of(DrawKind kind) const {
    std::vector<DrawItem> out;
    for (const DrawItem& i : app.form1.Picture1.Items())
      if (i.kind == kind) out.push_back(i);
    return out;
  }
  // Lines that start at the centre: the needle.
  std::vector<DrawItem> Needles() const {
    auto l = Of(DrawKind::kLine);
    std::erase_if(l, [](const DrawItem& i) { return i.x1 != kCentre || i.y1 != kCentre; });
    return l;
  }
  // Barbs end at the needle's tip and are red.
  std::vector<DrawItem> Barbs() const {
    auto l = Of(DrawKind::kLine);
    std::erase_if(l, [](const DrawItem& i) {
      return i.colour != colour::kRed || (i.x1 == kCentre && i.y1 == kCentre) ||
             std::hypot(i.x2 - kCentre, i.y2 - kCentre) >= kNeedle + 1;
    });
    return l;
  }
  std::vector<DrawItem> Texts() const { return Of(DrawKind::kText); }
  std::vector<DrawItem> Circles() const { return Of(DrawKind::kCircle); }
  int Ticks() const { return static_cast<int>(Of(DrawKind::kLine).size() - Needles().size() - Barbs().size()); }
};

TEST(DrawCompass, NeedlePointsAlongTheHeadingAndItsTextAvoidsIt) {
  const struct {
    const char* course;
    float tipX, tipY;
    float textY;
  } cases[] = {
      {"000.0~", kCentre, kCentre - kNeedle, kCentre + 200},  // up, text below
      {"090.0~", kCentre + kNeedle, kCentre, kCentre - 400},  // right, text above
      {"180.0~", kCentre, kCentre + kNeedle, kCentre - 400},  // down, text above
      {"270.0~", kCentre - kNeedle, kCentre, kCentre + 200},  // both halves meet: below
      {"315.0~", kCentre - kNeedle * 0.70710678f, kCentre - kNeedle * 0.70710678f, kCentre + 200},
      {"269.0~", kCentre - kNeedle * 0.9998477f, kCentre - kNeedle * -0.0174524f, kCentre - 400},
      {"400.0~", kCentre + kNeedle * 0.6427876f, kCentre - kNeedle * 0.7660444f, kRoseLineHeight},  // below the time
  };
  for (const auto& c : cases) {
    Rose r;
    r.Course(c.course, "20");
    ASSERT_EQ(r.Needles().size(), 1u) << c.course;
    const DrawItem n = r.Needles()[0];
    EXPECT_NEAR(n.x2, c.tipX, 0.1) << c.course;
    EXPECT_NEAR(n.y2, c.tipY, 0.1) << c.course;
    EXPECT_EQ(n.colour, colour::kWhite) << c.course;
    EXPECT_EQ(r.Barbs().size(), 2u) << c.course;
    const DrawItem text = r.Texts().back();
    EXPECT_EQ(text.text, Deg(Left(c.course, 5) + "~")) << c.course;
    EXPECT_EQ(text.colour, colour::kCyan);
    EXPECT_EQ(text.x1, kCentre - 240);
    EXPECT_EQ(text.y1, c.textY) << c.course;
  }
}

TEST(DrawCompass, BarbsMeetAtTheTipThirtyDegreesEitherSide) {
  Rose r;
  r.Course("000.0~", "20");
  const float length = 193.5f;  // a tenth of the picture's width
  for (const DrawItem& b : r.Barbs()) {
    EXPECT_EQ(b.x2, r.Needles()[0].x2);
    EXPECT_EQ(b.y2, r.Needles()[0].y2);
    EXPECT_NEAR(std::fabs(b.x1 - b.x2), length * 0.5f, 0.05);  // sin 30
    EXPECT_NEAR(b.y1 - b.y2, length * 0.8660254f, 0.05);      // behind the tip, below it
    EXPECT_EQ(b.width, 2);
  }
}

TEST(DrawCompass, SlowSpeedsRedNeedleOrNoCourse) {
  const struct {
    const char* knots;
    int minimum;
    bool needle;
    Colour needleColour, centre;
  } cases[] = {
      {"5", 5, true, colour::kRed, colour::kGreen},         // at the minimum: red, no barbs
      {"2", 5, false, {}, colour::kMagenta},                // below it with a fix: no course
      {"0", 0, true, colour::kRed, colour::kGreen},         // standstill
      {"0.1", 0, true, colour::kWhite, colour::kGreen},     // minimum zero is never magenta
  };
  for (const auto& c : cases) {
    Rose r;
    r.app.fix.CourseColour = colour::kGreen;
    r.Course("045.0~", c.knots, c.minimum);
    ASSERT_EQ(r.Needles().size(), c.needle ? 1u : 0u) << c.knots;
    EXPECT_EQ(r.Barbs().size(), c.needleColour == colour::kWhite ? 2u : 0u) << c.knots;
    EXPECT_EQ(r.Texts().size(), c.needle ? 2u : 1u);  // without a course the time only
    for (const DrawItem& n : r.Needles()) EXPECT_EQ(n.colour, c.needleColour) << c.knots;
    EXPECT_EQ(r.app.fix.CourseColour, c.centre) << c.knots;
    EXPECT_EQ(r.Circles()[1].fill, c.centre) << c.knots;
    EXPECT_EQ(r.Circles()[1].radius, 85);
  }
}

TEST(DrawCompass, FluxGateHeadingDrawsACyanRingAndABlueCentre) {
  Rose r;
  r.app.fix.RmcStatus = "V";
  r.app.fix.SpeedKnotsText = "0";
  r.app.heading.FluxHeadingText = "123";
  DrawCompass(r.app);
  const auto c = r.Circles();
  ASSERT_EQ(c.size(), 3u);
  EXPECT_TRUE(c[0].colour == colour::kCyan && c[0].fill == colour::kBlack && c[0].radius == 767 && c[0].width == 5);
  EXPECT_EQ(c[1].fill, colour::kBlue);
  EXPECT_EQ(r.app.fix.CourseColour, colour::kBlue);
  EXPECT_TRUE(c[2].fill == colour::kWhite && c[2].radius == 15);  // the inner dot
  EXPECT_EQ(r.Texts().back().text, Deg("123.0~"));
  EXPECT_EQ(r.Needles()[0].colour, colour::kRed);  // standing still
}

TEST(DrawCompass, NoHeadingDrawsTheRoseAloneWithTheTime) {
  Rose r;
  DrawCompass(r.app);
  EXPECT_TRUE(r.Needles().empty());
  EXPECT_EQ(r.Circles()[0].colour, colour::kBlue);
  EXPECT_EQ(r.app.form1.Picture1.BackColor(), Colour{0x8C8C8C});
  ASSERT_EQ(r.Texts().size(), 1u);
  const DrawItem time = r.Texts()[0];
  EXPECT_EQ(time.text, "12:00:00");  // the PC's time, top left
  EXPECT_EQ(time.x1, 0);
  EXPECT_EQ(time.y1, 0);
  EXPECT_EQ(time.colour, colour::kBlack);
}

TEST(DrawCompass, TicksEvery22Point5Or10Degrees) {
  Rose r;
  DrawCompass(r.app);
  EXPECT_EQ(r.Ticks(), 16);
  r.app.form1.mnuReflines.Click();
  EXPECT_TRUE(r.app.form1.mnuReflines.Checked());
  EXPECT_EQ(r.Ticks(), 36);
  std::map<Colour, int> colours;
  for (const DrawItem& l : r.Of(DrawKind::kLine)) ++colours[l.colour];
  EXPECT_EQ(colours[colour::kRed], 1);
  EXPECT_EQ(colours[colour::kBlack], 3);
  EXPECT_EQ(colours[colour::kMagenta], 8);
  EXPECT_EQ(colours[colour::kGreen], 24);
  // Lengths and places: north red, every 30 magenta and longer, the rest green.
  const float ring = 767 + 50;
  const auto lines = r.Of(DrawKind::kLine);
  EXPECT_EQ(lines[0].colour, colour::kRed);
  EXPECT_NEAR(lines[0].x1, kCentre, 0.01);
  EXPECT_NEAR(lines[0].y1, kCentre - ring, 0.01);
  EXPECT_NEAR(lines[0].y2, kCentre - ring * 1.1f, 0.01);
  EXPECT_EQ(lines[3].colour, colour::kMagenta);
  EXPECT_NEAR(std::hypot(lines[3].x2 - kCentre, lines[3].y2 - kCentre), ring * 1.09f, 0.05);
  EXPECT_EQ(lines[1].colour, colour::kGreen);
  EXPECT_NEAR(std::hypot(lines[1].x2 - kCentre, lines[1].y2 - kCentre), ring * 1.04f, 0.05);
  EXPECT_EQ(lines[9].colour, colour::kBlack);  // east
  EXPECT_GT(lines[9].x2, lines[9].x1);
  r.app.form1.mnuReflines.Click();
  EXPECT_EQ(r.Ticks(), 16);
}

TEST(CompassTextOf, SectorsTieToTheEvenIndex) {
  Rose r;
  const struct {
    const char* course;
    const char* text;
  } cases[] = {
      {"000.0~", "North      "},  {"11.24", "North      "}, {"11.25", "North      "}, {"11.26", "North-east "},
      {"33.75", "East       "},   {"123.7", "East       "}, {"123.75", "South-east "}, {"146.25", "South-east "}, {"146.26", "South      "},
      {"213.75", "South-west "},  {"236.25", "South-west "}, {"236.26", "West       "}, {"303.75", "North-west "}, {"326.25", "North-west "}, {"326.26", "North      "},
      {"348.74", "North      "},  {"348.75", "North-north"}, {"359.9", "North-north"}, {"360", "North-north"},
      {"371.25", "North-north"},  {"371.26", "---"},         {"---~", "---"},         {"-5", "---"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompassTextOf(r.app, Deg(c.course)), c.text) << c.course;
}

TEST(ShowTurnPrompt, SpinsAndFeedsTheMinimalDisplayButton) {
  test::TestRig rig;
  std::string seen;
  for (int i = 0; i < 6; ++i) {
    ShowTurnPrompt(rig.app);
    seen += rig.app.form1.lblTurnPrompt.Caption();
  }
  EXPECT_EQ(seen, "0/-\\0/");
  EXPECT_FALSE(rig.app.display.form5.loaded);
  rig.app.settings.MinimalDisplay = true;
  ShowTurnPrompt(rig.app);
  EXPECT_EQ(rig.app.display.form5.Command1.Caption(), "&Main (-)");
}

}  // namespace
}  // namespace koralin
