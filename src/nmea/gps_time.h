// The time and date of $GPRMC: rounding the time field, and the months.
#pragma once

#include <array>
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

}  // namespace koralin
