// The checksum tool: a typed NMEA sentence comes back with its checksum.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

// The sentence with "$" in front and "*" and two hex digits behind; "" for
// fewer than 8 characters. Text before the "$" and after the first "*" is
// dropped. When the "*" stands closer than five characters behind the "$"
// there is no body to sum, and the text comes back as it was typed.
std::string AddCrcToText(std::string_view text);

void mnuCreateGPstrings_Click(App& app);
void Form4_Load(App& app);
void Form4_Command1_Click(App& app);
void Form4_QueryUnload(App& app);

}  // namespace koralin
