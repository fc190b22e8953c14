// Finding sentences in received text, their checksums and their fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace koralin {

// How sentences are taken from the text: with their checksum verified, and
// with "$GP..."/"$HC..." standing for the same sentence from any talker.
// A checksum is a number, so its hex digits may come in either case unless
// crcAnyCase is off.
struct SentenceRules {
  bool crcCheck = false;
  bool anyTalker = false;
  bool crcAnyCase = true;
};

// Why a sentence that is in the text was not taken.
enum class Refusal { kNone, kCrcError, kUndecodable };

// A sentence taken from the text; text is "" when none was taken.
struct FoundSentence {
  std::string text;
  Refusal refusal = Refusal::kNone;
};

// A comma field: its number (field 1 follows the first comma) and the most
// characters the program reads of it.
struct Field {
  int number;
  std::size_t width;
};

// Position (from 1) of the first sentence named prefix in text, at or after
// start; 0 when none. With anyTalker a "$GP..." or "$HC..." name stands for
// the same sentence from any talker of two upper-case letters.
std::size_t FindSentence(std::string_view prefix, std::string_view text, std::size_t start = 1,
                         bool anyTalker = false);
// The first sentence with this prefix in text, checked when crcCheck is on
// (then kept with its "*hh"), else cut before its "*".
FoundSentence GetSentence(const SentenceRules& rules, std::string_view prefix, std::string_view text);
// GetSentence for a sentence whose fields are read as numbers and dates: one
// none of them could take (a field over 20 characters, a number beyond a
// billion, a date that is no date) is refused, so one corrupted sentence
// never stops the input.
FoundSentence GetDecodableSentence(const SentenceRules& rules, std::string_view prefix, std::string_view text);
// The "*hh" after the body matches it: upper-case hex, or either case with anyCase.
bool CrcOk(std::string_view sentence, bool anyCase = false);
// "$" body "*" checksum CR LF, or "" when the text lacks "$" or "*".
std::string AddCrc(std::string_view text);
int CommaCount(std::string_view text);
// Comma field n (field 1 follows the first comma), at most m characters.
std::string GetNmeaField(int n, std::size_t m, std::string_view sentence);
inline std::string GetNmeaField(Field f, std::string_view sentence) { return GetNmeaField(f.number, f.width, sentence); }

}  // namespace koralin
