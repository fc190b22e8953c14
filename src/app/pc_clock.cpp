#include "app/pc_clock.h"

#include <array>

#include "app/app.h"
#include "app/events.h"
#include "common/basic.h"
#include "common/error.h"
#include "serial/port_errors.h"

namespace koralin {

namespace {

void RequestClock(App& app, const char* firstLine, int offset) {
  MsgBox(app, std::string(firstLine) + std::string(kCrLf) + "as soon as possible now.", kTitle,
         MsgIcon::kInformation);
  app.shell.ClockOffsetPending = offset;
}

// Day, month and year of dd-mm-yyyy; missing parts are empty.
std::array<std::string, 3> SplitDate(std::string_view date) {
  std::array<std::string, 3> parts;
  std::size_t start = 1;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::size_t dash = i < 2 ? InStr(start, date, "-") : 0;
    parts[i] = dash ? Mid(date, start, dash - start) : Mid(date, start);
    if (!dash) break;
    start = dash + 1;
  }
  return parts;
}

bool IsLeapYear(int year) { return year % 4 == 0; }

int MonthLength(App& app, int month) {
  if (month < 0 || month > 12) throw RunTimeError(err::kSubscriptOutOfRange);
  return static_cast<int>(Val(app.fix.MonthTable[static_cast<std::size_t>(month)].days));
}

std::string DateText(int day, int month, int year) {
  return Format(static_cast<double>(day), "00") + "-" + Format(static_cast<double>(month), "00") + "-" +
         Format(static_cast<double>(year), "0000");
}

// A whole number of at most `digits` digits, else a type mismatch.
int DigitsValue(std::string_view s, std::size_t digits) {
  if (s.empty() || s.size() > digits) throw RunTimeError(err::kTypeMismatch);
  for (char c : s)
    if (c < '0' || c > '9') throw RunTimeError(err::kTypeMismatch);
  return static_cast<int>(Val(s));
}

// The local date and time the clock is set to; text that is not a real
// date is a type mismatch.
DateTime ReadDateTime(std::string_view date, std::string_view time) {
  const auto d = SplitDate(date);
  DateTime t;
  t.day = DigitsValue(d[0], 2);
  t.month = DigitsValue(d[1], 2);
  t.year = DigitsValue(d[2], 4);
  t.hour = DigitsValue(Mid(time, 1, 2), 2);
  t.minute = DigitsValue(Mid(time, 4, 2), 2);
  t.second = DigitsValue(Mid(time, 7, 2), 2);
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.month < 1 || t.month > 12) throw RunTimeError(err::kTypeMismatch);
  const bool leap = t.year % 4 == 0 && (t.year % 100 != 0 || t.year % 400 == 0);
  const int last = kDays[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
  if (t.day < 1 || t.day > last || t.hour > 23 || t.minute > 59 || t.second > 59)
    throw RunTimeError(err::kTypeMismatch);
  return t;
}

// The system answered a setting that waited. A refusal is told as one at once
// is, by the input's report, and the request stays; a request made meanwhile
// for another offset stays too.
void ClockAnswered(App& app, int offset, int port, const std::optional<RunTimeError>& refusal) {
  if (!refusal) {
    if (app.shell.ClockOffsetPending == offset) app.shell.ClockOffsetPending.reset();
    return;
  }
  if (app.settings.ComPortIn == port)
    ComPortInError(app, "getGPSinput", refusal->what(), port);
  else  // the input changed meanwhile and is none of the clock's business
    MsgBox(app, refusal->what(), kTitle, MsgIcon::kCritical);
}

}  // namespace

void mnuUTC_Click(App& app) { RequestClock(app, "The PC time will be synchronised with GPS UTC time", 0); }

void mnuWinter_Click(App& app) {
  RequestClock(app, "The PC clock will be synchronised with the GPS UTC time +1", 1);
}

void mnuSummer_Click(App& app) { RequestClock(app, "The PC time will be synchronised with GPS UTC time  +2", 2); }

void mnuTimeZone_Click(App& app) {
  Settings& s = app.settings;
  const std::string answer = app.platform.dialogs.InputBox(
      "Give timezone offset for setting the PC clock as soon as possible" + std::string(kCrLf) +
          "Range -12 to +12 hours.",
      kTitle, NumText(s.TimeZoneOffset));
  if (answer.empty()) return;
  double v = 99;  // a number too large to read is out of range as well
  try {
    v = Val(answer);
  } catch (const RunTimeError&) {
  }
  if (v < -12 || v > 12) {
    app.platform.system.Beep();
    return;
  }
  const int offset = static_cast<int>(RoundHalfEven(v));
  app.shell.ClockOffsetPending = offset;
  s.TimeZoneOffset = static_cast<std::int16_t>(offset);
  TimeZoneCaption(app);
}

void TimeZoneCaption(App& app) {
  const int offset = app.settings.TimeZoneOffset;
  app.form1.mnuTimeZone.SetCaption("O&ther TimeZone (" + std::string(offset > 0 ? "+" : "") + NumText(offset) +
                                   ")...");
}

void SetPcClock(App& app, std::string_view t) {
  const std::optional<int> offset = app.shell.ClockOffsetPending;
  if (t.size() != 6 || app.settings.ComPortIn < 1 || !offset) return;
  int h = static_cast<int>(Val(Left(t, 2))) + *offset;
  int days = 0;
  if (h > 23) {
    h -= 24;
    days = 1;
  } else if (h < 0) {
    h += 24;
    days = -1;
  }
  const std::string time = Format(static_cast<double>(h), "00") + Mid(app.fix.UtcTimeText, 3);
  const std::string date = ShiftDate(app, app.fix.UtcDateText, days);
  const DateTime when = ReadDateTime(date, time);
  ClockSetter& clock = app.platform.clock;
  if (clock.Busy()) return;  // one setting at a time; this one waits for the system
  const int port = app.settings.ComPortIn;
  // A refusal at once raises here and leaves the request pending.
  const bool set = clock.Start(when, [&app, offset = *offset, port](const std::optional<RunTimeError>& refusal) {
    Guarded(app, [&](App& a) { ClockAnswered(a, offset, port, refusal); })();
  });
  if (set) app.shell.ClockOffsetPending.reset();
}

std::string ShiftDate(App& app, std::string_view date, int days) {
  if (date.empty()) return {};
  if (days == 0 || days > 1 || days < -1) return std::string(date);
  const auto parts = SplitDate(date);
  int day = CInt(Val(parts[0]));
  int month = CInt(Val(parts[1]));
  int year = CInt(Val(parts[2]));
  const bool leap = IsLeapYear(year);
  const int n = day + days;
  if (n > 28 && month == 2) {
    if (leap && n == 29) return DateText(29, 2, year);
    return DateText(1, 3, year);
  }
  if (n < 1 && month == 3) return DateText(leap ? 29 : 28, 2, year);
  day = n;
  if (day > MonthLength(app, month)) {
    day = 1;
    ++month;
  } else if (day < 1) {
    day = MonthLength(app, month == 1 ? 12 : month - 1);
    --month;
  }
  if (month > 12) {
    month = 1;
    ++year;
  } else if (month < 1) {
    month = 12;
    --year;
  }
  return DateText(day, month, year);
}

}  // namespace koralin
