// The time and date of $GPRMC: rounding the time field, and the months.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace koralin {

struct MonthRow {
  std::string name;
  std::string days;
};
// Row 0 stands for a month field of 00.
using MonthTable = std::array<MonthRow, 13>;

// hhmmss of a time field, the fraction of a second rounded half to even.
std::string RoundTime(std::string_view field);
void FillMonthTable(MonthTable& table);
// Seconds since 1970 UTC of a ddmmyy date (years 2000-2099) and an
// hhmmss[.ss] time; none when either is no date or time.
std::optional<double> UtcSeconds(std::string_view ddmmyy, std::string_view hhmmss);

}  // namespace koralin
