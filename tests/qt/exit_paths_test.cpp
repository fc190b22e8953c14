#include "qt/exit_paths.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/startup.h"
#include "app/temp_folder.h"
#include "qt/main_window.h"
#include "support/fakes.h"

namespace koralin {
namespace {

// The main window on a program of fakes, started in a fresh folder.
struct Shown {
  Shown() : window(rig.app) {
    rig.system.appPath = folder.path();
    qt::InstallCloseToExit(rig.app, &window);
    Form_Load(rig.app);
    window.show();
  }
  test::TempFolder folder;
  test::TestRig rig;
  qt::MainWindow window;
};

QAction* FindAction(QMenuBar* bar, const QString& text) {
  for (QAction* top : bar->actions()) {
    if (!top->menu()) continue;
    for (QAction* a : top->menu()->actions())
      if (a->text() == text) return a;
  }
  return nullptr;
}

TEST(ExitPaths, ClosingTheWindowRunsTheOrderlyExit) {
  Shown s;
  s.window.close();
  EXPECT_TRUE(s.rig.system.ended);
  EXPECT_TRUE(test::FileExistsForTest(s.folder / "Gps.cfg"));
}

TEST(ExitPaths, TheExitMenuRunsTheOrderlyExit) {
  Shown s;
  QAction* exit = FindAction(s.window.menuBar(), "&Exit           Alt+F4");
  ASSERT_NE(exit, nullptr);
  exit->trigger();
  EXPECT_TRUE(s.rig.system.ended);
  EXPECT_TRUE(test::FileExistsForTest(s.folder / "Gps.cfg"));
}

TEST(ExitPaths, TheTimeMenuShowsTheZone) {
  Shown s;
  EXPECT_NE(FindAction(s.window.menuBar(), "O&ther TimeZone (-5)..."), nullptr);
  for (const char* caption : {"&UTC", "L&ocal Winter +1", "&Local Summer +2"})
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
