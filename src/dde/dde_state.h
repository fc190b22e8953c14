// Published values and the companion link.
#pragma once

#include <array>

namespace koralin {

class Label;

// A label whose caption is published, and the item name it goes by.
struct DdeSource {
  Label* label = nullptr;
  const char* linkItem = "";
};

struct DdeState {
  // The seven published labels, in the order the information box names them.
  std::array<DdeSource, 7> sources;
  bool linkOpen = false;  // the companion link is up
};

}  // namespace koralin
