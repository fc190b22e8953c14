// The windows on a real X server with a window manager, both started here:
// where the windows land on screen and who has the keyboard, read back from
// the X server, against the model; and the real program's minimal display
// position across SIGTERM, and a second copy that shows only its box.
#include <signal.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "qt/qt_dialogs.h"
#include "qt/rig.h"
#include "qt/tool_windows.h"

namespace koralin {
namespace {

const char* const kTools[] = {"Xvfb", "openbox", "xdotool", "xwininfo", "xprop"};

// Xvfb and openbox for the whole run; empty `missing` when both are up.
class XServer {
 public:
  XServer() {
    for (const char* tool : kTools)
      if (QStandardPaths::findExecutable(tool).isEmpty()) missing += QString(tool) + " ";
    if (!missing.isEmpty()) return;
    for (int n = 70 + ::getpid() % 100;; ++n) {
      if (test::Exists("/tmp/.X" + std::to_string(n) + "-lock")) continue;
      display = ":" + QString::number(n);
      break;
    }
    server_.start("Xvfb", {display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    qputenv("DISPLAY", display.toLatin1());
    // The server is up once it answers, not when its socket appears.
    if (!test::WaitFor(Answers, 10000)) {
      missing = "a running Xvfb";
      return;
    }
    // The manager is up once it names itself on the root window. A server
    // still busy starting may turn it away: it is started again.
    auto managed = [] { return Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); };
    for (int attempt = 0; attempt < 5; ++attempt) {
      wm_.start("openbox", {"--sm-disable"});
      if (test::WaitFor(managed, 4000)) return;
      wm_.kill();
      wm_.waitForFinished(3000);
    }
    missing = "a running openbox";
  }
  ~XServer() {
    for (QProcess* p : {&wm_, &server_}) {
      p->terminate();
      p->waitForFinished(3000);
    }
  }
  static bool Answers() {
    QProcess p;
    p.start("xprop", {"-root", "-len", "0"});
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }
  static QString Run(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
  }

  QString display, missing;

 private:
  QProcess server_, wm_;
};

XServer* x = nullptr;

#define NEED_X \
  if (!x->missing.isEmpty())                                                                      \
  GTEST_SKIP() << "needs " << x->missing.trimmed().toStdString()                                    \
               << " (scripts/bootstrap installs xvfb, openbox, xdotool and x11-utils)"

// A window's outer rectangle (title bar and borders included) as the X
// server and the window manager have it, in pixels.
QRect OnScreen(WId id) {
  const QString info = XServer::Run("xwininfo", {"-id", QString::number(id)});
  auto field = [&](const QString& name) {
    const int at = info.indexOf(name);
    return at < 0 ? -1 : info.mid(at + name.size()).section('\n', 0, 0).trimmed().toInt();
  };
  const QRect client(field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"),
                     field("Height:"));
  // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
  const QStringList e = XServer::Run("xprop", {"-id", QString::number(id), "_NET_FRAME_EXTENTS"})
                            .section('=', 1)
                            .split(',', Qt::SkipEmptyParts);
  if (e.size() != 4) return client;
  return client.adjusted(-e[0].trimmed().toInt(), -e[2].trimmed().toInt(), e[1].trimmed().toInt(),
                         e[3].trimmed().toInt());
}

QRect Model(const Window& w) { return QRect(w.Left() / 15, w.Top() / 15, w.Width() / 15, w.Height() / 15); }

// The program on fakes but with the real boxes, its windows on the X server;
// the GPS on port 3 and the plotter on port 1.
struct Screen {
  Screen() {
    test::WriteSettings(folder.path(), [](Settings& s) {
      s.ComPortIn = 3, s.BaudIn = 4800, s.ComPortOut = 1;
      s.MinimalLeft = 3000, s.MinimalTop = 1500;
    });
    system.appPath = folder.path();
    clock.Attach(app.form1.tmrPolling);
    clock.Attach(app.form1.tmrComInTimeOut);
    dialogs.SetParent(&window);
    Form1_Load(app);
  }
  // Waits until the window is on screen where the model says.
  void ExpectPlaced(QWidget& widget, const Window& model, const char* what) {
    QRect seen;
    EXPECT_TRUE(test::WaitFor([&] { return widget.isVisible() && (seen = OnScreen(widget.winId())) == Model(model); }))
        << what << ": on screen " << Text(seen) << ", model " << Text(Model(model));
  }
  static std::string Text(const QRect& r) {
    return qt::FromQ(QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
  }

  test::TempFolder folder;
  test::FakeClock clock;
  test::FakeSystem system{clock};
  qt::QtDialogs dialogs;
  test::FakeSerialPort comm1, comm2;
  test::FakeClockSetter clockSetter;
  test::FakeBus bus;
  App app{Platform{system, dialogs, comm1, comm2, clockSetter, bus}};
  qt::MainWindow window{app};
  qt::ToolWindows tools{app, &window};
};

TEST(OnScreen, EveryWindowIsWhereTheModelPutsIt) {
  NEED_X;
  Screen s;
  s.ExpectPlaced(s.window, s.app.form1.form, "main window at the top-left");
  EXPECT_EQ(OnScreen(s.window.winId()).topLeft(), QPoint(0, 0));
  s.app.form1.mnuTerminalIn.Click();
  s.app.form1.mnuTerminalOut.Click();
  s.ExpectPlaced(s.tools.terminalIn, s.app.terminal.form2.form, "Terminal In below the main window");
  s.ExpectPlaced(s.tools.terminalOut, s.app.terminal.form3.form, "Terminal Out below Terminal In");
  const QRect in = OnScreen(s.tools.terminalIn.winId()), out = OnScreen(s.tools.terminalOut.winId());
  EXPECT_EQ(in.top(), OnScreen(s.window.winId()).bottom() + 1);
  EXPECT_EQ(out.top(), in.bottom() + 1) << "Terminal Out leaves Terminal In whole";

  s.app.form1.mnuMinimalDisplay.Click();  // where it was left; its size is its own
  EXPECT_TRUE(test::WaitFor([&] { return OnScreen(s.window.Minimal().winId()).topLeft() == QPoint(200, 100); }));
  EXPECT_TRUE(test::WaitFor([&] { return !s.window.isVisible(); }));
}

TEST(OnScreen, TheSendBoxHasTheKeyboardAfterItsPrompt) {
  NEED_X;
  Screen s;
  s.app.form1.mnuTerminalIn.Click();
  qt::TerminalView& in = s.tools.terminalIn;
  ASSERT_TRUE(test::WaitFor([&] { return in.isVisible(); }));
  in.activateWindow();
  ASSERT_TRUE(test::WaitFor([&] { return QApplication::activeWindow() == &in; }));
  in.findChild<QCheckBox*>("ChkSend2ComIn")->click();
  QMessageBox* prompt = nullptr;
  ASSERT_TRUE(test::WaitFor([&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) prompt = box;
    return prompt != nullptr;
  }));
  prompt->button(QMessageBox::Ok)->click();
  const QLineEdit* send = in.findChild<QLineEdit*>("TxtSend");
  const QString terminal = QString::number(in.winId());
  auto typingGoesThere = [&] {
    return QApplication::focusWidget() == send && XServer::Run("xdotool", {"getactivewindow"}).trimmed() == terminal;
  };
  EXPECT_TRUE(test::WaitFor(typingGoesThere));
  test::RunFor(500);  // and stays there once the window manager is done
  EXPECT_TRUE(typingGoesThere()) << "the keyboard is in "
                                 << (QApplication::focusWidget() ? qt::FromQ(QApplication::focusWidget()->objectName())
                                                                 : "nothing");
}

// The real program, started from its own folder on the X server.
class Program {
 public:
  Program() { std::filesystem::copy_file(KORALIN_PROGRAM, folder / "koralin-gps"); }
  ~Program() {
    for (auto& p : started_) p->kill(), p->waitForFinished(5000);
  }
  QProcess& Start() {
    auto& p = *started_.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(folder / "koralin-gps"), {});
    EXPECT_TRUE(p.waitForStarted(10000));
    return p;
  }
  // Its windows mapped on screen.
  static QStringList Shown(const QProcess& p) {
    return XServer::Run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(p.processId())})
        .split('\n', Qt::SkipEmptyParts);
  }
  test::TempFolder folder;

 private:
  std::vector<std::unique_ptr<QProcess>> started_;
};

bool Stop(QProcess& p, int sig) {
  if (p.processId() > 0) ::kill(static_cast<pid_t>(p.processId()), sig);
  return p.waitForFinished(10000);
}

TEST(OnScreen, TheMinimalDisplayIsSavedWhereItIsOnSigterm) {
  NEED_X;
  Program program;
  test::WriteSettings(program.folder.path(), [](Settings& s) {
    s.ComPortIn = -1;  // the demo feed
    s.MinimalDisplay = true, s.MinimalLeft = 1500, s.MinimalTop = 1500;
  });
  QProcess& p = program.Start();
  QStringList shown;
  ASSERT_TRUE(test::WaitFor([&] { return (shown = Program::Shown(p)).size() == 1; })) << "only the minimal display";
  const WId id = shown[0].toULongLong();
  ASSERT_TRUE(test::WaitFor([&] { return OnScreen(id).topLeft() == QPoint(100, 100); }));
  XServer::Run("xdotool", {"windowmove", shown[0], "400", "300"});  // the user drags it
  QRect moved;
  ASSERT_TRUE(test::WaitFor([&] { return (moved = OnScreen(id)).topLeft() != QPoint(100, 100); }));
  QThread::msleep(200);  // the program hears of the move
  ASSERT_TRUE(Stop(p, SIGTERM));
  test::TestRig reader;
  reader.app.settings.CfgFileName = program.folder / "Gps.cfg";
  LoadSettings(reader.app);
  EXPECT_EQ(reader.app.settings.MinimalLeft, static_cast<float>(moved.left() * 15));
  EXPECT_EQ(reader.app.settings.MinimalTop, static_cast<float>(moved.top() * 15));
  EXPECT_TRUE(reader.app.settings.MinimalDisplay);
}

TEST(OnScreen, ASecondCopyShowsOnlyItsBox) {
  NEED_X;
  Program program;
  QProcess& first = program.Start();
  ASSERT_TRUE(test::WaitFor([&] { return Program::Shown(first).size() == 1; }));
  QProcess& second = program.Start();
  QStringList shown;
  ASSERT_TRUE(test::WaitFor([&] { return !(shown = Program::Shown(second)).isEmpty(); }));
  QThread::msleep(500);  // nothing else comes up behind it
  shown = Program::Shown(second);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_LT(OnScreen(shown[0].toULongLong()).width(), 600) << "a box, not the main window";
  EXPECT_EQ(second.state(), QProcess::Running) << "the box stays until it is read";
  EXPECT_TRUE(Stop(second, SIGTERM));
  EXPECT_FALSE(test::Exists(program.folder / "Gps.cfg")) << "the refused copy saves nothing";
  EXPECT_EQ(first.state(), QProcess::Running);
}

}  // namespace
}  // namespace koralin

int main(int argc, char* argv[]) {
  ::testing::InitGoogleTest(&argc, argv);
  koralin::XServer server;
  koralin::x = &server;
  qputenv("QT_QPA_PLATFORM", server.missing.isEmpty() ? "xcb" : "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
