// Setting the PC clock from GPS time, once per request.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

void mnuUTC_Click(App& app);
void mnuWinter_Click(App& app);
void mnuSummer_Click(App& app);
void mnuTimeZone_Click(App& app);
// Captions mnuTimeZone with TimeZoneOffset.
void TimeZoneCaption(App& app);

// Performs a pending clock request with the rounded time hhmmss.
void SetPcClock(App& app, std::string_view t);

// The date dd-mm-yyyy one day later (days 1) or earlier (days -1); any
// other day change gives the date unchanged, an empty date "".
std::string ShiftDate(App& app, std::string_view date, int days);

}  // namespace koralin
