#include "qt/command_line.h"

#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/settings_folder.h"
#include "qt/settings_place.h"

namespace koralin::qt {

namespace {

constexpr const char* kProgram = "Koralin GPS Readout";

void AddOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(QString(kProgram) +
                                   ": reads NMEA-0183 from a GPS receiver and shows position, time, speed and course.");
  parser.addHelpOption();
  parser.addVersionOption();
}

std::string UserGuide() {
  const std::filesystem::path bin(ExecutableFolder());
  const auto installed = bin.parent_path() / "share/doc/koralin-gps/user-guide.md";
  std::error_code ec;
  if (std::filesystem::exists(installed, ec)) return installed.string();
  return KORALIN_SOURCE_DIR "/docs/user-guide.md";
}

QString SettingsText() {
  const SettingsPlace place = LocateSettings();
  QString text =
      "\nSettings: Gps.cfg, ComPorts.cfg, GpsData.log and the instance lock live in one folder:\n"
      "  the program's own folder, when it can be written and the program is not installed\n"
      "  (a bin/ folder beside a share/ folder); otherwise $XDG_CONFIG_HOME/koralin-gps\n"
      "  (default ~/.config/koralin-gps). A Gps.cfg in a read-only program folder gives\n"
      "  the first settings of a user who has none yet.\n"
      "  This copy uses: " +
      QString::fromStdString(place.folder) + "\n";
  text += "\nUser guide: " + QString::fromStdString(UserGuide()) + "\n";
  text += "\nWithout a desktop: QT_QPA_PLATFORM=offscreen koralin-gps\n";
  return text;
}

bool HasDisplay(int argc, char* argv[]) {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  for (int i = 1; i < argc; ++i)
    if (QByteArray(argv[i]) == "-platform" || QByteArray(argv[i]) == "--platform") return true;
  return false;
}

[[noreturn]] void NoDisplay(const char* why) {
  std::fprintf(stderr,
               "koralin-gps: %s; it needs a graphical desktop. To run it without one: "
               "QT_QPA_PLATFORM=offscreen koralin-gps\n",
               why);
  std::fflush(stderr);
  ::_exit(1);
}

QtMessageHandler previousHandler = nullptr;

void FatalToNoDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) NoDisplay("the display cannot be opened");
  // Qt's own warnings (which display, which plugin) stay visible.
  if (previousHandler)
    previousHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int EarlyCommandLine(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  AddOptions(parser);
  // Lenient here: Qt's own window options are known only to the application.
  parser.parse(arguments);
  if (parser.isSet("help") || parser.isSet("help-all") || parser.isSet("version")) {
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(kProgram);
    QCoreApplication::setApplicationVersion(KORALIN_VERSION);
    if (parser.isSet("version")) {
      std::printf("%s %s\n", kProgram, KORALIN_VERSION);
    } else {
      std::printf("%s%s", qPrintable(parser.helpText()), qPrintable(SettingsText()));
    }
    return 0;
  }
  if (!HasDisplay(argc, argv)) NoDisplay("no display is set (neither DISPLAY nor WAYLAND_DISPLAY)");
  return -1;
}

void CatchDisplayFailure() { previousHandler = qInstallMessageHandler(FatalToNoDisplay); }

void ReleaseDisplayFailure() { qInstallMessageHandler(previousHandler); }

void CheckOptions(const QCoreApplication& application) {
  QCommandLineParser parser;
  AddOptions(parser);
  parser.process(application);
}

}  // namespace koralin::qt
