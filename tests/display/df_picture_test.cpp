// The DF window's display list: what the core decides to draw of a hunt.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app.h"
#include "app/df_intake.h"
#include "display/df_picture.h"
#include "display/df_window.h"
#include "support/df_hunt.h"
#include "support/fakes.h"

namespace koralin {
namespace {

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
  EXPECT_TRUE(Inside(ellipse->points, mark->x1, mark->y1));
  EXPECT_TRUE(ellipse->points.front() == ellipse->points.back()) << "closed";
  EXPECT_LT(mark->y1, car->y1 - 1000) << "north up: the transmitter lies 1.5 km north of the drive";
  EXPECT_GT(mark->x1, 0);
  EXPECT_LT(mark->x1, kW);

  std::vector<bool> dashed;
  for (const DrawItem& d : items)
    if (d.kind == DrawKind::kLine && d.width == 2 && (d.colour != df_colour::kText)) dashed.push_back(d.dashed);
  ASSERT_EQ(dashed.size(), 12u);
  for (std::size_t i = 0; i < dashed.size(); ++i) EXPECT_EQ(dashed[i], i == 5 || i == 9) << "line " << i;
  EXPECT_TRUE(HasText(items, " from the car"));
  EXPECT_FALSE(HasText(items, "no estimate"));
}

TEST(DfPicture, WithoutAnEstimateTheStateIsSaid) {
  struct Case {
    int lines;
    const char* why;
  };
  for (const Case& c : {Case{0, "no lines"}, Case{2, "two lines"}}) {
    DfHunt hunt;
    if (c.lines) test::FillSmallHunt(hunt, c.lines);
    const std::vector<DrawItem> items = DfPicture(hunt, test::kSmallHuntRules, kW, kH);
    EXPECT_TRUE(HasText(items, DfStateText(DfState::kTooFewLines))) << c.why;
    EXPECT_EQ(Find(items, DrawKind::kCircle, df_colour::kMark), nullptr) << c.why;
  }
}

// The shown window follows each new estimate, the hidden one costs nothing.
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
  }
}

}  // namespace
}  // namespace koralin
