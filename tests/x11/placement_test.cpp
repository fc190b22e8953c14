// The main window on a real X server with openbox (the binary runs itself
// again under xvfb-run): where it lands, and that the model follows it.
#include <unistd.h>

#include <QStandardPaths>
#include <QWindow>

#include "qt/rig.h"

namespace koralin {
namespace {

QString missing;  // what the tests need and lack

QString Xtool(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args), p.waitForFinished(5000);
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// A window's outer rectangle (title bar and borders included) as the X
// server and the window manager have it.
QRect OnScreen(WId id) {
  const QString info = Xtool("xwininfo", {"-id", QString::number(id)});
  auto field = [&](const char* name) { return info.section(name, 1).section('\n', 0, 0).trimmed().toInt(); };
  const QRect client(field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"), field("Height:"));
  // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
  const QStringList e = Xtool("xprop", {"-id", QString::number(id), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
  return e.size() != 4 ? client : client.adjusted(-e[0].toInt(), -e[2].toInt(), e[1].toInt(), e[3].trimmed().toInt());
}

QRect Model(const Window& w) { return QRect(w.Left() / 15, w.Top() / 15, w.Width() / 15, w.Height() / 15); }

std::string Text(const QRect& r) { return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString(); }

// Placed by its inner area (static gravity), as the window system now and
// then has it at start, the main window's title bar is above the screen: it
// comes back where it can be dragged, and the model with it.
TEST(OnScreen, TheMainWindowLandsWhereTheModelSaysAndComesBackOnScreen) {
  if (!missing.isEmpty()) GTEST_SKIP() << "needs " << missing.toStdString() << "(scripts/bootstrap installs them)";
  test::WindowRig s;
  QRect seen;
  EXPECT_TRUE(test::WaitFor([&] { return s.window.isVisible() && (seen = OnScreen(s.window.winId())) == Model(s.f.form); }))
      << "on screen " << Text(seen) << ", model " << Text(Model(s.f.form));
  s.window.windowHandle()->setPosition(0, 0);
  EXPECT_TRUE(test::WaitFor([&] {
    seen = OnScreen(s.window.winId());
    return seen.top() >= 0 && seen.left() >= 0 && seen == Model(s.f.form);
  })) << Text(seen);
}

}  // namespace
}  // namespace koralin

int main(int argc, char* argv[]) {
  QString& missing = koralin::missing;
  for (const char* tool : {"xvfb-run", "openbox", "xwininfo", "xprop"})
    if (QStandardPaths::findExecutable(tool).isEmpty()) missing += QString(tool) + " ";
  if (missing.isEmpty() && !qEnvironmentVariableIsSet("KORALIN_XVFB")) {  // a server of our own, not the desktop
    setenv("KORALIN_XVFB", "1", 1);
    std::vector<const char*> args{"xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -nolisten tcp"};
    args.insert(args.end(), argv, argv + argc + 1);
    ::execvp(args[0], const_cast<char* const*>(args.data()));
    missing = "a working xvfb-run ";
  }
  qputenv("QT_QPA_PLATFORM", missing.isEmpty() ? "xcb" : "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  QProcess wm;  // up once it names itself on the root window
  if (missing.isEmpty()) wm.start("openbox", {"--sm-disable"});
  const auto managed = [] { return koralin::Xtool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); };
  if (missing.isEmpty() && !koralin::test::WaitFor(managed, 10000)) missing = "a running openbox ";
  const int failed = RUN_ALL_TESTS();
  wm.terminate(), wm.waitForFinished(3000);
  return failed;
}
