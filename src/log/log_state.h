// The sentence log, playback and the demo feed.
#pragma once

namespace koralin {

struct LogState {};

}  // namespace koralin
