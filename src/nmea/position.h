// Latitude and longitude: normalising the fields and showing them in
// degrees-minutes or decimal degrees.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

struct App;

// ddmm.mm (four digits before the point) / dddmm.mm (five).
std::string FormatLatitude(std::string_view field);
std::string FormatLongitude(std::string_view field);
// Decimal degrees of ddmm.mmH or dddmm.mmH, negative for "S" and "W".
float sngConv2Decimal(std::string_view text);
// Switches (init false) or applies (init true) the decimal-degrees display.
void ShowDegrees(App& app, bool init);
// Writes both position labels from the texts in the current format.
void ShowPosition(App& app, std::string_view latHemisphere, std::string_view longHemisphere);

}  // namespace koralin
