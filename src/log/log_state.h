// The sentence log, playback and the demo feed.
#pragma once

#include <cstddef>
#include <string>

namespace koralin {

struct LogState {
  // The demo step last produced, 1..23; 0 before the first and after the last.
  int DemoStep = 0;
  // Records gathered since the last write to the log file.
  std::string LogBuffer;
  // The fault of the last failed write ("" once a write succeeds): reported
  // once, then retried quietly.
  std::string writeFault;
  // Characters offered since the last failed write.
  std::size_t sinceFailedWrite = 0;
  // A playback is running further down the call stack.
  bool playing = false;
};

}  // namespace koralin
