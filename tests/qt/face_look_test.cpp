// What the main window shows, read back from the rendered widgets: every label
// keeps the colours and the underline its model holds whatever happens to the
// frame, and a change repaints only what it changed.
#include <QApplication>
#include <QLabel>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/settings_file.h"
#include "app/startup.h"
#include "log/playback.h"
#include "nmea/fix_quality.h"
#include "nmea/sentence.h"
#include "display/compass.h"
#include "qt/compass_widget.h"
#include "qt/main_window.h"
#include "qt/rig.h"
#include "qt/text.h"
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
    const char* screenshot;  // for a person to look at
  } changes[] = {
      {"a fix", [&] { face.Poll(rmc); }, "look-fix-moving.png"},
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
  std::map<QString, int> paints;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints[watched->objectName()];
    return false;
  }
};

// The frame's caption changes with nearly every poll: that repaints the
// caption and nothing else; the same text again, or a new tooltip, repaints
// nothing at all.
TEST(FaceLook, AChangeRepaintsOnlyWhatItChanged) {
  Face face;
  test::RunLoop(50);  // the first paints are done
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
    counter.paints.clear();
    c.change();
    QApplication::processEvents();
    std::set<QString> repainted;
    for (const auto& [name, n] : counter.paints) repainted.insert(name);
    EXPECT_EQ(repainted, c.repainted) << c.what << ": " << QStringList(repainted.begin(), repainted.end()).join(" ").toStdString();
  }
}

// The rose keeps the part of its drawing that stays the same: whatever moved
// or changed colour, it shows exactly what a rose painting the whole drawing
// afresh shows.
TEST(FaceLook, TheRoseShowsEveryNewDrawingWhole) {
  std::vector<std::unique_ptr<qt::CompassWidget>> afresh;  // they follow the model while it lives
  Face face(3);
  QWidget* rose = face.Find<QWidget>("Picture1");
  const std::function<void()> drawings[] = {
      [&] { face.Poll(test::Rmc("123519", "022.4", "090.0") + "\r\n"); },
      [&] { face.Poll(test::Rmc("123520", "022.4", "180.0") + "\r\n"); },
      [&] { face.Poll(test::Rmc("123521", "022.4", "180.0") + "\r\n"); },
      [&] { face.Poll(test::Rmc("123522", "022.4", "270.0") + "\r\n"); },
      [&] { face.app.heading.FluxHeadingText = "123", DrawCompass(face.app); },  // a cyan ring
      [&] { face.app.heading.FluxHeadingText = "", DrawCompass(face.app); },
  };
  for (std::size_t i = 0; i < std::size(drawings); ++i) {
    drawings[i]();
    QApplication::processEvents();
    afresh.push_back(std::make_unique<qt::CompassWidget>(face.f.Picture1, nullptr));
    afresh.back()->resize(rose->size());
    const auto shown = [](QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(shown(*rose), shown(*afresh.back())) << "drawing " << i;
  }
}

// Screenshots of the start with the input off (its "---" on light red) and of
// a slow fix.
TEST(FaceLook, Screenshots) {
  {
    Face off;
    test::SaveShot(off.window, "look-start-input-off.png");
  }
  Face face(3);
  face.Poll(test::Rmc("123520", "000.0") + "\r\n");
  test::SaveShot(face.window, "look-fix-slow.png");
}

}  // namespace
}  // namespace koralin
