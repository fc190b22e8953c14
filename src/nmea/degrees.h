// Headings and courses as the program writes them.
#pragma once

#include <string>
#include <string_view>

namespace koralin {

// The leading number of h with the pattern "000.0" and the degree sign.
std::string FormatHeading(std::string_view h);
// Whole degrees 0..359.
float NormaliseDegrees(float a);

}  // namespace koralin
