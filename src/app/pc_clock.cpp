#include "app/pc_clock.h"

#include "app/app.h"

namespace koralin {

// No clock request can be made yet, so none is ever pending.
void SetPcClock(App&, std::string_view) {}

}  // namespace koralin
