// The program as a user starts it from a terminal with no desktop: --help and
// --version answer, a start without a display ends with one line and status 1
// (not Qt's abort), and a mistyped option is refused.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace koralin {
namespace {

TEST(CommandLine, AnswersAndRefusalsWithoutADisplay) {
  struct Row {
    QStringList args;
    const char* display;   // DISPLAY, or nullptr for none
    const char* platform;  // QT_QPA_PLATFORM, or nullptr for none
    int exitCode;
    const char* out;  // standard output holds this
    const char* err;  // the last line of standard error holds this
  };
  const Row rows[] = {
      {{"--version"}, nullptr, nullptr, 0, "Koralin GPS Readout 1.21\n", ""},
      {{"-v"}, nullptr, nullptr, 0, "Koralin GPS Readout 1.21\n", ""},
      {{"--help"}, nullptr, nullptr, 0, "--version", ""},
      {{"--help"}, nullptr, nullptr, 0, "User guide: /", ""},
      {{"--help"}, nullptr, nullptr, 0, "$XDG_CONFIG_HOME/koralin-gps", ""},
      {{}, nullptr, nullptr, 1, "", "needs a graphical desktop. To run it without one: QT_QPA_PLATFORM=offscreen"},
      {{}, ":97", nullptr, 1, "", "the display cannot be opened; it needs a graphical desktop"},
      {{"--bogus"}, nullptr, "offscreen", 1, "", "Unknown option 'bogus'"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString() + " DISPLAY=" + (r.display ? r.display : "-"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (r.display) env.insert("DISPLAY", r.display);
    if (r.platform) env.insert("QT_QPA_PLATFORM", r.platform);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(KORALIN_PROGRAM, r.args);
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QStringList err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed().split('\n');
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "never an abort";
    EXPECT_EQ(p.exitCode(), r.exitCode);
    if (QString(r.out).endsWith('\n'))
      EXPECT_EQ(out.toStdString(), r.out);
    else
      EXPECT_TRUE(out.contains(r.out)) << out.toStdString();
    EXPECT_TRUE(err.last().contains(r.err)) << err.join('\n').toStdString();
    if (r.exitCode == 1 && !r.display && !r.platform) {
      EXPECT_EQ(err.size(), 1) << "one line";
    }
  }
}

}  // namespace
}  // namespace koralin
