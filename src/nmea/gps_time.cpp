#include "nmea/gps_time.h"

#include <chrono>

#include "common/basic.h"
#include "nmea/doppler_bearing.h"

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

std::optional<double> UtcSeconds(std::string_view ddmmyy, std::string_view hhmmss) {
  const std::size_t point = hhmmss.find('.');
  const std::string_view whole = hhmmss.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : hhmmss.substr(point + 1);
  if (ddmmyy.size() != 6 || !IsAllDigits(ddmmyy) || whole.size() != 6 || !IsAllDigits(whole) ||
      !IsAllDigits(fraction))
    return std::nullopt;
  using namespace std::chrono;
  const year_month_day date{year{2000 + static_cast<int>(Val(ddmmyy.substr(4, 2)))},
                            month{static_cast<unsigned>(Val(ddmmyy.substr(2, 2)))},
                            day{static_cast<unsigned>(Val(ddmmyy.substr(0, 2)))}};
  const double h = Val(whole.substr(0, 2)), m = Val(whole.substr(2, 2)), s = Val(hhmmss.substr(4));
  if (!date.ok() || h > 23 || m > 59 || s >= 61) return std::nullopt;
  const double days = static_cast<double>(sys_days{date}.time_since_epoch().count());
  return days * 86400 + h * 3600 + m * 60 + s;
}

}  // namespace koralin
