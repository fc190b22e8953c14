// Setting the PC clock from GPS time.
#pragma once

#include <string_view>

namespace koralin {

struct App;

// Performs a pending clock request with the rounded time hhmmss.
void SetPcClock(App& app, std::string_view t);

}  // namespace koralin
