// Basic-style text and number helpers. The program's texts are 8-bit byte
// strings and its positions count from 1; every subsystem uses these so that
// numbers are read, rounded and written the same way everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace koralin {

// The degree sign, byte 0xB0 (Latin-1).
inline constexpr char kDegree = '\xB0';
inline constexpr std::string_view kCrLf = "\r\n";

// ---- texts, 1-based ----

// Position of needle in hay at or after start (1-based), 0 when absent.
// An empty needle is found at start, as long as start lies within hay + 1.
std::size_t InStr(std::size_t start, std::string_view hay, std::string_view needle);
inline std::size_t InStr(std::string_view hay, std::string_view needle) { return InStr(1, hay, needle); }

// Last position of needle in hay that starts at or before start (1-based);
// start 0 means the end of hay. 0 when absent.
std::size_t InStrRev(std::string_view hay, std::string_view needle, std::size_t start = 0);

// Up to len characters from position start (1-based); "" past the end.
std::string Mid(std::string_view s, std::size_t start, std::size_t len = std::string_view::npos);
std::string Left(std::string_view s, std::size_t len);
std::string Right(std::string_view s, std::size_t len);

// Case folding of ASCII and Latin-1 letters.
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// Every occurrence of what replaced by with.
std::string Replace(std::string_view s, std::string_view what, std::string_view with);

// Removes leading and trailing blanks.
std::string Trim(std::string_view s);

// ---- numbers ----

// The leading number of a text: leading blanks skipped, an optional sign,
// digits with an optional point and exponent; "12abc" is 12, "abc" is 0.
double Val(std::string_view s);

// Half-to-even rounding of the decimal value as the program shows it: a
// double is taken at 15 significant digits, a single at 7, so 2.675 ties.
double RoundHalfEven(double v, int decimals = 0);
float RoundHalfEven(float v, int decimals = 0);

// Whole-number conversions with the 16- and 32-bit ranges of the settings;
// a value out of range raises run-time error 6 (Overflow).
std::int16_t CInt(double v);
std::int32_t CLng(double v);

// Upper-case hexadecimal without leading zeros.
std::string Hex(std::uint32_t v);

// Decimal text of a number, shortest form, with a leading blank for a
// non-negative number and no zero before the point (" 62", "-5", " .5").
std::string Str(double v);
std::string Str(float v);
std::string Str(long long v);
inline std::string Str(int v) { return Str(static_cast<long long>(v)); }
inline std::string Str(long v) { return Str(static_cast<long long>(v)); }

// Str without its leading blank.
template <class T> std::string NumText(T v) { return Trim(Str(v)); }

// Formats a number with a digit pattern: "0" a digit always shown, "#" a
// digit shown when significant, "." the decimal point; any other character
// is copied ("00:00:00"). Rounds half to even; the point is always ".".
// A single is formatted from its exact binary value.
std::string Format(double v, std::string_view pattern);
std::string Format(float v, std::string_view pattern);

}  // namespace koralin
