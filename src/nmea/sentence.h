// Finding sentences in received text, their checksums and their fields.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

// Position (from 1) of the first sentence named prefix in text, at or after
// start; 0 when none. With mnuAnyTalker checked a "$GP..." or "$HC..." name
// stands for the same sentence from any talker of two upper-case letters.
std::size_t FindSentence(const App& app, std::string_view prefix, std::string_view text, std::size_t start = 1);
// The first sentence with this prefix in text, checked when mnuCrcCheck is
// on (then kept with its "*hh"), else cut before its "*"; "" when none.
std::string GetSentence(App& app, std::string_view prefix, std::string_view text);
// GetSentence for a decoder that reads numbers and dates from the fields: a
// sentence none of them could take (a field over 20 characters, a number
// beyond a billion, a date that is no date) is dropped as a checksum error is,
// so one corrupted sentence never stops the input.
std::string GetDecodableSentence(App& app, std::string_view prefix, std::string_view text);
// The frame caption after a sentence was dropped because it cannot be decoded.
void ShowUndecodable(App& app);
bool CrcOk(std::string_view sentence);
// "$" body "*" checksum CR LF, or "" when the text lacks "$" or "*".
std::string AddCrc(std::string_view text);
int CommaCount(std::string_view text);
// Comma field n (field 1 follows the first comma), at most m characters.
std::string GetNmeaField(int n, std::size_t m, std::string_view sentence);
void mnuCrcCheck_Click(App& app);
void mnuAnyTalker_Click(App& app);

}  // namespace koralin
