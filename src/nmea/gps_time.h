// The time and date of $GPRMC: rounding the time field and naming the month.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

// hhmmss of a time field, the fraction of a second rounded half to even.
std::string RoundTime(std::string_view field);
// Fills the date texts from the current sentence's date field.
void ShowGPSDate(App& app);
void FillMonthTable(App& app);

}  // namespace koralin
