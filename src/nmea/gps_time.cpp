#include "nmea/gps_time.h"

#include "common/basic.h"

namespace koralin {

std::string RoundTime(std::string_view field) {
  if (InStr(field, ".") == 0) return Format(Val(field), "000000");
  const std::string s = Replace(Format(Val(field), "000000.000"), ",", ".");
  const std::size_t point = InStr(s, ".");
  const std::string whole = Left(s, point - 1);
  int carry = RoundHalfEven(Val("0" + Mid(s, point))) >= 1 ? 1 : 0;
  double seconds = Val(Right(whole, 2)) + carry;
  carry = seconds >= 60 ? 1 : 0;
  seconds -= 60 * carry;
  double minutes = Val(Mid(whole, whole.size() - 3, 2)) + carry;
  carry = minutes >= 60 ? 1 : 0;
  minutes -= 60 * carry;
  const double hours = Val(Left(whole, whole.size() - 4)) + carry;
  if (hours >= 24) return "000000";
  return Format(hours, "00") + Format(minutes, "00") + Format(seconds, "00");
}

void FillMonthTable(MonthTable& table) {
  static const char* const kMonths[13][2] = {
      {"Empty", ""},       {"January", "31"}, {"February", "28"}, {"March", "31"},    {"April", "30"},
      {"May", "31"},       {"June", "30"},    {"July", "31"},     {"August", "31"},   {"September", "30"},
      {"Oktober", "31"},   {"November", "30"}, {"December", "31"}};
  for (std::size_t i = 0; i < 13; ++i) table[i] = {kMonths[i][0], kMonths[i][1]};
}

}  // namespace koralin
