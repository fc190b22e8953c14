// The DF window offscreen: opened from its menu item, painting the core's
// picture of a small hunt, read back from its pixels.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <algorithm>

#include "display/df_picture.h"
#include "qt/compass_widget.h"
#include "qt/rig.h"
#include "qt/text.h"
#include "support/df_hunt.h"

namespace koralin {
namespace {

TEST(DfWindow, ShowsTheEstimateInsideItsEllipseAndTheLinesAndANewHuntEmptiesIt) {
  test::WindowRig rig;
  rig.app.hunt.rules = test::kSmallHuntRules;
  test::FillSmallHunt(rig.app.hunt.hunt);
  rig.f.mnuDfWindow.Click();
  QApplication::processEvents();
  qt::DfWindow& w = rig.tools.df;
  ASSERT_TRUE(w.isVisible());
  const QImage image = w.Picture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(QDir().mkpath(KORALIN_SCREENSHOT_DIR) && image.save(KORALIN_SCREENSHOT_DIR "/df_window.png"));
  const auto rgb = [](Colour c) { return qt::ToQColor(c).rgb(); };
  const auto* p = reinterpret_cast<const QRgb*>(image.constBits());
  const auto count = [&](Colour c) { return std::count(p, p + image.width() * image.height(), rgb(c)); };
  EXPECT_GT(count(df_colour::kLine), 100) << "the newest line at full strength";
  EXPECT_GT(count(df_colour::kEllipse), 30);

  // The mark is painted where the core put it, and every way out of it
  // crosses the ellipse.
  const std::vector<DrawItem>& items = rig.app.display.dfForm.picture.Items();
  const auto mark = std::find_if(items.begin(), items.end(), [](const DrawItem& d) { return d.colour == df_colour::kMark; });
  ASSERT_NE(mark, items.end());
  const int mx = static_cast<int>(mark->x1 / 15), my = static_cast<int>(mark->y1 / 15);
  EXPECT_EQ(image.pixel(mx, my), rgb(df_colour::kMark));
  for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    int x = mx, y = my;
    while (image.valid(x, y) && image.pixel(x, y) != rgb(df_colour::kEllipse)) x += dx, y += dy;
    EXPECT_TRUE(image.valid(x, y)) << "no ellipse towards " << dx << "," << dy;
  }

  w.resize(600, 300);
  QApplication::processEvents();
  EXPECT_EQ(rig.app.display.dfForm.picture.Bounds().width, w.Picture()->width() * 15);
  rig.f.mnuNewHunt.Click();
  EXPECT_TRUE(std::any_of(rig.app.display.dfForm.picture.Items().begin(), rig.app.display.dfForm.picture.Items().end(),
                          [](const DrawItem& d) { return d.text == DfStateText(DfState::kTooFewLines); }));
  w.close();
  EXPECT_FALSE(rig.app.display.dfForm.form.Visible());
  EXPECT_EQ(rig.app.unexpectedCount, 0);
}

}  // namespace
}  // namespace koralin
