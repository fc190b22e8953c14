#include "qt/exit_paths.h"

#include <gtest/gtest.h>


#include "app/startup.h"
#include "support/files.h"
#include "qt/main_window.h"
#include "shots.h"
#include "support/fakes.h"

namespace koralin {
namespace {

// The main window on a program of fakes, started in a fresh folder.
struct Shown {
  Shown() : window(rig.app) {
    rig.system.appPath = folder.path();
    qt::InstallCloseToExit(rig.app, &window);
    Form1_Load(rig.app);
    window.show();
  }
  test::TempFolder folder;
  test::TestRig rig;
  qt::MainWindow window;
};

using test::FindAction;

TEST(ExitPaths, TheCloseBoxAndTheExitMenuRunTheOrderlyExit) {
  for (bool byMenu : {false, true}) {
    Shown s;
    if (byMenu) {
      QAction* exit = FindAction(s.window.menuBar(), "&Exit           Alt+F4");
      ASSERT_NE(exit, nullptr);
      exit->trigger();
    } else {
      s.window.close();
    }
    EXPECT_TRUE(s.rig.system.ended) << byMenu;
    EXPECT_TRUE(test::Exists(s.folder / "Gps.cfg")) << byMenu;
  }
}

TEST(ExitPaths, TheTimeMenuShowsTheZone) {
  Shown s;
  for (const char* caption : {"O&ther TimeZone (-5)...", "&UTC", "L&ocal Winter +1", "&Local Summer +2"})
    EXPECT_NE(FindAction(s.window.menuBar(), caption), nullptr) << caption;
}

TEST(WindowPlace, TheModelPlacesTheWindow) {
  test::TestRig rig;
  QWidget window;
  qt::BindWindowPlace(&window, rig.app.form1.form);
  rig.app.form1.form.SetBounds({1500, 750, 9000, 3460});
  EXPECT_EQ(window.pos(), QPoint(100, 50));
  EXPECT_EQ(window.size(), QSize(600, 230));
  window.move(300, 300);  // the user's own move stays
  rig.app.form1.form.SetCaption("another title");
  EXPECT_EQ(window.pos(), QPoint(300, 300));
}

}  // namespace
}  // namespace koralin
