// The command line: --help and --version answered before any window system
// is touched, and a start without a display turned into one plain line and
// exit status 1 instead of Qt's abort.
#pragma once

class QCoreApplication;

namespace koralin::qt {

// Returns the exit status when the program ends here, or -1 to go on.
int EarlyCommandLine(int argc, char* argv[]);

// Construct the QApplication between these two: a display that is set but
// cannot be opened ends the program with the same line as no display.
void CatchDisplayFailure();
void ReleaseDisplayFailure();

// With the application made (Qt has taken its own options), anything left
// that is not ours ends the program with Qt's message.
void CheckOptions(const QCoreApplication& application);

}  // namespace koralin::qt
