// The windows on a real X server with openbox (the binary runs itself again
// under xvfb-run): where they land and who has the keyboard; the real program.
#include <unistd.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QThread>
#include <QWindow>

#include "qt/rig.h"

namespace koralin {
namespace {

QString missing;  // what the tests need and lack

#define NEED_X \
  if (!missing.isEmpty()) GTEST_SKIP() << "needs " << missing.toStdString() << "(scripts/bootstrap installs them)"

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

// The program on fakes but with the real boxes; the GPS on port 3, the plotter on port 1.
struct Screen : test::WindowRig {
  Screen() : WindowRig([](Settings& s) { s.ComPortIn = 3, s.BaudIn = 4800, s.ComPortOut = 1; }, true) {}
  // Waits until the window is on screen where the model says.
  void ExpectPlaced(QWidget& widget, const Window& model, const char* what) {
    QRect seen;
    EXPECT_TRUE(test::WaitFor([&] { return widget.isVisible() && (seen = OnScreen(widget.winId())) == Model(model); }))
        << what << ": on screen " << Text(seen) << ", model " << Text(Model(model));
  }
};

// Placed by its inner area (static gravity), as the window system now and
// then has it at start, the main window's title bar is above the screen: it
// comes back where it can be dragged, and the model with it.
TEST(OnScreen, EachWindowLandsWhereTheModelSaysAndTheSendBoxGetsTheKeyboardAfterItsPrompt) {
  NEED_X;
  Screen s;
  s.ExpectPlaced(s.window, s.app.form1.form, "main window");
  s.app.form1.mnuTerminalIn.Click(), s.app.form1.mnuTerminalOut.Click();
  qt::TerminalView& in = s.tools.terminalIn;
  s.ExpectPlaced(in, s.app.terminal.form2.form, "Terminal In");
  s.ExpectPlaced(s.tools.terminalOut, s.app.terminal.form3.form, "Terminal Out");
  in.activateWindow();
  ASSERT_TRUE(test::WaitFor([&] { return QApplication::activeWindow() == &in; }));
  in.findChild<QCheckBox*>("ChkSend2ComIn")->click();
  QMessageBox* prompt = nullptr;  // owned by the window it was asked from
  ASSERT_TRUE(test::WaitFor([&] { return (prompt = in.findChild<QMessageBox*>()) && prompt->isVisible(); }));
  prompt->button(QMessageBox::Ok)->click();
  const QLineEdit* send = in.findChild<QLineEdit*>("TxtSend");
  auto typingGoesThere = [&] {
    return QApplication::focusWidget() == send && Xtool("xdotool", {"getactivewindow"}).toULongLong() == in.winId();
  };
  EXPECT_TRUE(test::WaitFor(typingGoesThere));
  test::RunFor(500);  // and stays there once the window manager is done
  EXPECT_TRUE(typingGoesThere());

  s.window.windowHandle()->setPosition(0, 0);
  QRect seen;
  EXPECT_TRUE(test::WaitFor([&] {
    seen = OnScreen(s.window.winId());
    return seen.top() >= 0 && seen.left() >= 0 && seen == Model(s.app.form1.form);
  })) << Text(seen);
}

// The real program's windows mapped on screen.
QStringList Shown(const QProcess& p) {
  return Xtool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(p.processId())}).split('\n', Qt::SkipEmptyParts);
}

// That the refused copy saves nothing is the core's; here what it shows.
TEST(OnScreen, ASecondCopyShowsOnlyItsBoxAndTheMinimalDisplayIsSavedWhereItIsOnSigterm) {
  NEED_X;
  test::ProgramFolder program;
  test::WriteSettings(program.path(), [](Settings& s) {
    s.ComPortIn = -1;  // the demo feed
    s.MinimalDisplay = true, s.MinimalLeft = 1500, s.MinimalTop = 1500;
  });
  QProcess& p = program.Start();
  QStringList shown;
  ASSERT_TRUE(test::WaitFor([&] { return (shown = Shown(p)).size() == 1; })) << "only the minimal display";
  const WId id = shown[0].toULongLong();
  ASSERT_TRUE(test::WaitFor([&] { return OnScreen(id).topLeft() == QPoint(100, 100); }));

  QProcess& second = program.Start();
  ASSERT_TRUE(test::WaitFor([&] { return !Shown(second).isEmpty(); }));
  QThread::msleep(500);  // nothing else comes up behind it
  const QStringList box = Shown(second);
  ASSERT_EQ(box.size(), 1);
  EXPECT_LT(OnScreen(box[0].toULongLong()).width(), 600) << "a box, not the main window";
  EXPECT_EQ(second.state(), QProcess::Running) << "the box stays until it is read";
  EXPECT_TRUE(test::Stop(second, SIGTERM));

  Xtool("xdotool", {"windowmove", shown[0], "400", "300"});  // the user drags it
  QRect moved;
  ASSERT_TRUE(test::WaitFor([&] { return (moved = OnScreen(id)).topLeft() != QPoint(100, 100); }));
  QThread::msleep(1000);  // the program hears of the move, even on a busy machine
  ASSERT_TRUE(test::Stop(p, SIGTERM));
  test::TestRig reader;
  reader.app.settings.CfgFileName = program / "Gps.cfg";
  LoadSettings(reader.app);
  const Settings& saved = reader.app.settings;
  EXPECT_TRUE(saved.MinimalDisplay && QPointF(saved.MinimalLeft, saved.MinimalTop) == moved.topLeft() * 15)
      << Text(moved) << " saved as " << saved.MinimalLeft << "," << saved.MinimalTop;
}

}  // namespace
}  // namespace koralin

int main(int argc, char* argv[]) {
  QString& missing = koralin::missing;
  for (const char* tool : {"xvfb-run", "openbox", "xdotool", "xwininfo", "xprop"})
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
