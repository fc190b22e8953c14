#include "df/hunt_file.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "common/basic.h"
#include "df/hunt.h"

namespace koralin {

namespace {

// A whole field as a finite number; none for anything else.
std::optional<double> Number(std::string_view field) {
  double v = 0;
  const char* end = field.data() + field.size();
  const auto [ptr, ec] = std::from_chars(field.data(), end, v);
  if (ec != std::errc() || ptr != end || field.empty() || !std::isfinite(v)) return std::nullopt;
  return v;
}


}  // namespace

std::optional<double> TimeOf(std::string_view t) {
  unsigned y = 0, mo = 0, d = 0, h = 0, mi = 0;
  double s = 0;
  int used = 0;
  const std::string text(t);
  if (std::sscanf(text.c_str(), "%4u-%2u-%2uT%2u:%2u:%lfZ%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
      used != static_cast<int>(text.size()) || h > 23 || mi > 59 || !(s >= 0 && s < 61))
    return std::nullopt;
  using namespace std::chrono;
  const year_month_day date{year{static_cast<int>(y)}, month{mo}, day{d}};
  if (!date.ok()) return std::nullopt;
  return static_cast<double>(sys_days{date}.time_since_epoch().count()) * 86400 + h * 3600.0 + mi * 60.0 + s;
}

namespace {

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> f;
  for (;;) {
    const std::size_t comma = text.find(',');
    f.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return f;
    text.remove_prefix(comma + 1);
  }
}

// A source as the file can hold it: one field on one line.
std::string CleanSource(std::string_view source) {
  std::string s(source);
  for (char& c : s)
    if (c == ',' || static_cast<unsigned char>(c) < 0x20) c = ' ';
  return s;
}

}  // namespace

std::string TimeText(double seconds) {
  using namespace std::chrono;
  const double whole = std::floor(seconds);
  const sys_seconds t{std::chrono::seconds{static_cast<long long>(whole)}};
  const sys_days day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss hms{t - day};
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02uT%02lld:%02lld:%02lld", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<long long>(hms.hours().count()), static_cast<long long>(hms.minutes().count()),
                static_cast<long long>(hms.seconds().count()));
  std::string s = buf;
  const int hundredths = static_cast<int>(std::lround((seconds - whole) * 100));
  if (hundredths > 0 && hundredths < 100) s += "." + Format(static_cast<double>(hundredths), "00");
  return s + "Z";
}

std::string FormatHuntLine(const LineOfBearing& l) {
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, ",%.7f,%.7f,%.1f,", l.latitude, l.longitude, l.bearing);
  const std::string quality = l.quality == kNoQuality ? "" : std::to_string(l.quality);
  return TimeText(l.time) + numbers + quality + "," + CleanSource(l.source);
}

std::optional<LineOfBearing> ParseHuntLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  const std::vector<std::string_view> f = Fields(text);
  if (f.size() != 6) return std::nullopt;
  const auto time = TimeOf(f[0]);
  const auto lat = Number(f[1]), lon = Number(f[2]), bearing = Number(f[3]);
  const auto quality = f[4].empty() ? std::optional<double>(kNoQuality) : Number(f[4]);
  if (!time || !lat || !lon || !bearing || !quality) return std::nullopt;
  if (std::abs(*lat) > 90 || std::abs(*lon) > 180 || *bearing < 0 || *bearing > 360) return std::nullopt;
  if (*quality != kNoQuality && (*quality < 0 || *quality > 9 || *quality != std::floor(*quality)))
    return std::nullopt;
  LineOfBearing l;
  l.time = *time;
  l.latitude = *lat;
  l.longitude = *lon;
  l.bearing = *bearing == 360 ? 0 : *bearing;
  l.quality = static_cast<int>(*quality);
  l.source = CleanSource(f[5]);
  return l;
}

HuntFileContents ParseHuntFile(std::string_view text) {
  HuntFileContents c;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line == "\r") continue;
    if (auto l = ParseHuntLine(line))
      c.lines.push_back(std::move(*l));
    else
      ++c.damaged;
  }
  if (c.lines.size() > DfHunt::kMaxLines)
    c.lines.erase(c.lines.begin(), c.lines.end() - static_cast<std::ptrdiff_t>(DfHunt::kMaxLines));
  return c;
}

}  // namespace koralin
