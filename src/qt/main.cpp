// koralin-gps: the Qt program around the headless core.
#include <QApplication>

#include "qt/command_line.h"
#include "qt/program.h"

int main(int argc, char* argv[]) {
  using namespace koralin;
  if (const int status = qt::EarlyCommandLine(argc, argv); status >= 0) return status;
  qt::CatchDisplayFailure();
  QApplication application(argc, argv);
  qt::ReleaseDisplayFailure();
  QApplication::setApplicationName("koralin-gps");
  qt::CheckOptions(application);
  qt::Program program;
  program.Start();
  return QApplication::exec();
}
