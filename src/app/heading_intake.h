// The heading instruments: the flux-gate compass ($HCHDT) and the Doppler
// direction finder's bearings.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void ExtractingHCHDT(App& app, std::string_view text, bool& found);
// The last bearing of the first prefix ("%", "$DFBRG", "DF") the text holds.
void ExtractingDoppler(App& app, std::string_view text, bool& found);

}  // namespace koralin
