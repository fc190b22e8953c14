#include "nmea/sentence.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/basic.h"
#include "common/error.h"

namespace koralin {

namespace {

// No field of a real sentence is longer, and no number larger (dates, times,
// positions, speeds and altitudes all stay far below).
constexpr std::size_t kLongestField = 20;
constexpr double kLargestNumber = 1e9;
constexpr int kRmcDateField = 9;

bool FieldDecodable(std::string_view field) {
  if (field.size() > kLongestField) return false;
  try {
    return std::fabs(Val(field)) <= kLargestNumber;
  } catch (const RunTimeError&) {
    return false;
  }
}

// ddmmyy as ShowGPSDate and the clock read it: a month from 0 ("Empty") to 12,
// a day up to 31.
bool DateDecodable(std::string_view d) {
  if (d.size() != 6) return true;
  const double day = Val(d.substr(0, 2)), month = RoundHalfEven(Val(d.substr(2, 2)));
  return day >= 0 && day <= 31 && month >= 0 && month <= 12;
}

bool Decodable(std::string_view prefix, std::string_view sentence) {
  const std::string_view body = sentence.substr(0, sentence.find('*'));
  std::size_t from = 0;
  for (int n = 0;; ++n) {
    const std::size_t comma = body.find(',', from);
    const std::string_view field = body.substr(from, comma == std::string_view::npos ? comma : comma - from);
    if (n > 0 && !FieldDecodable(field)) return false;
    if (n == kRmcDateField && prefix == "$GPRMC" && !DateDecodable(field)) return false;
    if (comma == std::string_view::npos) return true;
    from = comma + 1;
  }
}

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// The body is the a - 2 characters after the first "$" (d), where a is the
// first "*" at or after d + 6: for a text that starts with "$", exactly what
// stands between "$" and "*". False when either mark is missing.
struct Body {
  std::string_view text;  // a view into the text searched
  std::size_t star = 0;  // position of the "*"
  unsigned x = 0;        // exclusive-or of the body's characters
};

std::optional<Body> FindBody(std::string_view s) {
  const std::size_t d = InStr(s, "$");
  if (d == 0) return std::nullopt;
  const std::size_t a = InStr(d + 6, s, "*");
  if (a == 0) return std::nullopt;
  Body b{s.substr(d, a - 2), a, 0};  // Mid(s, d + 1, a - 2)
  for (char c : b.text) b.x ^= static_cast<unsigned char>(c);
  return b;
}

std::string TwoDigitHex(unsigned x) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(x >> 4) & 0xF], kDigits[x & 0xF]};
}

std::string WithoutLineEnds(std::string s) {
  s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }), s.end());
  return s;
}

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The names whose talker may be any: the GPS's own and the compass's.
bool AnyTalkerName(bool anyTalker, std::string_view prefix) {
  return anyTalker && (prefix.starts_with("$GP") || prefix.starts_with("$HC"));
}

}  // namespace

std::size_t FindSentence(std::string_view prefix, std::string_view text, std::size_t start, bool anyTalker) {
  if (!AnyTalkerName(anyTalker, prefix)) return InStr(start, text, prefix);
  const std::string_view kind = prefix.substr(3);  // "RMC" of "$GPRMC"
  for (std::size_t i = start == 0 ? 0 : start - 1; i + prefix.size() <= text.size(); ++i) {
    if (text[i] == '$' && IsUpperLetter(text[i + 1]) && IsUpperLetter(text[i + 2]) &&
        text.substr(i + 3, kind.size()) == kind)
      return i + 1;
  }
  return 0;
}

FoundSentence GetSentence(const SentenceRules& rules, std::string_view prefix, std::string_view text) {
  const std::size_t at = FindSentence(prefix, text, 1, rules.anyTalker);
  if (at == 0) return {};
  const std::string_view s = text.substr(at - 1);
  if (rules.crcCheck) {
    const std::size_t star = InStr(std::max<std::size_t>(prefix.size(), 1), s, "*");
    if (star == 0 || s.size() < star + 2) return {};
    const std::string candidate(s.substr(0, star + 2));
    if (!CrcOk(candidate, rules.crcAnyCase)) return {{}, Refusal::kCrcError};
    return {WithoutLineEnds(candidate)};
  }
  const std::size_t limit = std::min<std::size_t>(s.size(), 79);
  const std::size_t star = s.substr(0, limit).find('*');
  if (star != std::string_view::npos) return {WithoutLineEnds(std::string(s.substr(0, star)))};
  if (s.size() >= 79) return {WithoutLineEnds(std::string(s.substr(0, 78)))};
  return {};
}

FoundSentence GetDecodableSentence(const SentenceRules& rules, std::string_view prefix, std::string_view text) {
  FoundSentence found = GetSentence(rules, prefix, text);
  if (found.text.empty() || Decodable(prefix, found.text)) return found;
  return {{}, Refusal::kUndecodable};
}

bool CrcOk(std::string_view sentence, bool anyCase) {
  if (sentence.size() < 8) return false;
  const auto body = FindBody(sentence);
  if (!body) return false;
  std::string given = Mid(sentence, body->star + 1, 2);
  if (anyCase) given = UCase(given);
  if (given.empty() || !IsUpperHexDigit(given[0])) return false;
  std::string g = given.size() == 2 && IsUpperHexDigit(given[1]) ? given : given.substr(0, 1);
  if (g.size() == 1) g = "0" + g;
  return g == TwoDigitHex(body->x);
}

std::string AddCrc(std::string_view text) {
  const auto body = text.empty() ? std::nullopt : FindBody(text);
  if (!body) return {};
  return "$" + std::string(body->text) + "*" + TwoDigitHex(body->x) + std::string(kCrLf);
}

int CommaCount(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), ',')); }

std::string GetNmeaField(int n, std::size_t m, std::string_view sentence) {
  if (n < 1) return {};
  int count = 0;
  for (std::size_t i = 0; i < sentence.size(); ++i) {
    if (sentence[i] != ',') continue;
    if (++count < n) continue;
    // The field starts after this comma; a comma at once means it is empty.
    if (i + 1 >= sentence.size() || sentence[i + 1] == ',') return {};
    const std::string_view field = sentence.substr(i + 1, m);
    return std::string(field.substr(0, field.find(',')));
  }
  return {};
}

}  // namespace koralin
