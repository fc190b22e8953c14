// The sentence log, playback and the demo feed.
#pragma once

#include <string>

namespace koralin {

struct LogState {
  // Records gathered since the last write to the log file.
  std::string LogBuffer;
  // A playback is running further down the call stack.
  bool playing = false;
};

}  // namespace koralin
