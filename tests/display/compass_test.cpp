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
  const std::vector<DrawItem>& Items() const { return app.form1.Picture1.Items(); }
  std::vector<DrawItem> Of(DrawKind kind) const {
    std::vector<DrawItem> out;
    std::copy_if(Items().begin(), Items().end(), std::back_inserter(out),
                 [kind](const DrawItem& i) { return i.kind == kind; });
    return out;
  }
  // Lines that start at the centre: the needle.
  std::vector<DrawItem> Needles() const {
    std::vector<DrawItem> out;
    for (const DrawItem& l : Of(DrawKind::kLine))
      if (l.x1 == kCentre && l.y1 == kCentre) out.push_back(l);
    return out;
  }
  // Barbs end at the needle's tip and are red.
  int Barbs() const {
    int n = 0;
    for (const DrawItem& l : Of(DrawKind::kLine))
      if (l.colour == colour::kRed && !(l.x1 == kCentre && l.y1 == kCentre) &&
          std::hypot(l.x2 - kCentre, l.y2 - kCentre) < kNeedle + 1)
        ++n;
    return n;
  }
  std::vector<DrawItem> Texts() const { return Of(DrawKind::kText); }
  std::vector<DrawItem> Circles() const { return Of(DrawKind::kCircle); }
  int Ticks() const { return static_cast<int>(Of(DrawKind::kLine).size() - Needles().size()) - Barbs(); }
};

TEST(DrawCompass, GeometryComesFromThePicture) {
  Rose r;
  EXPECT_EQ(r.app.form1.Picture1.ScaleWidth(), 1935);
  EXPECT_EQ(r.app.display.CompassCentreX, 967);
  EXPECT_EQ(r.app.display.CompassCentreY, 967);
  EXPECT_EQ(r.app.display.CompassRadius, 767);
  EXPECT_FLOAT_EQ(r.app.display.NeedleLength, kNeedle);
}

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
    EXPECT_EQ(r.Barbs(), 2) << c.course;
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
  std::vector<DrawItem> barbs;
  for (const DrawItem& l : r.Of(DrawKind::kLine))
    if (l.colour == colour::kRed && l.x2 == r.Needles()[0].x2 && l.y2 == r.Needles()[0].y2) barbs.push_back(l);
  ASSERT_EQ(barbs.size(), 2u);
  for (const DrawItem& b : barbs) {
    EXPECT_NEAR(std::fabs(b.x1 - b.x2), length * 0.5f, 0.05);  // sin 30
    EXPECT_NEAR(b.y1 - b.y2, length * 0.8660254f, 0.05);      // behind the tip, below it
    EXPECT_EQ(b.width, 2);
  }
}

TEST(DrawCompass, SpeedAtTheMinimumGivesARedNeedleWithoutBarbs) {
  Rose r;
  r.app.fix.CourseColour = colour::kGreen;
  r.Course("045.0~", "5", 5);
  ASSERT_EQ(r.Needles().size(), 1u);
  EXPECT_EQ(r.Needles()[0].colour, colour::kRed);
  EXPECT_EQ(r.Barbs(), 0);
  // Magenta only strictly below the minimum.
  EXPECT_EQ(r.app.fix.CourseColour, colour::kGreen);
  EXPECT_EQ(r.Circles()[1].fill, colour::kGreen);
}

TEST(DrawCompass, BelowTheMinimumWithAFixTheCentreTurnsMagenta) {
  Rose r;
  r.app.fix.CourseColour = colour::kGreen;
  r.Course("045.0~", "2", 5);  // too slow: no course, no flux-gate either
  EXPECT_TRUE(r.Needles().empty());
  EXPECT_EQ(r.Texts().size(), 1u);  // the time only
  EXPECT_EQ(r.app.fix.CourseColour, colour::kMagenta);
  EXPECT_EQ(r.Circles()[1].fill, colour::kMagenta);
  EXPECT_EQ(r.Circles()[1].radius, 85);
}

TEST(DrawCompass, MinimumZeroGivesRedOnlyAtStandstillAndNeverMagenta) {
  for (const char* knots : {"0", "0.1"}) {
    Rose r;
    r.app.fix.CourseColour = colour::kGreen;
    r.Course("010.0~", knots, 0);
    ASSERT_EQ(r.Needles().size(), 1u);
    EXPECT_EQ(r.Needles()[0].colour, Val(knots) == 0 ? colour::kRed : colour::kWhite) << knots;
    EXPECT_EQ(r.app.fix.CourseColour, colour::kGreen);
  }
}

TEST(DrawCompass, FluxGateHeadingDrawsACyanRingAndABlueCentre) {
  Rose r;
  r.app.fix.RmcStatus = "V";
  r.app.fix.SpeedKnotsText = "0";
  r.app.heading.FluxHeadingText = "123";
  DrawCompass(r.app);
  const auto circles = r.Circles();
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_EQ(circles[0].colour, colour::kCyan);
  EXPECT_EQ(circles[0].fill, colour::kBlack);
  EXPECT_EQ(circles[0].radius, 767);
  EXPECT_EQ(circles[0].width, 5);
  EXPECT_EQ(circles[1].fill, colour::kBlue);
  EXPECT_EQ(r.app.fix.CourseColour, colour::kBlue);
  EXPECT_EQ(circles[2].fill, colour::kWhite);
  EXPECT_EQ(circles[2].radius, 15);
  EXPECT_EQ(r.Texts().back().text, Deg("123.0~"));
  EXPECT_EQ(r.Needles()[0].colour, colour::kRed);  // standing still
}

TEST(DrawCompass, NoHeadingDrawsTheRoseAlone) {
  Rose r;
  DrawCompass(r.app);
  EXPECT_TRUE(r.Needles().empty());
  EXPECT_EQ(r.Circles()[0].colour, colour::kBlue);
  EXPECT_EQ(r.app.form1.Picture1.BackColor(), Colour{0x8C8C8C});
  ASSERT_EQ(r.Texts().size(), 1u);
  EXPECT_EQ(r.Texts()[0].text, "12:00:00");  // the PC's time, top left
  EXPECT_EQ(r.Texts()[0].x1, 0);
  EXPECT_EQ(r.Texts()[0].y1, 0);
  EXPECT_EQ(r.Texts()[0].colour, colour::kBlack);
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
  r.app.form1.mnuReflines.Click();
  EXPECT_EQ(r.Ticks(), 16);
}

TEST(DrawCompass, TickLengthsAndPlaces) {
  Rose r;
  r.app.form1.mnuReflines.SetChecked(true);
  DrawCompass(r.app);
  const float ring = 767 + 50;
  const auto lines = r.Of(DrawKind::kLine);
  const DrawItem& north = lines[0];
  EXPECT_EQ(north.colour, colour::kRed);
  EXPECT_NEAR(north.x1, kCentre, 0.01);
  EXPECT_NEAR(north.y1, kCentre - ring, 0.01);
  EXPECT_NEAR(north.y2, kCentre - ring * 1.1f, 0.01);
  const DrawItem& thirty = lines[3];
  EXPECT_EQ(thirty.colour, colour::kMagenta);
  EXPECT_NEAR(std::hypot(thirty.x2 - kCentre, thirty.y2 - kCentre), ring * 1.09f, 0.05);
  const DrawItem& ten = lines[1];
  EXPECT_EQ(ten.colour, colour::kGreen);
  EXPECT_NEAR(std::hypot(ten.x2 - kCentre, ten.y2 - kCentre), ring * 1.04f, 0.05);
  EXPECT_EQ(lines[9].colour, colour::kBlack);  // east
  EXPECT_GT(lines[9].x2, lines[9].x1);
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
  EXPECT_TRUE(rig.app.display.form5.loaded);
  EXPECT_EQ(rig.app.display.form5.Command1.Caption(), "&Main (-)");
}

}  // namespace
}  // namespace koralin
