// The sentence log, playback and the demo feed.
#pragma once

namespace koralin {

struct LogState {
  // The demo step last produced, 1..23; 0 before the first and after the last.
  int DemoStep = 0;
};

}  // namespace koralin
