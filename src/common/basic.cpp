#include "common/basic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/error.h"

namespace koralin {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A finite number as decimal digits: value = digits[0].digits[1..] x 10^exponent.
struct Decimal {
  bool negative = false;
  std::string digits;  // significant digits, exactly `significant` of them
  int exponent = 0;
};

Decimal ToDecimal(double v, int significant) {
  if (!std::isfinite(v)) throw RunTimeError(6);
  char buf[64];
  // The shortest form that reads back as v is, when it is short enough, the
  // same as v rounded to `significant` digits, and much cheaper to get.
  auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific).ptr;
  const auto mantissa = static_cast<int>(std::find(buf, end, 'e') - buf) - (v < 0 ? 1 : 0);
  if (mantissa - (mantissa > 1 ? 1 : 0) > significant)
    end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1).ptr;
  Decimal d;
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  d.digits.reserve(static_cast<std::size_t>(significant));
  for (; p < end && *p != 'e'; ++p)
    if (IsDigit(*p)) d.digits += *p;
  if (p < end) std::from_chars(p + (p[1] == '+' ? 2 : 1), end, d.exponent);
  d.digits.resize(static_cast<std::size_t>(significant), '0');
  return d;
}

// Integer and fraction digits of a number rounded half to even at `decimals`
// places. The integer text has no leading zeros ("" for zero).
struct Rounded {
  bool negative = false;
  std::string integer;
  std::string fraction;
  bool IsZero() const { return integer.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

Rounded RoundDecimal(const Decimal& d, int decimals) {
  // Digits kept: every digit whose place is at or above 10^-decimals.
  const int kept = d.exponent + 1 + decimals;
  std::string digits;  // kept digits, most significant first
  if (kept > 0) {
    digits = d.digits.substr(0, static_cast<std::size_t>(std::min<int>(kept, static_cast<int>(d.digits.size()))));
    if (static_cast<int>(digits.size()) < kept) digits.append(static_cast<std::size_t>(kept) - digits.size(), '0');
  }
  if (kept >= 0 && kept < static_cast<int>(d.digits.size())) {
    const char next = d.digits[static_cast<std::size_t>(kept)];
    const bool restZero = d.digits.find_first_not_of('0', static_cast<std::size_t>(kept) + 1) == std::string::npos;
    const bool lastOdd = !digits.empty() && ((digits.back() - '0') % 2 == 1);
    const bool up = next > '5' || (next == '5' && (!restZero || lastOdd));
    if (up) {
      int i = static_cast<int>(digits.size()) - 1;
      for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) digits[static_cast<std::size_t>(i)] = '0';
      if (i >= 0)
        ++digits[static_cast<std::size_t>(i)];
      else
        digits.insert(digits.begin(), '1');
    }
  }
  Rounded r;
  r.negative = d.negative;
  // Split: the last `decimals` digits are the fraction.
  if (static_cast<int>(digits.size()) < decimals) digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
  const std::size_t split = digits.size() - static_cast<std::size_t>(decimals);
  r.integer = digits.substr(0, split);
  r.fraction = digits.substr(split);
  const auto nz = r.integer.find_first_not_of('0');
  r.integer = nz == std::string::npos ? std::string() : r.integer.substr(nz);
  return r;
}

// The common case without the decimal expansion: a value far from a tie at
// `decimals` places rounds the same whichever way it is written, so plain
// binary rounding is exact. Near a tie, or for big numbers, the caller takes
// the decimal path. Only for doubles (15 significant digits).
bool FastRound(double v, int decimals, int significant, Rounded& out) {
  static constexpr double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  if (significant != 15 || decimals < 0 || decimals > 9 || !std::isfinite(v)) return false;
  const double scaled = std::fabs(v) * kPowers[decimals];
  if (scaled >= 1e9) return false;
  const double whole = std::floor(scaled);
  const double part = scaled - whole;
  if (std::fabs(part - 0.5) < 1e-5) return false;  // near a tie: decide on the decimal digits
  const auto n = static_cast<long long>(part > 0.5 ? whole + 1 : whole);
  char buf[24];
  std::string digits(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
  const auto d = static_cast<std::size_t>(decimals);
  if (digits.size() <= d) digits.insert(0, d + 1 - digits.size(), '0');
  out.negative = v < 0;
  out.integer = digits.substr(0, digits.size() - d);
  out.fraction = digits.substr(digits.size() - d);
  if (out.integer == "0") out.integer.clear();
  return true;
}

Rounded RoundAt(double v, int decimals, int significant) {
  Rounded r;
  if (FastRound(v, decimals, significant, r)) return r;
  return RoundDecimal(ToDecimal(v, significant), decimals);
}

double RoundWith(double v, int decimals, int significant) {
  if (!std::isfinite(v)) throw RunTimeError(6);
  const Rounded r = RoundAt(v, decimals, significant);
  const std::string text = (r.negative ? "-" : "") + (r.integer.empty() ? "0" : r.integer) + "." + r.fraction + "0";
  double out = 0;
  std::from_chars(text.data(), text.data() + text.size(), out);
  return out;
}

std::string StrWith(double v, int significant) {
  if (v == 0) return " 0";
  const Decimal d = ToDecimal(v, significant);
  std::string digits = d.digits;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = d.negative ? "-" : " ";
  if (d.exponent >= significant || d.exponent < -4) {
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return out + e;
  }
  if (d.exponent < 0) return out + "." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + digits;
  const std::size_t intLen = static_cast<std::size_t>(d.exponent) + 1;
  if (digits.size() <= intLen) return out + digits + std::string(intLen - digits.size(), '0');
  return out + digits.substr(0, intLen) + "." + digits.substr(intLen);
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

std::string FormatWith(double v, std::string_view pattern, int significant) {
  const std::size_t point = pattern.find('.');
  const std::string_view intPat = pattern.substr(0, point);
  const std::string_view fracPat = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
  int decimals = 0;
  for (char c : fracPat) decimals += IsPlaceholder(c) ? 1 : 0;
  const Rounded r = RoundAt(v, decimals, significant);

  // Integer part: digits fill the placeholders from the right; surplus digits
  // go in front of the leftmost placeholder.
  std::string intOut;
  std::size_t used = 0;
  std::size_t leftmost = intPat.find_first_of("0#");
  for (std::size_t i = intPat.size(); i-- > 0;) {
    const char c = intPat[i];
    if (!IsPlaceholder(c)) {
      intOut.insert(intOut.begin(), c);
      continue;
    }
    std::string piece;
    if (used < r.integer.size()) {
      piece = r.integer[r.integer.size() - 1 - used];
      ++used;
    } else if (c == '0') {
      piece = "0";
    }
    if (i == leftmost && used < r.integer.size()) {
      piece = r.integer.substr(0, r.integer.size() - used) + piece;
      used = r.integer.size();
    }
    intOut.insert(0, piece);
  }
  if (leftmost == std::string_view::npos) intOut += r.integer;  // no integer placeholders: ".00000"

  std::string fracOut;
  std::size_t fi = 0;
  for (char c : fracPat) fracOut += IsPlaceholder(c) ? r.fraction[fi++] : c;
  // Optional trailing decimals are dropped when zero.
  std::size_t keep = fracOut.size();
  for (std::size_t i = fracPat.size(); i-- > 0 && fracPat[i] == '#' && fracOut[i] == '0';) keep = i;
  fracOut.resize(keep);

  std::string out = (r.negative && !r.IsZero()) ? "-" : "";
  out += intOut;
  if (point != std::string_view::npos) out += "." + fracOut;
  return out;
}

}  // namespace

std::size_t InStr(std::size_t start, std::string_view hay, std::string_view needle) {
  if (start == 0) start = 1;
  if (start > hay.size() + 1) return 0;
  const auto pos = hay.find(needle, start - 1);
  return pos == std::string_view::npos ? 0 : pos + 1;
}

std::size_t InStrRev(std::string_view hay, std::string_view needle, std::size_t start) {
  if (start == 0 || start > hay.size()) start = hay.size();
  if (needle.size() > start) return 0;
  if (needle.empty()) return start;
  // Look for the first character before comparing the rest: polls are long
  // and the marks searched for are rare.
  for (std::size_t pos = start - needle.size() + 1; pos-- > 0;)
    if (hay[pos] == needle[0] && hay.compare(pos, needle.size(), needle) == 0) return pos + 1;
  return 0;
}

std::string Mid(std::string_view s, std::size_t start, std::size_t len) {
  if (start == 0) start = 1;
  if (start > s.size()) return {};
  return std::string(s.substr(start - 1, len));
}

std::string Left(std::string_view s, std::size_t len) { return std::string(s.substr(0, len)); }

std::string Right(std::string_view s, std::size_t len) {
  return len >= s.size() ? std::string(s) : std::string(s.substr(s.size() - len));
}

std::string UCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = static_cast<char>(u - 0x20);
  }
  return out;
}

std::string LCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 0x20);
  }
  return out;
}

std::string Replace(std::string_view s, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(s);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(what, from)) != std::string_view::npos; from = at + what.size()) {
    out.append(s.substr(from, at - from));
    out.append(with);
  }
  out.append(s.substr(from));
  return out;
}

std::string Trim(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

double Val(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i + 1 < s.size() && s[i] == '&' && (s[i + 1] == 'H' || s[i + 1] == 'h')) {
    std::uint32_t v = 0;
    std::size_t n = 0;
    for (i += 2; i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i])) && n < 8; ++i, ++n)
      v = v * 16 + static_cast<std::uint32_t>(std::stoi(std::string(1, s[i]), nullptr, 16));
    return n <= 4 ? static_cast<std::int16_t>(v) : static_cast<std::int32_t>(v);
  }
  std::string clean;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) clean += s[i++];
  bool digits = false;
  for (; i < s.size() && IsDigit(s[i]); ++i, digits = true) clean += s[i];
  if (i < s.size() && s[i] == '.') {
    clean += s[i++];
    for (; i < s.size() && IsDigit(s[i]); ++i, digits = true) clean += s[i];
  }
  if (!digits) return 0;
  if (i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exp = "e";
    if (s[j] == '+' || s[j] == '-') exp += s[j++];
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]) && exp.size() < 8; ++j) exp += s[j];
      clean += exp;
    }
  }
  const char* first = clean.data() + (clean[0] == '+' ? 1 : 0);
  double v = 0;
  const auto [ptr, ec] = std::from_chars(first, clean.data() + clean.size(), v);
  if (ec == std::errc::result_out_of_range) {
    // Too small underflows to zero; too big is an overflow.
    if (clean.find_first_of("eEdD") != std::string::npos && clean[clean.find_first_of("eEdD") + 1] == '-') return 0;
    throw RunTimeError(6);
  }
  return v;
}

double RoundHalfEven(double v, int decimals) { return RoundWith(v, decimals, 15); }

float RoundHalfEven(float v, int decimals) { return static_cast<float>(RoundWith(v, decimals, 7)); }

std::int16_t CInt(double v) {
  const double r = RoundHalfEven(v);
  if (r < -32768.0 || r > 32767.0) throw RunTimeError(6);
  return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double v) {
  const double r = RoundHalfEven(v);
  if (r < -2147483648.0 || r > 2147483647.0) throw RunTimeError(6);
  return static_cast<std::int32_t>(r);
}

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", v);
  return buf;
}

std::string Str(double v) { return StrWith(v, 15); }
std::string Str(float v) { return StrWith(v, 7); }
std::string Str(long long v) { return (v >= 0 ? " " : "") + std::to_string(v); }

std::string Format(double v, std::string_view pattern) { return FormatWith(v, pattern, 15); }
// A single is formatted from its exact binary value, so its digits beyond the
// seventh show through as they do in the program's number formatting.
std::string Format(float v, std::string_view pattern) { return FormatWith(static_cast<double>(v), pattern, 15); }

}  // namespace koralin
