// Published values and the companion link.
#pragma once

namespace koralin {

struct DdeState {
  bool linkOpen = false;  // the companion link is up
};

}  // namespace koralin
