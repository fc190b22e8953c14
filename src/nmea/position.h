// Latitude and longitude: normalising the fields and writing them in
// degrees-minutes or decimal degrees.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace koralin {

// ddmm.mm (four digits before the point) / dddmm.mm (five).
std::string FormatLatitude(std::string_view field);
std::string FormatLongitude(std::string_view field);
// Degrees of a ddmm.mmmm or dddmm.mmmm field at its full precision, negative
// for "S" and "W"; none when the field is no coordinate.
std::optional<double> CoordinateDegrees(std::string_view field, std::string_view hemisphere);
// Decimal degrees of ddmm.mmH or dddmm.mmH, negative for "S" and "W".
float sngConv2Decimal(std::string_view text);
// 52°12.35'N from 5212.35N (degDigits 2) or 004°54.32'E from 00454.32E (3).
std::string DegreesMinutes(std::string_view text, std::size_t degDigits);
// Signed decimal degrees with five decimals and the hemisphere letter.
std::string DecimalDegreesText(std::string_view text, std::string_view hemisphere);

}  // namespace koralin
