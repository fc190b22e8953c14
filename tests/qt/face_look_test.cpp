// What the main window shows, read back from the rendered widgets: every label
// keeps the colours and the underline its model holds whatever happens to the
// frame, and a change repaints only what it changed.
#include <set>

#include "display/compass.h"
#include "log/playback.h"
#include "nmea/fix_quality.h"
#include "qt/compass_widget.h"
#include "qt/rig.h"
#include "support/sentences.h"

namespace koralin {
namespace {

struct Face : test::FaceRig {
  explicit Face(int input = 0) {
    Load(input);
    f.mnuCrcCheck.SetChecked(true);
    QApplication::processEvents();
  }
  void Poll(const std::string& text) {
    rig.comm1.Feed(text);
    rig.clock.Advance(f.tmrPolling.Interval());
  }
};

TEST(FaceLook, EveryLabelKeepsItsColoursThroughEachFrameChange) {
  Face face(3);  // a GPS on port 3
  Form1& f = face.f;
  face.ExpectLooks("start");
  const std::string rmc = test::Rmc() + "\r\n";
  const struct {
    const char* what;
    std::function<void()> change;
    const char* screenshot;
  } changes[] = {
      {"a fix", [&] { face.Poll(rmc + "$GPGSV,1\r\n"); }, "look-fix-moving.png"},
      {"a slow fix", [&] { face.Poll(test::Rmc("123520", "000.0") + "\r\n$GPGSV,1\r\n"); }, "look-fix-slow.png"},
      {"the no-input warning", [&] { face.rig.clock.Advance(f.tmrComInTimeOut.Interval()); },
       "look-no-input-warning.png"},
      {"a checksum error", [&] { face.Poll(rmc.substr(0, rmc.size() - 3) + "0\r\n"); }, nullptr},
      {"the caption put back", [&] { RestoreFrameCaption(face.app); }, nullptr},
      {"a new tooltip", [&] { f.Frame1.SetToolTip("Double-Click for DDE Labels. Left-Click SmoothSpeedBar."); }, nullptr},
  };
  for (const auto& c : changes) {
    c.change();
    face.ExpectLooks(c.what);
    if (c.screenshot) test::SaveShot(face.window, c.screenshot);
  }
}

TEST(FaceLook, PlaybackStartAndEndLeaveEveryLabelItsColours) {
  Face face;
  test::SaveShot(face.window, "look-start-input-off.png");
  const std::string log = face.folder / "play.log";
  test::WriteFile(log, test::Rmc() + "\r\n" + test::Rmc("123520", "000.0") + "\r\n");
  bool seenPlaying = false;
  face.rig.system.onDoEvents = [&] {
    if (seenPlaying || !face.f.mnuPlayLog.Checked()) return;
    seenPlaying = true;
    face.ExpectLooks("playing");
  };
  face.rig.dialogs.inputAnswers.push_back(log);
  face.rig.dialogs.msgAnswers.push_back(MsgResult::kNo);  // once, not endless
  face.f.mnuPlayLog.Click();
  EXPECT_TRUE(seenPlaying);
  face.ExpectLooks("played");
}

// A long caption keeps its beginning and its end (where it says how to stop).
TEST(FaceLook, ALongFrameCaptionKeepsItsEnd) {
  Face face;
  face.f.Frame1.SetCaption("Playing log file /home/someone/a/rather/long/path/to/the/recorded/drive/of/today.log"
                           " is endless playing. Press 'F1' or 'Esc' to stop Playing");
  const QLabel* caption = face.Find(face.f.Frame1.Name());
  EXPECT_TRUE(caption->text().startsWith("Playing log file")) << caption->text().toStdString();
  EXPECT_TRUE(caption->text().endsWith("to stop Playing")) << caption->text().toStdString();
  EXPECT_LE(caption->geometry().right(), caption->parentWidget()->width());
}

// Counts the paints of each label of the window and of the rose.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* window) {
    for (QWidget* w : window->findChildren<QLabel*>()) w->installEventFilter(this);
    window->findChild<QWidget*>("Picture1")->installEventFilter(this);
  }
  std::set<QString> painted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted.insert(watched->objectName());
    return false;
  }
};

// The frame's caption changes with nearly every poll: that repaints the
// caption and nothing else; the same text again, or a new tooltip, repaints
// nothing at all.
TEST(FaceLook, AChangeRepaintsOnlyWhatItChanged) {
  Face face;
  test::RunFor(50);  // the first paints are done
  PaintCounter counter(&face.window);
  const struct {
    const char* what;
    std::function<void()> change;
    std::set<QString> repainted;
  } changes[] = {
      {"caption", [&] { face.f.Frame1.SetCaption("GPS-NMEA-0183 (Locked 2D)"); }, {"Frame1"}},
      {"caption back", [&] { face.f.Frame1.SetCaption("GPS-NMEA-0183"); }, {"Frame1"}},
      {"same caption again", [&] { face.f.lblLock.SetCaption(face.f.lblLock.Caption()); }, {}},
      {"rose tooltip", [&] { face.f.Picture1.SetToolTip("North=Up"); }, {}},
      {"frame tooltip", [&] { face.f.Frame1.SetToolTip("Left-Click SmoothSpeedBar."); }, {}},
      {"label colour", [&] { face.f.lblLock.SetBackColor(colour::kRed); }, {"lblLock"}},
  };
  for (const auto& c : changes) {
    counter.painted.clear();
    c.change();
    QApplication::processEvents();
    EXPECT_EQ(counter.painted, c.repainted) << c.what << ": " << QStringList(counter.painted.begin(), counter.painted.end()).join(" ").toStdString();
  }
}

// The rose keeps the part of its drawing that stays the same: whatever moved
// or changed colour, it shows exactly what a rose painting the whole drawing
// afresh shows.
TEST(FaceLook, TheRoseShowsEveryNewDrawingWhole) {
  std::vector<std::unique_ptr<qt::CompassWidget>> afresh;  // they follow the model while it lives
  Face face(3);
  QWidget* rose = face.Find<QWidget>("Picture1");
  const char* courses[] = {"090.0", "180.0", "180.0", "270.0"};
  for (int i = 0; i < 6; ++i) {  // four fixes, then a cyan ring on and off
    if (i < 4) face.Poll(test::Rmc("12352" + std::to_string(i), "022.4", courses[i]) + "\r\n");
    if (i >= 4) face.app.heading.FluxHeadingText = i == 4 ? "123" : "", DrawCompass(face.app);
    QApplication::processEvents();
    afresh.push_back(std::make_unique<qt::CompassWidget>(face.f.Picture1, nullptr));
    afresh.back()->resize(rose->size());
    const auto shown = [](QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(shown(*rose), shown(*afresh.back())) << "drawing " << i;
  }
}

}  // namespace
}  // namespace koralin
